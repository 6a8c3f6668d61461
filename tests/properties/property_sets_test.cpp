#include <gtest/gtest.h>

#include <QMap>
#include <QSet>
#include <functional>

#include "properties/property_schema.h"

using namespace property_types;

namespace {

const QString expansionSentence = "This property will have macro expansion applied to it.";

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

QList<const PropertyClass*> properties(const PropertySchema& schema) {
  QList<const PropertyClass*> found;
  for (const auto& declaration : schema.classes())
    if (!declaration->isMacro) found.append(declaration.get());
  return found;
}

QStringList macroNames(const PropertySchema& schema) {
  QStringList names;
  for (const auto& declaration : schema.classes())
    if (declaration->isMacro) names.append(declaration->name);
  return names;
}

/// Names declared more than once.
QStringList repeatedNames(const PropertySchema& schema) {
  QMap<QString, int> counts;
  for (const PropertyClass* property : properties(schema)) ++counts[property->name];
  QStringList repeated;
  for (auto count = counts.cbegin(); count != counts.cend(); ++count)
    if (count.value() > 1) repeated.append(count.key());
  return repeated;
}

struct SetSize {
  const char* set;
  std::function<void(PropertySchema&)> registerSet;
  int propertyNames;
  QStringList repeated;
  int macros;
};

/// A row of the declarations the converter relies on.
struct ExpectedRow {
  const char* name;
  ItemKind kind;
  int32_t type;
  const char* group;
  const char* category;
  const char* displayName;
  const char* defaultValue;
  const char* choices;  // ";"-separated
};

void expectRow(const PropertyClass* property, const ExpectedRow& row) {
  ASSERT_NE(property, nullptr) << row.name;
  EXPECT_EQ(property->name, row.name);
  EXPECT_EQ(property->type, row.type) << row.name;
  EXPECT_EQ(property->group, row.group) << row.name;
  EXPECT_EQ(property->category, row.category) << row.name;
  EXPECT_EQ(property->displayName, row.displayName) << row.name;
  EXPECT_EQ(property->defaultValue, row.defaultValue) << row.name;
  EXPECT_EQ(property->choices.join(';'), row.choices) << row.name;
}

const char* const codeGeneration = "Code Generation Options";
const char* const preprocessor = "Preprocessor Options";

}  // namespace

TEST(PropertySets, DeclareTheirNamesAndMacrosOnceExceptTheTwoDoubleDeclarations) {
  const SetSize sets[] = {
      {"general", registerGeneralProperties, 59, {"build_output_file_name", "filter"}, 27},
      {"standard", registerStandardProperties, 94, {}, 22},
      {"GCC", registerGCCProperties, 16, {}, 0},
      {"GCC/clang", registerHalbrookGCCProperties, 24, {}, 2},
      {"ARM", [](PropertySchema& schema) { registerARMProperties(schema); }, 48, {}, 7},
      {"full ARM", [](PropertySchema& schema) { registerARMProperties(schema, false); }, 48, {}, 7},
  };
  for (const SetSize& set : sets) {
    PropertySchema schema;
    set.registerSet(schema);
    const QList<const PropertyClass*> declared = properties(schema);
    QSet<QString> names;
    for (const PropertyClass* property : declared) names.insert(property->name);
    EXPECT_EQ(names.size(), set.propertyNames) << set.set;
    EXPECT_EQ(declared.size(), set.propertyNames + set.repeated.size()) << set.set;
    EXPECT_EQ(repeatedNames(schema), set.repeated) << set.set;
    const QStringList macros = macroNames(schema);
    EXPECT_EQ(macros.size(), set.macros) << set.set;
    EXPECT_EQ(QSet<QString>(macros.begin(), macros.end()).size(), set.macros) << set.set;
  }
  const auto schema = completeSchema();  // and no set repeats another's names
  EXPECT_EQ(repeatedNames(*schema), (QStringList{"build_output_file_name", "filter"}));
  EXPECT_EQ(properties(*schema).size(), 59 + 2 + 94 + 16 + 24 + 48);
}

// The key rows of the GCC compiler set are checked with the whole set below.
TEST(PropertySets, DeclareTheKeyRowsExactly) {
  const ExpectedRow rows[] = {
      {"c_preprocessor_definitions", FileItem, StringList, "C/C++", preprocessor, "Preprocessor Definitions", "", ""},
      {"c_preprocessor_undefinitions", FileItem, StringList, "C/C++", preprocessor, "Preprocessor Undefinitions", "",
       ""},
      {"c_user_include_directories", FolderItem, StringList, "C/C++", preprocessor, "User Include Directories", "", ""},
      {"c_system_include_directories", ProjectItem, StringList, "C/C++", preprocessor,
       "System Include Directories", "$(StudioDir)/include;$(PackagesDir)/include", ""},
      {"build_output_directory", ProjectItem, DirPath, "General", "Build Options", "Output Directory",
       "$(ProjectName) $(Configuration)", ""},
      {"build_intermediate_directory", ProjectItem, DirPath, "General", "Build Options", "Intermediate Directory",
       "$(ProjectName) $(Configuration)", ""},
      {"build_output_file_name", ExecutableProjectItem, FileName, "Linker", "Linker Options", "Executable File Name",
       "$(OutDir)/$(ProjectName)$(EXE)", ""},
      {"build_output_file_name", LibraryProjectItem, FileName, "General", "Library Options", "Library File Name",
       "$(OutDir)/$(ProjectName)$(LIB)", ""},
      {"build_toolchain_directory", SolutionItem, DirPath, "General", "Build Options", "Tool Chain Directory",
       "$(StudioDir)", ""},
      {"project_dependencies", ProjectItem, StringList, "General", "Build Options", "Project Dependencies", "", ""},
      {"project_type", ProjectItem, Enumeration, "General", "Build Options", "Project Type", "Executable",
       "Executable;Library;Object file;Staging;Combining;Externally Built Executable;Externally Built Library"},
      {"project_directory", ProjectItem, String, "General", "Build Options", "Project Directory", "", ""},
      {"inherited_configurations", ConfigurationItem, StringList, "General", "General Options",
       "Inherited Configurations", "", ""},
      {"macros", ProjectItem, StringList, "General", "Build Options", "Project Macros", "", ""},
      {"Name", FileItem, String, "Properties", "(Information)", "Name", "", ""},
      {"file_name", FileItem, String, "General", "File Options", "File Name", "", ""},
      {"path", DynamicFolderItem, DirPath, "General", "Folder Options", "Dynamic Folder Directory", "", ""},
      {"filter", FolderItem, String, "General", "Folder Options", "Filter", "", ""},
      {"filter", DynamicFolderItem, String, "General", "Folder Options", "Dynamic Folder Filter", "", ""},
      {"recurse", DynamicFolderItem, Boolean, "General", "Folder Options", "Dynamic Folder Recurse", "No", ""},
      {"exclude", DynamicFolderItem, StringList, "General", "Folder Options", "Dynamic Folder Exclude", "", ""},
      {"linker_section_placement_file", ExecutableProjectItem, ProjFileName, "Linker", "Linker Options",
       "Section Placement File", "$(StudioDir)/targets/section_placement.xml", ""},
      {"linker_memory_map_file", ProjectItem, ProjFileName, "General", "Build Options", "Memory Map File", "", ""},
      {"arm_instruction_set", FileItem, Enumeration, "C/C++", codeGeneration, "Instruction Set", "Thumb", "ARM;Thumb"},
      {"arm_core_type", ProjectItem, Enumeration, "C/C++", codeGeneration, "ARM Core Type", "None",
       "Cortex-M0;Cortex-M0+;Cortex-M1;Cortex-M23;Cortex-M3;Cortex-M33;Cortex-M4;Cortex-M7;None"},
      {"arm_fpu_type", ProjectItem, Enumeration, "C/C++", codeGeneration, "ARM FPU Type", "None",
       "FPv4-SP-D16;FPv5-SP-D16;FPv5-D16;None"},
      {"arm_fp_abi", ProjectItem, Enumeration, "C/C++", codeGeneration, "ARM FP ABI Type", "Soft",
       "Soft;SoftFP;Hard;None"},
      {"arm_endian", ProjectItem, Enumeration, "C/C++", codeGeneration, "Byte Order", "Little", "Little;Big;BE-8"},
      // Our choice for the default: the variant's first architecture.
      {"arm_architecture", ProjectItem, Enumeration, "C/C++", codeGeneration, "ARM Architecture", "v6M",
       "v6M;v7M;v7EM;v8M_Baseline;v8M_Mainline"},
  };
  const auto schema = completeSchema();
  for (const ExpectedRow& row : rows) expectRow(schema->find(row.name, row.kind), row);
  EXPECT_TRUE(schema->find("c_system_include_directories")->description.endsWith(expansionSentence));
}

TEST(PropertySets, DeclareTheGCCSetInFullInRegistrationOrder) {
  const ExpectedRow rows[] = {
      {"gcc_optimization_level", FileItem, Enumeration, "C/C++", codeGeneration, "Optimization Level", "None",
       "None;Debug;Level 1;Level 2;Level 3;Optimize For Size"},
      {"gcc_enable_all_warnings", FileItem, Boolean, "C/C++", codeGeneration, "Enable All Warnings", "No", ""},
      {"gcc_omit_frame_pointer", FileItem, Boolean, "C/C++", codeGeneration, "Omit Frame Pointer", "No", ""},
      {"gcc_entry_point", ExecutableProjectItem, String, "Linker", "Linker Options", "Entry Point", "0x00000000", ""},
      {"gcc_strip_symbols", ExecutableProjectItem, Boolean, "Linker", "Linker Options", "Strip Symbols", "No", ""},
      {"gcc_emit_assembler_cfi", FileItem, Boolean, "C/C++", codeGeneration, "Emit Assembler CFI", "No", ""},
      {"gcc_no_common", FileItem, Boolean, "C/C++", codeGeneration, "No COMMON", "Yes", ""},
      {"gcc_debugging_level", FileItem, Enumeration, "C/C++", codeGeneration, "Debugging Level", "Level 2",
       "None;Level 1;Level 2;Level 3"},
      {"gcc_dwarf_version", FileItem, Enumeration, "C/C++", codeGeneration, "Dwarf Version", "None",
       "dwarf-2;dwarf-3;dwarf-4;None"},
      {"gcc_c_language_standard", FileItem, Enumeration, "C/C++", "Compiler Options", "C Language Standard", "gnu99",
       "c89;c90;c99;c11;gnu89;gnu90;gnu99;gnu11"},
      {"gcc_cplusplus_language_standard", FileItem, Enumeration, "C/C++", "Compiler Options", "C++ Language Standard",
       "gnu++98", "c++98;c++11;c++14;c++1y;gnu++98;gnu++11;gnu++14;gnu++1y"},
      {"gcc_wchar_size", FileItem, Enumeration, "C/C++", codeGeneration, "Wide Character Size", "32-Bit",
       "16-Bit;32-Bit"},
      {"gcc_short_enum", FileItem, Enumeration, "C/C++", codeGeneration, "Enumeration Size", "Minimal Container Size",
       "Minimal Container Size;Int Size"},
      {"gcc_all_warnings_command_line_options", FileItem, StringList, "C/C++", codeGeneration,
       "Enable All Warnings Command Line Options", "-Wall;-Wextra", ""},
      {"gcc_enforce_ansi_checking_command_line_options", FileItem, StringList, "C/C++", "Compiler Options",
       "Enforce ANSI Checking Command Line Options", "-pedantic", ""},
      {"linker_strip_debug_information", ExecutableProjectItem, Boolean, "Linker", "Linker Options",
       "Strip Debug Information", "No", ""},
  };
  PropertySchema schema;
  registerGCCProperties(schema);
  ASSERT_EQ(schema.classes().size(), std::size(rows));
  for (size_t index = 0; index < std::size(rows); ++index) {
    expectRow(schema.classes()[index].get(), rows[index]);
    EXPECT_NE(schema.classes()[index]->itemKinds & rows[index].kind, 0u) << rows[index].name;
  }
}

TEST(PropertySets, DocumentTheGeneralMacrosWithTheirExactTexts) {
  const std::pair<const char*, const char*> macros[] = {
      {"Configuration", "The build configuration e.g. ARM Flash Debug."},
      {"EXE", "The default file extension for an executable file including the dot e.g. .elf."},
      {"FolderName", "The folder name of the containing folder."},
      {"FolderPath", "The folder path of the containing folders."},
      {"InputDir", "The absolute directory of the input file."},
      {"InputExt", "The extension of an input file not including the dot e.g cpp."},
      {"InputFileName", "The name of an input file relative to the project directory."},
      {"InputName", "The name of an input file relative to the project directory without the extension."},
      {"InputPath", "The absolute name of an input file including the extension."},
      {"IntDir", "The macro-expanded value of the <b>Intermediate Directory</b> project property."},
      {"LIB", "The default file extension for a library file including the dot e.g. .lib."},
      {"OBJ", "The default file extension for an object file including the dot e.g. .o."},
      {"OutDir", "The macro-expanded value of the <b>Output Directory</b> project property."},
      {"PackageExt", "The file extension of a package file e.g. hzq."},
      {"ProjectDir", "The absolute value of the <b>Project Directory</b> project property of the current proje ct. "
                     "If this isn't set then the directory containing the solution file."},
      {"ProjectName", "The project name of the current project."},
      {"ProjectNodeName", "The name of the selected project node."},
      {"RootOutDir", "The macro-expanded value of the <b>Root Output Directory</b> project property."},
      {"RootRelativeOutDir", "The relative path to get from the path specified by the <b>Output Directory</b> project "
                             "property to the path specified by the <b>Root Output Directory</b> project property."},
      {"RelInputPath", "The relative path to the input file from the project directory."},
      {"RelInputDir", "The relative path to the directory containing the input file from the project directory."},
      {"SolutionDir", "The absolute path of the directory containing the solution file."},
      {"SolutionExt", "The extension of the solution file without the dot."},
      {"SolutionFileName", "The filename of the solution file."},
      {"SolutionName", "The basename of the solution file."},
      {"SolutionPath", "The absolute path of the solution file."},
      {"ToolChainDir", "The macro-expanded value of the <b>Tool Chain Directory</b> project property."},
  };
  PropertySchema schema;
  registerGeneralProperties(schema);
  QStringList expectedNames;
  for (const auto& [name, description] : macros) {
    expectedNames.append(name);
    const PropertyClass* macro = schema.findMacro(name);
    ASSERT_NE(macro, nullptr) << name;
    EXPECT_EQ(macro->description, description);
    EXPECT_EQ(macro->label(), QString("$(%1)").arg(name));
  }
  EXPECT_EQ(macroNames(schema), expectedNames);
}

TEST(PropertySets, ResolveTheDoubleDeclarationsByKindOfItem) {
  const auto schema = completeSchema();
  const PropertyClass* folderFilter = schema->find("filter", FolderItem);
  const PropertyClass* dynamicFilter = schema->find("filter", DynamicFolderItem);
  ASSERT_TRUE(folderFilter && dynamicFilter);
  EXPECT_EQ(folderFilter->displayName, "Filter");
  EXPECT_EQ(dynamicFilter->displayName, "Dynamic Folder Filter");
  EXPECT_EQ(schema->find("filter"), folderFilter);
  EXPECT_EQ(schema->findAll("filter"), (QList<const PropertyClass*>{folderFilter, dynamicFilter}));
  EXPECT_EQ(schema->find("filter", FileItem), nullptr);

  const PropertyClass* executable = schema->find("build_output_file_name", ExecutableProjectItem);
  const PropertyClass* library = schema->find("build_output_file_name", LibraryProjectItem);
  ASSERT_TRUE(executable && library);
  EXPECT_EQ(executable->defaultValue, "$(OutDir)/$(ProjectName)$(EXE)");
  EXPECT_EQ(library->defaultValue, "$(OutDir)/$(ProjectName)$(LIB)");
  EXPECT_EQ(schema->findAll("build_output_file_name"), (QList<const PropertyClass*>{executable, library}));
  EXPECT_EQ(schema->find("build_output_file_name", FileItem), nullptr);
}

TEST(PropertySets, StoreDefaultsInTheFormOfTheirType) {
  const auto schema = completeSchema();
  EXPECT_EQ(schema->find("project_can_build_in_parallel")->defaultValue, "Yes");
  EXPECT_EQ(schema->find("build_quietly")->defaultValue, "No");
  const PropertyClass* stack = schema->find("arm_linker_stack_size");
  EXPECT_EQ(stack->type, IntegerRange);
  EXPECT_EQ(stack->defaultValue, "1024");
  EXPECT_EQ(schema->find("arm_linker_gap_fill")->defaultValue, "0x00");
  EXPECT_EQ(schema->find("arm_linker_additional_output_file_gap_fill")->defaultValue, "0xFF");
  EXPECT_EQ(schema->find("debug_load_file_offset")->defaultValue, "0x00000000");
  EXPECT_EQ(schema->find("pre_build_command")->typeName(), "Unknown");
}

TEST(PropertySets, KeepEveryEnumerationDefaultAmongItsChoicesInBothARMVariants) {
  for (const bool cortexM : {true, false}) {
    const auto schema = completeSchema(cortexM);
    for (const PropertyClass* property : properties(*schema)) {
      if (property->type != Enumeration) continue;
      EXPECT_TRUE(property->choices.contains(property->defaultValue)) << property->name.toStdString();
    }
    const PropertyClass* architecture = schema->find("arm_architecture");
    EXPECT_EQ(architecture->defaultValue, architecture->choices.value(0));
  }
  const auto full = completeSchema(false);
  EXPECT_EQ(full->find("arm_architecture")->defaultValue, "v4T");
  EXPECT_TRUE(full->find("arm_core_type")->choices.contains("ARM7TDMI"));
  EXPECT_TRUE(full->find("arm_fpu_type")->choices.contains("NEON"));
}

TEST(PropertySets, PresentEveryPropertyOnAKnownPageWithADescription) {
  const QStringList groups = {"General", "C/C++", "Linker", "Debugging", "Properties"};
  const QList<int32_t> expandedTypes = {FileName, ProjFileName, DirPath, Command};
  const auto schema = completeSchema();
  for (const PropertyClass* property : properties(*schema)) {
    const std::string name = property->name.toStdString();
    EXPECT_TRUE(groups.contains(property->group)) << name;
    EXPECT_FALSE(property->category.isEmpty() || property->displayName.isEmpty()) << name;
    EXPECT_FALSE(property->description.isEmpty()) << name;
    EXPECT_NE(property->itemKinds, 0u) << name;
    EXPECT_EQ(property->flags, 0u) << name;
    if (expandedTypes.contains(property->type)) {
      EXPECT_TRUE(property->description.endsWith(expansionSentence)) << name;
    }
  }
}
