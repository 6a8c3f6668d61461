// The rules every reader shares, tested once on records: which configurations
// become Debug and Release, what moves to Common, the command line's values and
// filters, the template, and folders with their exclusions.

#include "mapping/project_mapper.h"

#include <gtest/gtest.h>

#include <functional>

#include "helpers/model_fixture.h"
#include "mapping/mapping_options.h"
#include "readers/common/configuration_choice.h"
#include "readers/common/conversion_context.h"
#include "readers/common/project_record.h"
#include "solution/solution_writer.h"

namespace {

SourceConfiguration configuration(const QString& name, const QStringList& definitions = {},
                                  const QStringList& includes = {}) {
  SourceConfiguration result;
  result.name = name;
  result.compile.compiler.definitions = definitions;
  result.compile.compiler.includeDirectories = includes;
  return result;
}

ProjectRecord record(std::vector<SourceConfiguration> configurations, std::vector<SourceItem> sources = {}) {
  ProjectRecord result;
  result.name = QStringLiteral("app");
  result.kind = ProjectKind::Executable;
  result.directory = testing_support::testDirectory() + QStringLiteral("/app");
  result.sourceFile = QStringLiteral("app.ewp");
  result.configurations = std::move(configurations);
  result.sources = std::move(sources);
  return result;
}

SourceItem excluded(SourceItem item, const QStringList& configurations) {
  item.excludedFrom = configurations;
  return item;
}

SourceItem folder(const QString& name, std::vector<SourceItem> items, const QStringList& excludedFrom = {}) {
  SourceItem result = SourceItem::folder(name);
  result.items = std::move(items);
  result.excludedFrom = excludedFrom;
  return result;
}

/// Maps records into a fresh solution "ws" and gives its text and warnings.
struct Mapping {
  MappingOptions options;
  MappingRules rules;
  Diagnostics diagnostics;
  QStringList warnings;

  QString map(const std::vector<ProjectRecord>& records) {
    return mapWith([&](ProjectMapper& mapper) {
      for (const ProjectRecord& record : records) mapper.addProject(record);
      mapper.finish(qsizetype(records.size()));
    });
  }
  QString mapWith(const std::function<void(ProjectMapper&)>& feed) {
    SolutionModel model(model_testing::testSchema(), model_testing::noGlobalMacros);
    const ReaderOptions reading;
    ConversionContext context(reading, diagnostics);
    ProjectMapper mapper(model, context, options, rules);
    mapper.beginSolution("ws", testing_support::testDirectory(), "ws");
    feed(mapper);
    warnings = diagnostics.pendingWarnings();
    return QString::fromStdString(solutionText(*model.solution()));
  }
};

/// A whole solution the mapper should write, kept in tests/mapping/expected.
QString expected(const QString& name) {
  return QString::fromUtf8(testing_support::readFile(testing_support::sourcePath("tests/mapping/expected/" + name)));
}

QString solution(const QByteArray& content) {
  return testing_support::solutionHeader +
         ("<solution Name=\"ws\" target=\"8\" version=\"2\">\n" + content + "</solution>\n");
}

}  // namespace

// Exact names win wherever they stand; what every configuration agrees on
// moves to Common; the others keep their names and are declared by the
// solution. The command line's values follow the project's own and are not
// filtered.
TEST(ProjectMapper, EveryConfigurationIsCarriedAndCommonHoldsWhatAllShare) {
  Mapping mapping;
  mapping.options.executableTemplate = "E";
  mapping.options.definitions = {"CLI=1"};
  mapping.options.includePaths = {"cli"};
  mapping.options.definitionFilters = {WildcardPattern("DROP*")};
  mapping.options.projectProperties = {{"build_quietly", "Yes"}};
  const QString text = mapping.map(
      {record({configuration("Release", {"NDEBUG", "DROP_ME", "X"}, {"inc"}), configuration("Other", {"X"}, {"inc"}),
               configuration("Debug", {"DEBUG", "X", "DROPPED=1"}, {"inc"})})});
  EXPECT_EQ(text, expected("every_configuration.hzp"));
  EXPECT_EQ(mapping.warnings, QStringList());
}

// A name containing Debug or Release stands for it; without a Release the
// Debug configuration is read as both; else the first that is not Release is Debug.
TEST(ProjectMapper, ConfigurationChoice) {
  const auto choose = [](const QStringList& names) {
    const ConfigurationChoice choice = chooseDebugAndRelease(names);
    QStringList others;
    for (qsizetype other : choice.others) others.append(names[other]);
    return names[choice.debug] + "/" + names[choice.release] + " " + others.join(",") + " | " +
           choice.notes.join(" | ");
  };
  EXPECT_EQ(choose({"FlashMemory", "FlashRelease"}),
            "FlashMemory/FlashRelease  | configuration 'FlashMemory' is read as Debug | "
            "configuration 'FlashRelease' is read as Release");
  EXPECT_EQ(choose({"Release", "Debug", "Debug"}), "Debug/Release  | ");
  EXPECT_EQ(choose({"Release"}), "Release/Release  | ");
  EXPECT_EQ(choose({"A_debug_build", "B"}),
            "A_debug_build/A_debug_build B | configuration 'A_debug_build' is read as Debug and Release");
  EXPECT_EQ(choose({"obj", "other"}),
            "obj/obj other | no configuration is named Debug or Release; 'obj' is read as both");
}

// Vendors' names: a name ending in Debug/Release stands for it; one
// configuration is read as both; either way the user is told.
TEST(ProjectMapper, VendorConfigurationNamesAreReadWithAWarning) {
  Mapping mapping;
  mapping.options.executableTemplate = "E";
  mapping.map({record({configuration("obj", {"A"})})});
  EXPECT_EQ(mapping.warnings,
            QStringList({"app.ewp: no configuration is named Debug or Release; 'obj' is read as both"}));

  // Without names to choose by (a uVision target) the one configuration is both, silently.
  Mapping single;
  single.rules.choosesConfigurationsByName = false;
  single.rules.keepsIncludeDirectoriesPerConfiguration = true;
  single.rules.appliesCommandLineSettings = false;
  single.options.definitions = {"NOT_APPLIED"};
  single.options.executableTemplate = "E";
  EXPECT_EQ(single.map({record({configuration("Target 1", {"A"}, {"inc"})})}),
            solution("  <project Name=\"app\" template_name=\"E\">\n"
                     "    <configuration\n"
                     "      Name=\"Common\"\n"
                     "      c_preprocessor_definitions=\"A\"\n"
                     "      project_directory=\"app\"\n"
                     "      project_type=\"\" />\n"
                     "    <configuration Name=\"Debug\" c_user_include_directories=\"inc\" />\n"
                     "    <configuration Name=\"Release\" c_user_include_directories=\"inc\" />\n"
                     "    <folder Name=\"Source Files\" />\n"
                     "  </project>\n"));
  EXPECT_EQ(single.warnings, QStringList());
}

// A library needs its template; an executable without one takes the device's
// (STM32 parts get STM32_EXE), else it cannot be converted.
TEST(ProjectMapper, TemplatesFollowTheKindOrTheDevice) {
  Mapping mapping;
  ProjectRecord library = record({configuration("Debug")});
  library.kind = ProjectKind::StaticLibrary;
  try {
    mapping.map({library});
    ADD_FAILURE() << "no error";
  } catch (const ConversionError& error) {
    EXPECT_EQ(error.file(), "app.ewp");
    EXPECT_EQ(error.message(), "library template not specified");
  }
  ProjectRecord stm32 = record({configuration("Debug")});
  stm32.configurations[0].device.name = "STM32F407VG";
  EXPECT_TRUE(mapping.map({stm32}).contains("<project Name=\"app\" template_name=\"STM32_EXE\">"));
  EXPECT_TRUE(mapping.map({stm32}).contains("Target=\"STM32F407VG\""));
  stm32.configurations[0].device.name.clear();
  EXPECT_THROW(mapping.map({stm32}), ConversionError);

  mapping.rules.templateMayBeEmpty = true;
  EXPECT_TRUE(mapping.map({library}).contains("<project Name=\"app\" template_name=\"\">"));
}

// Folders of one name share a folder, a nameless group gives its items to the
// one around it, and an exclusion such a group holds goes to its items. A file
// without a name of its own is filtered by its path's last component.
TEST(ProjectMapper, FoldersAndExclusions) {
  Mapping mapping;
  mapping.options.executableTemplate = "E";
  mapping.options.fileFilters = {WildcardPattern("*.txt")};
  const QStringList both = {"Debug", "Release"};
  const QString text =
      mapping.map({record({configuration("Debug"), configuration("Release")},
                          {folder("drivers", {SourceItem::file("a.c", "drivers/a.c")}, {"Debug"}),
                           folder("drivers",
                                  {SourceItem::file("b.c", "b.c"), SourceItem::file("notes.txt", "notes.txt"),
                                   SourceItem::file("", "doc/todo.txt")},
                                  {"Release"}),
                           folder("", {excluded(SourceItem::file("c.c", "c.c"), both)}),
                           excluded(SourceItem::file("d.c", "d.c"), {"Release", "Unknown"})})});
  EXPECT_EQ(text, expected("folders_and_exclusions.hzp"));
}

// What cannot be carried is reported once per file and kind, each value with the
// configurations that hold it, after the other warnings.
TEST(ProjectMapper, SettingsNotCarriedAreReportedGrouped) {
  Mapping mapping;
  mapping.options.executableTemplate = "E";
  mapping.rules.configurationWord = "target";
  ProjectRecord first = record({configuration("Debug")});
  first.notCarried = {{"scatter file", "app.sct", {"Debug", "Release"}}, {"core", "Cortex-M55", {"Debug"}}};
  ProjectRecord second = record({configuration("Debug")});
  second.notCarried = {{"scatter file", "other.sct", {"Debug"}}, {"scatter file", "app.sct", {"Debug", "Release"}}};
  mapping.diagnostics.warn("app.ewp", "an earlier warning");
  mapping.map({first, second});
  EXPECT_EQ(
      mapping.warnings,
      QStringList({"app.ewp: an earlier warning",
                   "app.ewp: not carried: scatter file app.sct (targets Debug, Release); other.sct (target Debug)",
                   "app.ewp: not carried: core Cortex-M55 (target Debug)"}));
}

// Every build setting has its property, in the schema's words (-Ofast: the
// nearest level and the option); a value the schema has no choice for is
// reported with the configurations holding it.
TEST(ProjectMapper, BuildSettingsBecomeTheirProperties) {
  SourceConfiguration debug = configuration("Debug", {"DEBUG"}, {"inc"});
  debug.device = {"STM32H745XIHx",
                  {},
                  "cortex-m7",
                  "fpv5-d16",
                  "hard",
                  "little",
                  std::nullopt,
                  std::nullopt,
                  {{MemoryRegion::Kind::Rom, "IROM1", 0x08000000, 0x100000},
                   {MemoryRegion::Kind::Ram, "IRAM1", 0x20000000, 0x20000},
                   {MemoryRegion::Kind::Ram, "IRAM2", 0x24000000, 0x80000},
                   {MemoryRegion::Kind::Ram, "RAM3", 0x30000000, 0x8000}}};
  debug.compile.compiler.undefinitions = {"NDEBUG"};
  debug.compile.compiler.additionalOptions = {"-fno-common"};
  debug.compile.assembler = {{"ASM=1"}, {}, {"asm"}, {"-Wa,-g"}};
  debug.compile.codeGeneration = {"-O0", "-g3", "gnu11", "c++17", true};
  debug.linker = {
      {LinkerScript::Kind::GnuLd, "flash.ld"}, {"libm.a"}, {"-Wl,--gc-sections"}, "Reset_Handler", 0x400, 0x200};
  debug.outputName = "fw";
  debug.steps.beforeBuild = {{"make -C gen", "tools"}};
  debug.steps.afterBuild = {{"objcopy -O ihex $(TargetPath) fw.hex", {}}, {"size $(TargetPath)", {}}};
  SourceConfiguration release = debug;
  release.name = "Release";
  release.compile.codeGeneration.optimization = "-Ofast";
  release.linker.script = {LinkerScript::Kind::Scatter, "fw.sct"};
  Mapping mapping;
  mapping.options.executableTemplate = "E";
  EXPECT_EQ(mapping.map({record({debug, release})}), expected("build_settings.hzp"));
  EXPECT_EQ(mapping.warnings,
            QStringList(
                {"app.ewp: not carried: memory region RAM3 0x30000000 size 0x00008000 (configurations Debug, Release)",
                 "app.ewp: not carried: C++ standard c++17 (configurations Debug, Release)",
                 "app.ewp: not carried: scatter file fw.sct (configuration Release)"}));
}

// A library is not linked: its linker settings and memory stay behind. An
// ARM-less target keeps its name, files and lists, with one warning.
TEST(ProjectMapper, LibrariesAndOtherArchitectures) {
  SourceConfiguration library = configuration("Debug", {"LIB"});
  library.device.core = "cortex-m4";
  library.device.memory = {{MemoryRegion::Kind::Rom, "IROM1", 0, 0x1000}};
  library.linker.script = {LinkerScript::Kind::Icf, "lib.icf"};
  library.steps.afterLink = {{"archive-check", {}}};
  ProjectRecord libraryRecord = record({library});
  libraryRecord.kind = ProjectKind::StaticLibrary;
  SourceConfiguration riscv = configuration("obj", {"CH32V30x"});
  riscv.device = {"CH32V307VCT6", "RISC-V", "rv32imac", {}, {}, {}, {}, {}, {}};
  ProjectRecord riscvRecord = record({riscv});
  riscvRecord.name = "wch";
  Mapping mapping;
  mapping.options.executableTemplate = "E";
  mapping.options.libraryTemplate = "L";
  const QString text = mapping.map({libraryRecord, riscvRecord});
  EXPECT_TRUE(
      text.contains("      Name=\"Common\"\n"
                    "      archive_post_build_command=\"archive-check\"\n"
                    "      arm_architecture=\"v7EM\"\n"
                    "      arm_core_type=\"Cortex-M4\"\n"
                    "      c_preprocessor_definitions=\"LIB\"\n"))
      << text.toStdString();
  EXPECT_TRUE(
      text.contains("      Name=\"Common\"\n"
                    "      Target=\"CH32V307VCT6\"\n"
                    "      c_preprocessor_definitions=\"CH32V30x\"\n"))
      << text.toStdString();
  EXPECT_FALSE(text.contains("linker_memory_map_macros"));
  EXPECT_EQ(mapping.warnings,
            QStringList({"app.ewp: no configuration is named Debug or Release; 'obj' is read as both",
                         "app.ewp: RISC-V target CH32V307VCT6 (core rv32imac): files, definitions and include "
                         "directories converted, no ARM target settings written"}));
}

// What a file sets of its own is written where it differs from its project;
// what it takes away from the project's lists cannot be, and is reported. An
// option its project's level adds (-Ofast's -ffast-math) is undone.
TEST(ProjectMapper, ItemSettingsAddToTheProjects) {
  SourceItem file = SourceItem::file("x.c", "src/x.c");
  ItemSettings own;
  own.configuration = "Release";
  own.compile.compiler.definitions = {"A", "FILE_ONLY"};
  own.compile.codeGeneration.optimization = "-O0";
  file.settings = {own};
  SourceConfiguration release = configuration("Release", {"A", "B"});
  release.compile.codeGeneration.optimization = "-Ofast";
  Mapping mapping;
  mapping.options.executableTemplate = "E";
  const QString text = mapping.map({record({configuration("Debug", {"A", "B"}), release}, {file})});
  EXPECT_TRUE(
      text.contains("      <file file_name=\"src/x.c\">\n"
                    "        <configuration\n"
                    "          Name=\"Release\"\n"
                    "          c_additional_options=\"-fno-fast-math\"\n"
                    "          c_preprocessor_definitions=\"FILE_ONLY\"\n"
                    "          gcc_optimization_level=\"None\" />\n"
                    "      </file>\n"))
      << text.toStdString();
  EXPECT_EQ(mapping.warnings,
            QStringList({"app.ewp: not carried: definition B left out by src/x.c (configuration Release)"}));
}

// No reader gives a name with a control character (XML refuses them), but one
// that did would make the solution unreadable: the project, folder or file is
// left out with a warning, the rest is written.
TEST(ProjectMapper, NamesASolutionCannotHoldAreLeftOut) {
  Mapping mapping;
  mapping.options.executableTemplate = "E";
  ProjectRecord bell = record({configuration("Debug")});
  bell.name = "bell\a";
  const QString text = mapping.map(
      {bell, record({configuration("Debug")}, {SourceItem::file("a.c", "a.c"), SourceItem::file("b\x1b.c", "b\x1b.c"),
                                               folder("g\x07", {SourceItem::file("c.c", "c.c")})})});
  EXPECT_EQ(text, solution("  <project Name=\"app\" template_name=\"E\">\n"
                           "    <configuration Name=\"Common\" project_directory=\"app\" project_type=\"\" />\n"
                           "    <folder Name=\"Source Files\">\n"
                           "      <file file_name=\"a.c\" />\n"
                           "    </folder>\n"
                           "  </project>\n"));
  EXPECT_EQ(mapping.warnings, QStringList({"app.ewp: project bell\a left out: its name holds a control character",
                                           "app.ewp: file b\x1b.c left out: its name holds a control character",
                                           "app.ewp: folder g\x07 left out: its name holds a control character"}));
}

// A project started before its links are known is written at once and gets its
// links in Common when it is completed; what is said about it waits until then,
// after what the reader said meanwhile, and never comes for a project the reader
// did not complete because it failed.
TEST(ProjectMapper, ProjectsCompletedOnceEveryProjectIsRead) {
  SourceConfiguration riscv = configuration("Debug");
  riscv.device.otherArchitecture = "RISC-V";
  riscv.linker.additionalFiles = {"own.a"};
  Mapping mapping;
  mapping.options.executableTemplate = "E";
  const QString text = mapping.mapWith([&](ProjectMapper& mapper) {
    const qsizetype app = mapper.startProject(record({riscv}));
    riscv.device.name = "never-completed";
    mapper.startProject(record({riscv}));
    mapping.diagnostics.warn("lib.ewp", "read after app");
    mapper.completeProject(app, {QStringList{"lib"}, {"other.a"}, {}});
  });
  EXPECT_EQ(mapping.warnings, QStringList({"lib.ewp: read after app",
                                           "app.ewp: RISC-V target: files, definitions and include "
                                           "directories converted, no ARM target settings written"}));
  EXPECT_TRUE(text.contains("linker_additional_files=\"own.a;other.a\"\n      project_dependencies=\"lib\"\n"))
      << text.toStdString();
}
