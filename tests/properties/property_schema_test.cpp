// The property schema: how a name is found for a kind of item, and what the five
// property sets declare.

#include "properties/property_schema.h"

#include <gtest/gtest.h>

#include <QMap>

using namespace property_types;

namespace {

std::unique_ptr<PropertyDeclaration> declaration(const QString& name, uint32_t itemKinds) {
  auto property = std::make_unique<PropertyDeclaration>();
  property->name = name;
  property->itemKinds = itemKinds;
  return property;
}

/// The schema as a run builds it.
std::unique_ptr<PropertySchema> completeSchema(bool cortexM = true) {
  return std::make_unique<PropertySchema>(buildPropertySchema(cortexM));
}

}  // namespace

// Resolution picks a declaration by the kind of item it resolves for; macro
// documentation entries share names with properties but are never found as one.
TEST(PropertySchema, FindsTheFirstDeclarationOfANameForAKindOfItem) {
  PropertySchema schema;
  const PropertyDeclaration* first = schema.add(declaration("x", FileItem));
  const PropertyDeclaration* second = schema.add(declaration("x", FolderItem | FileItem));
  const PropertyDeclaration* third = schema.add(declaration("x", ProjectItem));
  schema.add(std::make_unique<MacroDeclaration>("x", "first"));
  EXPECT_EQ(schema.add(nullptr), nullptr);
  EXPECT_EQ(schema.find("x"), first);
  EXPECT_EQ(schema.find("x", FileItem), first);
  EXPECT_EQ(schema.find("x", FolderItem), second);
  EXPECT_EQ(schema.find("x", ProjectItem), third);
  EXPECT_EQ(schema.find("x", SolutionItem), nullptr);
  EXPECT_EQ(schema.find("X"), nullptr);  // names are case-sensitive
}

// The declarations conversions resolve (folder filters, dependencies, the macro
// table's directories, dynamic folders) beyond what the resolution tests show:
// types decide whether values accumulate (StringList), defaults are what an unset
// property resolves to, and the item kind picks between the double declarations.
TEST(PropertySets, DeclareWhatResolutionAndTheReadersRelyOn) {
  const struct {
    const char* name;
    ItemKind kind;
    int32_t type;
    const char* defaultValue;
  } rows[] = {
      {"build_toolchain_directory", SolutionItem, DirPath, "$(StudioDir)"},
      {"project_dependencies", ProjectItem, StringList, ""},
      {"inherited_configurations", ConfigurationItem, StringList, ""},
      {"macros", ProjectItem, StringList, ""},
      {"filter", FolderItem, String, ""},
      {"filter", DynamicFolderItem, String, ""},
      {"path", DynamicFolderItem, DirPath, ""},
      {"recurse", DynamicFolderItem, Boolean, "No"},
      {"exclude", DynamicFolderItem, StringList, ""},
      // Our choice for the default: the variant's first architecture.
      {"arm_architecture", ProjectItem, Enumeration, "v6M"},
  };
  const auto schema = completeSchema();
  for (const auto& row : rows) {
    const PropertyDeclaration* property = schema->find(row.name, row.kind);
    ASSERT_NE(property, nullptr) << row.name;
    EXPECT_EQ(property->type, row.type) << row.name;
    EXPECT_EQ(property->defaultValue, row.defaultValue) << row.name;
  }
  EXPECT_EQ(completeSchema(false)->find("arm_architecture")->defaultValue, "v4T");
  // The documentation is made into text when asked for.
  EXPECT_EQ(schema->find("build_toolchain_directory")->label(), "Tool Chain Directory");
  EXPECT_EQ(schema->findMacro("CoreType")->label(), "$(CoreType)");
  EXPECT_EQ(schema->find("link_standard_libraries_directory")->descriptionText(),
            "The directory of the standard libraries. This property will have macro expansion applied to it.");
}

// A name declared twice by accident would hide the second declaration from
// resolution; only the two double declarations are meant.
TEST(PropertySets, DeclareEveryNameOnceExceptTheTwoDoubleDeclarations) {
  for (const bool cortexM : {true, false}) {
    const auto schema = completeSchema(cortexM);
    QMap<QString, int> counts;
    for (const auto& declaration : schema->declarations())
      if (!declaration->isMacro) ++counts[declaration->name];
    QStringList repeated;
    for (auto count = counts.cbegin(); count != counts.cend(); ++count)
      if (count.value() > 1) repeated.append(count.key());
    EXPECT_EQ(repeated, (QStringList{"build_output_file_name", "filter"}));
  }
}
