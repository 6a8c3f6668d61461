// The rules every importer shares, tested once on records: which configurations
// become Debug and Release, what moves to Common, the command line's values and
// filters, the template, and folders with their exclusions.

#include <gtest/gtest.h>

#include "importers/common/conversion_context.h"
#include "importers/common/project_mapper.h"
#include "projectsystem/project_system_layers.h"
#include "projectsystem/solution_text.h"
#include "support/test_support.h"

namespace {

SourceConfiguration configuration(const QString& name, const QStringList& definitions = {},
                                  const QStringList& includes = {}) {
  SourceConfiguration result;
  result.name = name;
  result.compiler.definitions = definitions;
  result.compiler.includeDirectories = includes;
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
  ImportSettings settings;
  QList<ProjectProperty> projectProperties;
  MappingRules rules;
  Diagnostics diagnostics;
  QStringList warnings;

  QByteArray map(const std::vector<ProjectRecord>& records) {
    MyProjectSystem system{QString(), QStringList()};
    ConversionContext context(settings, projectProperties, diagnostics);
    ProjectMapper mapper(system, context, rules, system.newSolution("ws", testing_support::testDirectory()));
    for (const ProjectRecord& record : records) mapper.addProject(record);
    warnings = diagnostics.pendingWarnings();
    const QByteArray text = QByteArray::fromStdString(solutionText(*system.solution()));
    system.deleteElement(system.solution());
    return text;
  }
};

QByteArray solution(const QByteArray& content) {
  return testing_support::solutionHeader + ("<solution Name=\"ws\" target=\"8\" version=\"2\">\n" + content +
                                            "</solution>\n");
}

}  // namespace

// Exact names win wherever they stand; what both agree on moves to Common;
// the command line's values follow the project's own and are not filtered.
TEST(ProjectMapper, DebugAndReleaseShareWhatTheyAgreeOn) {
  Mapping mapping;
  mapping.settings.executableTemplate = "E";
  mapping.settings.definitions = {"CLI=1"};
  mapping.settings.includePaths = {"cli"};
  mapping.settings.definitionFilters = {WildcardPattern("DROP*")};
  mapping.projectProperties = {{"build_quietly", "Yes"}};
  const QByteArray text = mapping.map({record({configuration("Release", {"NDEBUG", "DROP_ME", "X"}, {"inc"}),
                                               configuration("Other", {"OTHER"}),
                                               configuration("Debug", {"DEBUG", "X", "DROPPED=1"}, {"inc"})})});
  EXPECT_EQ(text, solution("  <project Name=\"app\" template_name=\"E\">\n"
                           "    <configuration\n"
                           "      Name=\"Common\"\n"
                           "      build_quietly=\"Yes\"\n"
                           "      c_user_include_directories=\"inc;cli\"\n"
                           "      project_directory=\"app\"\n"
                           "      project_type=\"\" />\n"
                           "    <configuration Name=\"Debug\" c_preprocessor_definitions=\"DEBUG;X;CLI=1\" />\n"
                           "    <configuration\n"
                           "      Name=\"Release\"\n"
                           "      c_preprocessor_definitions=\"NDEBUG;X;CLI=1\" />\n"
                           "    <folder Name=\"Source Files\" />\n"
                           "  </project>\n"));
  EXPECT_EQ(mapping.warnings, QStringList());
}

// Vendors' names: a name ending in Debug/Release stands for it; one
// configuration is read as both; either way the user is told.
TEST(ProjectMapper, VendorConfigurationNamesAreReadWithAWarning) {
  Mapping mapping;
  mapping.settings.executableTemplate = "E";
  mapping.map({record({configuration("obj", {"A"})})});
  EXPECT_EQ(mapping.warnings, QStringList({"app.ewp: no configuration is named Debug or Release; 'obj' is read as both"}));

  // Without names to choose by (a uVision target) the one configuration is both, silently.
  Mapping single;
  single.rules.choosesConfigurationsByName = false;
  single.rules.keepsIncludeDirectoriesPerConfiguration = true;
  single.rules.appliesCommandLineSettings = false;
  single.settings.definitions = {"NOT_APPLIED"};
  single.settings.executableTemplate = "E";
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
// one around it, and an exclusion such a group holds goes to its items.
TEST(ProjectMapper, FoldersAndExclusions) {
  Mapping mapping;
  mapping.settings.executableTemplate = "E";
  mapping.settings.fileFilters = {WildcardPattern("*.txt")};
  const QStringList both = {"Debug", "Release"};
  const QByteArray text = mapping.map({record(
      {configuration("Debug"), configuration("Release")},
      {folder("drivers", {SourceItem::file("a.c", "drivers/a.c")}, {"Debug"}),
       folder("drivers", {SourceItem::file("b.c", "b.c"), SourceItem::file("notes.txt", "notes.txt")}, {"Release"}),
       folder("", {excluded(SourceItem::file("c.c", "c.c"), both)}),
       excluded(SourceItem::file("d.c", "d.c"), {"Release", "Unknown"})})});
  EXPECT_EQ(text, solution("  <project Name=\"app\" template_name=\"E\">\n"
                           "    <configuration Name=\"Common\" project_directory=\"app\" project_type=\"\" />\n"
                           "    <folder Name=\"Source Files\">\n"
                           "      <folder Name=\"drivers\">\n"
                           "        <configuration Name=\"Debug\" build_exclude_from_build=\"Yes\" />\n"
                           "        <file file_name=\"drivers/a.c\" />\n"
                           "        <file file_name=\"b.c\">\n"
                           "          <configuration Name=\"Release\" build_exclude_from_build=\"Yes\" />\n"
                           "        </file>\n"
                           "      </folder>\n"
                           "      <file file_name=\"c.c\">\n"
                           "        <configuration Name=\"Common\" build_exclude_from_build=\"Yes\" />\n"
                           "      </file>\n"
                           "      <file file_name=\"d.c\">\n"
                           "        <configuration Name=\"Release\" build_exclude_from_build=\"Yes\" />\n"
                           "      </file>\n"
                           "    </folder>\n"
                           "  </project>\n"));
}

// What cannot be carried is reported once per file and kind, each value with the
// configurations that hold it, after the other warnings.
TEST(ProjectMapper, SettingsNotCarriedAreReportedGrouped) {
  Mapping mapping;
  mapping.settings.executableTemplate = "E";
  mapping.rules.configurationWord = "target";
  ProjectRecord first = record({configuration("Debug")});
  first.notCarried = {{"scatter file", "app.sct", {"Debug", "Release"}}, {"core", "Cortex-M55", {"Debug"}}};
  ProjectRecord second = record({configuration("Debug")});
  second.notCarried = {{"scatter file", "other.sct", {"Debug"}}, {"scatter file", "app.sct", {"Debug", "Release"}}};
  mapping.diagnostics.warn("app.ewp", "an earlier warning");
  mapping.map({first, second});
  EXPECT_EQ(mapping.warnings,
            QStringList({"app.ewp: an earlier warning",
                         "app.ewp: not carried: scatter file app.sct (targets Debug, Release); other.sct (target Debug)",
                         "app.ewp: not carried: core Cortex-M55 (target Debug)"}));
}
