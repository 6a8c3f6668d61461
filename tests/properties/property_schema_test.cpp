// The property schema: how a declaration row stores its default, how a name is
// found for a kind of item, and what the five layers declare.

#include "properties/property_schema.h"

#include <gtest/gtest.h>

#include <QMap>

#include "properties/property_declaration.h"

using namespace property_types;

namespace {

constexpr PropertyPlace place{"General", "Build Options"};

QString defaultOf(const PropertyRow& row) { return makePropertyClass(row)->defaultValue; }

std::unique_ptr<PropertyClass> declaration(const QString& name, uint32_t itemKinds) {
  auto property = std::make_unique<PropertyClass>();
  property->name = name;
  property->itemKinds = itemKinds;
  return property;
}

/// The schema as the project system's five layers build it.
std::unique_ptr<PropertySchema> completeSchema(bool cortexM = true) {
  auto schema = std::make_unique<PropertySchema>();
  registerGeneralProperties(*schema);
  registerStandardProperties(*schema);
  registerGCCProperties(*schema);
  registerHalbrookGCCProperties(*schema);
  registerARMProperties(*schema, cortexM);
  return schema;
}

}  // namespace

// Defaults are stored as the text that resolution hands out when nothing is set;
// hexadecimal ones are padded to the digits the row gives, never cut, at most 16.
TEST(PropertyDeclaration, StoresDefaultsInTheFormOfTheirType) {
  EXPECT_EQ(defaultOf(boolean("b", place, "B", true, AnyItem, "On.")), "Yes");
  EXPECT_EQ(defaultOf(boolean("b", place, "B", false, AnyItem, "Off.")), "No");
  EXPECT_EQ(defaultOf(integer("i", Integer, -10, 10, place, "I", -5, AnyItem, "I.")), "-5");
  EXPECT_EQ(defaultOf(integer("h", IntegerHex, 0, 8, place, "H", 0x1f, AnyItem, "H.")), "0x0000001F");
  EXPECT_EQ(defaultOf(integer("h", IntegerHex, 0, 2, place, "H", 0x1234, AnyItem, "H.")), "0x1234");
  EXPECT_EQ(defaultOf(integer("h", IntegerHex, 0, 1000, place, "H", 1, AnyItem, "H.")), "0x0000000000000001");
  const auto choice = makePropertyClass(enumeration("e", place, "E", "Two", "One;Two;Three", ProjectItem, "Pick."));
  EXPECT_EQ(choice->defaultValue, "Two");
  EXPECT_EQ(choice->choices, (QStringList{"One", "Two", "Three"}));
  EXPECT_TRUE(makePropertyClass(macro("OutDir", "The output directory."))->isMacro);
}

// Resolution picks a declaration by the kind of item it resolves for; macro
// documentation entries share names with properties but are never found as one.
TEST(PropertySchema, FindsTheFirstDeclarationOfANameForAKindOfItem) {
  PropertySchema schema;
  const PropertyClass* first = schema.registerClass(declaration("x", FileItem));
  const PropertyClass* second = schema.registerClass(declaration("x", FolderItem | FileItem));
  const PropertyClass* third = schema.registerClass(declaration("x", ProjectItem));
  const PropertyClass* macro = schema.registerClass(std::make_unique<MacroPropertyClass>("x", "first"));
  schema.registerClass(std::make_unique<MacroPropertyClass>("x", "second"));
  EXPECT_EQ(schema.registerClass(nullptr), nullptr);
  EXPECT_EQ(schema.find("x"), first);
  EXPECT_EQ(schema.find("x", FileItem), first);
  EXPECT_EQ(schema.find("x", FolderItem), second);
  EXPECT_EQ(schema.find("x", ProjectItem), third);
  EXPECT_EQ(schema.find("x", SolutionItem), nullptr);
  EXPECT_EQ(schema.findAll("x"), (QList<const PropertyClass*>{first, second, third}));
  EXPECT_EQ(schema.findMacro("x"), macro);
  EXPECT_EQ(schema.find("X"), nullptr);  // names are case-sensitive
  EXPECT_EQ(schema.findMacro("y"), nullptr);
}

// Types decide whether values accumulate (StringList); defaults are what an unset
// property resolves to; the item kind picks between the two double declarations.
TEST(PropertySets, DeclareWhatResolutionAndTheImportersRelyOn) {
  const struct {
    const char* name;
    ItemKind kind;
    int32_t type;
    const char* defaultValue;
  } rows[] = {
      {"c_preprocessor_definitions", FileItem, StringList, ""},
      {"c_preprocessor_undefinitions", FileItem, StringList, ""},
      {"c_user_include_directories", FolderItem, StringList, ""},
      {"c_system_include_directories", ProjectItem, StringList, "$(StudioDir)/include;$(PackagesDir)/include"},
      {"build_output_directory", ProjectItem, DirPath, "$(ProjectName) $(Configuration)"},
      {"build_intermediate_directory", ProjectItem, DirPath, "$(ProjectName) $(Configuration)"},
      {"build_output_file_name", ExecutableProjectItem, FileName, "$(OutDir)/$(ProjectName)$(EXE)"},
      {"build_output_file_name", LibraryProjectItem, FileName, "$(OutDir)/$(ProjectName)$(LIB)"},
      {"build_toolchain_directory", SolutionItem, DirPath, "$(StudioDir)"},
      {"project_dependencies", ProjectItem, StringList, ""},
      {"project_type", ProjectItem, Enumeration, "Executable"},
      {"project_directory", ProjectItem, String, ""},
      {"inherited_configurations", ConfigurationItem, StringList, ""},
      {"macros", ProjectItem, StringList, ""},
      {"file_name", FileItem, String, ""},
      {"filter", FolderItem, String, ""},
      {"filter", DynamicFolderItem, String, ""},
      {"path", DynamicFolderItem, DirPath, ""},
      {"recurse", DynamicFolderItem, Boolean, "No"},
      {"exclude", DynamicFolderItem, StringList, ""},
      {"arm_linker_stack_size", ExecutableProjectItem, IntegerRange, "1024"},
      {"debug_load_file_offset", ExecutableProjectItem, IntegerHex, "0x00000000"},
      // Our choice for the default: the variant's first architecture.
      {"arm_architecture", ProjectItem, Enumeration, "v6M"},
  };
  const auto schema = completeSchema();
  for (const auto& row : rows) {
    const PropertyClass* property = schema->find(row.name, row.kind);
    ASSERT_NE(property, nullptr) << row.name;
    EXPECT_EQ(property->type, row.type) << row.name;
    EXPECT_EQ(property->defaultValue, row.defaultValue) << row.name;
  }
  EXPECT_EQ(completeSchema(false)->find("arm_architecture")->defaultValue, "v4T");
}

// A name declared twice by accident would hide the second declaration from
// resolution; only the two double declarations are meant.
TEST(PropertySets, DeclareEveryNameOnceExceptTheTwoDoubleDeclarations) {
  for (const bool cortexM : {true, false}) {
    const auto schema = completeSchema(cortexM);
    QMap<QString, int> counts;
    for (const auto& declaration : schema->classes())
      if (!declaration->isMacro) ++counts[declaration->name];
    QStringList repeated;
    for (auto count = counts.cbegin(); count != counts.cend(); ++count)
      if (count.value() > 1) repeated.append(count.key());
    EXPECT_EQ(repeated, (QStringList{"build_output_file_name", "filter"}));
  }
}
