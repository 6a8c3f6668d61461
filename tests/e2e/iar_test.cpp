// iar2hzp end to end: workspaces and project files written as Embedded
// Workbench writes them, converted by the binary, and the solution files
// compared whole.

#include <gtest/gtest.h>

#include <QDir>

#include "e2e/iar_fixtures.h"
#include "support/test_support.h"

using namespace iar_fixtures;
using testing_support::emptySolution;
using testing_support::expectSuccess;
using testing_support::expectedSolution;
using testing_support::fileExists;
using testing_support::readFile;
using testing_support::runQuenport;
using testing_support::writeFile;

namespace {

Configuration debugConfiguration() {
  return {.executablePath = "Debug\\Exe",
          .objectPath = "Debug\\Obj",
          .chip = "STM32L552ZE\tST STM32L552ZE",
          .defines = {"USE_HAL_DRIVER", "DEBUG", "TRACE_LEVEL=2"},
          .includePaths = {"$PROJ_DIR$\\..\\Inc", "$PROJ_DIR$", "$WS_DIR$\\common\\inc\\"}};
}

Configuration releaseConfiguration() {
  Configuration c = debugConfiguration();
  c.name = "Release";
  c.executablePath = "Release\\Exe";
  c.objectPath = "Release\\Obj";
  c.defines = {"USE_HAL_DRIVER", "NDEBUG"};
  return c;
}

// A file entry with compiler options of its own, a whole copy of the block
// that adds a definition: no project configuration, a setting of the file.
QByteArray fileWithOwnOptions(const QByteArray& name) {
  const Configuration release = releaseConfiguration();
  const QByteArray compiler = option("CCDefines", release.defines + QList<QByteArray>{"OVERRIDE"}) +
                              option("CCIncludePath2", release.includePaths);
  return file(name, {}, ownSettings("Release", settings("ICCARM", compiler)));
}

}  // namespace

// Groups nest as folders (two of one name share one, the later one's exclusion
// going to its own files), "$PROJ_DIR$" and "$WS_DIR$" paths become relative
// to the project directory (spelled as on disk), exclusions are recorded in
// the configurations they name, a file's own options become its settings where
// they differ, and settings that both configurations share go to "Common"
// after the command line's additions.
TEST(IarImport, ConvertsConfigurationsGroupsFilesAndExclusions) {
  writeFile("ws/fw.eww", workspace({"$WS_DIR$\\App\\App.ewp"}));
  writeFile("ws/Src/main.c", "");
  writeFile("ws/common/inc/board.h", "");
  const QByteArray items =
      group("Application", group("User", file("$PROJ_DIR$\\..\\SRC\\main.c") +
                                             file("$PROJ_DIR$\\..\\Src\\trace.c", {"Release"}) +
                                             file("$PROJ_DIR$\\notes.txt")) +
                               group("Startup", fileWithOwnOptions("$PROJ_DIR$\\startup_stm32l552xx.s"))) +
      group("Tests", file("$WS_DIR$\\app\\test\\unit.c"), {"Debug", "Release"}) +
      group("Application", file("$WS_DIR$\\common\\board.c"), {"Debug"}) + file("$PROJ_DIR$\\readme.md");
  writeFile("ws/app/app.ewp", project({debugConfiguration(), releaseConfiguration()}, items));
  expectSuccess({"iar2hzp", "-executable-template", "E", "-D", "EXTRA=1", "-I", "/opt/inc", "-filter-file", "*.txt",
                   "-filter-definition", "TRACE*", "-P", "arm_fpu_type=FPv5-SP-D16", "ws/fw.eww"});
  EXPECT_EQ(readFile("ws/fw.hzp"), expectedSolution("iar_groups_and_exclusions.hzp"));
}

// A library project of the workspace builds the ".a" another links, by
// "IlinkAdditionalLibs" or by a file entry: that is a dependency. Libraries no
// project builds stay what they are: linker input, or a file of the project;
// so does an entry that no configuration links (the one configuration, read as
// both, excludes it). The template follows "GOutputBinary"; an overridden
// archiver output gives the library's directory and name.
TEST(IarImport, LinkedLibrariesOfTheWorkspaceBecomeDependencies) {
  writeFile("fw.eww", workspace({"$WS_DIR$\\app\\app.ewp", "$WS_DIR$\\drivers\\drivers.ewp", "$WS_DIR$\\dsp\\dsp.ewp"}));
  const Configuration app{.libraries = {"$PROJ_DIR$\\..\\drivers\\Debug\\Exe\\DRIVERS.a", "$PROJ_DIR$\\..\\lib\\libm.a",
                                        "$TOOLKIT_DIR$\\CMSIS\\Lib\\IAR\\iar_cortexM4lf_math.a"}};
  writeFile("app/app.ewp",
            project({app}, group("Libraries", file("$PROJ_DIR$\\..\\dsp\\Exe\\fastmath.a") +
                                                  file("$PROJ_DIR$\\vendor.lib") +
                                                  file("$PROJ_DIR$\\..\\drivers\\old\\drivers.a", {"Debug"}))));
  Configuration library{.outputBinary = "1", .archiveOverride = "0", .archiveOutput = "###Unitialized###"};
  writeFile("drivers/drivers.ewp", project({library}, file("$PROJ_DIR$\\uart.c")));
  library.archiveOverride = "1";
  library.archiveOutput = "$PROJ_DIR$\\Exe\\fastmath.a";
  writeFile("dsp/dsp.ewp", project({library}, {}));
  expectSuccess({"iar2hzp", "-executable-template", "E", "-library-template", "L", "fw.eww"},
                "warning: app/app.ewp: paths in the IAR installation left out: "
                "$TOOLKIT_DIR$\\CMSIS\\Lib\\IAR\\iar_cortexM4lf_math.a\n");
  EXPECT_EQ(readFile("fw.hzp"), expectedSolution("iar_library_dependencies.hzp"));
}

// Configurations named otherwise: one ending in Debug or Release stands for it,
// else the first is read as both, with a warning; a project without any
// configuration is left out with a warning, and the solution is still written.
TEST(IarImport, ConfigurationsWithOtherNames) {
  writeFile("ws.eww", workspace({"$WS_DIR$\\flash.ewp", "$WS_DIR$\\one.ewp", "$WS_DIR$\\none.ewp"}));
  Configuration ram = debugConfiguration();
  ram.name = "RAM";
  Configuration flashDebug = debugConfiguration();
  flashDebug.name = "FLASH_Debug";
  flashDebug.defines = {"RAM"};
  Configuration flashRelease = releaseConfiguration();
  flashRelease.name = "FLASH_Release";
  writeFile("flash.ewp", project({ram, flashDebug, flashRelease},
                                 file("$PROJ_DIR$\\a.c", {"FLASH_Release"}) + file("$PROJ_DIR$\\b.c", {"RAM"})));
  writeFile("one.ewp", project({{.name = "obj", .defines = {"ONE"}}}, file("$PROJ_DIR$\\c.c", {"obj"})));
  writeFile("none.ewp", project({}, file("$PROJ_DIR$\\d.c")));
  expectSuccess({"iar2hzp", "-executable-template", "E", "ws.eww"},
                "warning: flash.ewp: configuration 'FLASH_Debug' is read as Debug\n"
                "warning: flash.ewp: configuration 'FLASH_Release' is read as Release\n"
                "warning: one.ewp: no configuration is named Debug or Release; 'obj' is read as both\n"
                "warning: none.ewp: project none left out: Debug and Release configuration not specified\n");
  EXPECT_EQ(readFile("ws.hzp"), expectedSolution("iar_configuration_names.hzp"));

  // Nothing convertible is a failure: the reasons, then the error, and nothing written.
  writeFile("lost.eww", workspace({"$WS_DIR$\\none.ewp"}));
  const auto failed = runQuenport({"iar2hzp", "lost.eww"});
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_EQ(failed.standardError,
            "warning: none.ewp: project none left out: Debug and Release configuration not specified\n"
            "error: lost.eww: no project could be converted\n");
  EXPECT_FALSE(fileExists("lost.hzp"));
}

// Other targets keep defines and include paths in their own compiler block,
// under another option name for some, and get no ARM settings (with a warning); Embedded Workbench 5 to 7 write fewer
// options and may declare ISO 8859-1. "$TOOLKIT_DIR$" (the installation) and
// variables only the IDE defines cannot be written: left out with a warning
// listing them. Absolute paths stay as written. Without an executable template
// the device stands in: STM32 devices get the STM32 template, others none.
TEST(IarImport, OtherTargetsOlderFilesVariablesAndDevices) {
  writeFile("ws.eww", workspace({"$WS_DIR$\\msp.ewp", "$WS_DIR$\\old.ewp"}));
  const Configuration msp{
      .toolchain = "MSP430",
      .compiler = "ICC430",
      .linker = "XLINK",
      .chip = "MSP430F5529\tMSP430F5529",
      .defines = {"__MSP430F5529__", ""},
      .includeOption = "newCCIncludePaths",
      .includePaths = {"$PROJ_DIR$\\inc", "$TOOLKIT_DIR$\\inc", "C:\\ti\\msp430\\include", "$MY_SDK$\\include"}};
  writeFile("msp.ewp", project({msp}, file("$TOOLKIT_DIR$\\src\\lib\\low_level_init.c") +
                                          file("$CONFIG_NAME$\\generated.c") + file("src\\relative.c")));
  // One state holding an entry per line, as older files do; a Latin-1 group name.
  const QByteArray old = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<project>\r\n<fileVersion>2</fileVersion>\r\n"
                         "<configuration><name>Debug</name><toolchain><name>ARM</name></toolchain><debug>1</debug>"
                         "<settings><name>General</name><data><option><name>OGChipSelectEditMenu</name>"
                         "<state>STM32F407VG\tST STM32F407VG</state></option></data></settings>"
                         "<settings><name>ICCARM</name><data><option><name>CCDefines</name>"
                         "<state>A\r\nB</state></option></data></settings></configuration>\r\n"
                         "<group><name>Ger\xe4te</name><file><name>$PROJ_DIR$\\x.c</name></file></group>\r\n</project>\r\n";
  writeFile("old.ewp", old);
  expectSuccess({"iar2hzp", "ws.eww"},
                "warning: msp.ewp: paths in the IAR installation left out: $TOOLKIT_DIR$\\inc, "
                "$TOOLKIT_DIR$\\src\\lib\\low_level_init.c\n"
                "warning: msp.ewp: paths with variables only Embedded Workbench knows left out: $MY_SDK$\\include, "
                "$CONFIG_NAME$\\generated.c\n"
                "warning: ws.eww: MSP430 target: files, definitions and include directories converted, no ARM target "
                "settings written\n");
  EXPECT_EQ(readFile("ws.hzp"), expectedSolution("iar_other_targets.hzp"));
}

// "$WS_DIR$" is the workspace file's directory wherever the tool runs, "\"
// separates, and a name that differs from the disk only in case is found.
// Batch builds name projects without a path: only "project" elements that hold
// a "path" refer to project files.
TEST(IarImport, ProjectPathsResolveAgainstTheWorkspaceDirectory) {
  const QByteArray batch =
      "  <batchBuild>\r\n    <batchDefinition>\r\n      <name>All</name>\r\n      <member>\r\n"
      "        <project>App</project>\r\n        <configuration>Debug</configuration>\r\n      </member>\r\n"
      "    </batchDefinition>\r\n  </batchBuild>\r\n";
  writeFile("work/demo.eww", workspace({"$WS_DIR$\\Sub\\App.ewp", "$WS_DIR$\\RTC_Tamper.ewp", "Boot.ewp"}, batch));
  writeFile("work/Sub/App.ewp", project({Configuration()}, {}));
  writeFile("work/RTC_TAMPER.ewp", project({Configuration()}, {}));
  writeFile("work/boot.EWP", project({Configuration()}, {}));
  const QString here = QDir::currentPath();
  for (const auto& [workspacePath, directory] : {std::pair<QString, QString>{"work/demo.eww", here},
                                                 std::pair<QString, QString>{"demo.eww", here + "/work"}}) {
    expectSuccess({"iar2hzp", "-executable-template", "E", workspacePath}, {}, directory);
    EXPECT_EQ(readFile("work/demo.hzp"), expectedSolution("iar_project_paths.hzp")) << workspacePath.toStdString();
  }
  writeFile("Plain.eww", "<workspace/>");
  expectSuccess({"iar2hzp", "Plain.eww"});
  EXPECT_EQ(readFile("Plain.hzp"), emptySolution("Plain"));
}

// What the user must fix on the command line ("-P" is checked before anything
// is read), and workspace or project files that cannot be read or parsed, end
// the run with the file named; nothing is written, no directory made.
TEST(IarImport, FailuresEndTheRunAndNameTheirFile) {
  writeFile("lib.eww", workspace({"$WS_DIR$\\lib.ewp"}));
  writeFile("lib.ewp", project({{.outputBinary = "1"}}, {}));
  writeFile("app.eww", workspace({"$WS_DIR$\\app.ewp"}));
  writeFile("app.ewp", project({Configuration()}, {}));
  writeFile("empty.eww", workspace({"$WS_DIR$\\app.ewp", ""}));
  writeFile("work/missing.eww", workspace({"$WS_DIR$\\Sub\\Gone.ewp"}));
  writeFile("ws/broken.eww", workspace({"$WS_DIR$\\broken.ewp"}));
  writeFile("ws/broken.ewp", "<project>\n<a>\n</project>\n");
  writeFile("ws/folder.eww", workspace({"$WS_DIR$\\folder.ewp"}));
  QDir().mkpath("ws/folder.ewp");
  const struct {
    QStringList arguments;
    QByteArray error;
    QString unwritten;
  } cases[] = {
      {{"-executable-template", "E", "lib.eww"}, "lib.ewp: library template not specified", "lib.hzp"},
      {{"-library-template", "L", "app.eww"}, "app.ewp: executable template not specified", "app.hzp"},
      {{"-P", "c_preprocessor_definitions", "ws/broken.eww"}, "-P c_preprocessor_definitions: expected property=value",
       "ws/broken.hzp"},
      {{"-executable-template", "E", "ws/broken.eww"},
       "ws/broken.ewp: Opening and ending tag mismatch. line: 3 column: 10", "ws/broken.hzp"},
      {{"ws/folder.eww"}, "ws/folder.eww: Cannot open ws/folder.ewp for reading", "ws/folder.hzp"},
      {{"work/missing.eww"}, "work/missing.eww: Cannot open work/Sub/Gone.ewp for reading", "work/missing.hzp"},
      {{"-executable-template", "E", "empty.eww"}, "empty.eww: the path of project entry 2 is empty", "empty.hzp"},
      {{"no/such/dir/ws.eww"}, "Cannot open no/such/dir/ws.eww for reading", "no"},
  };
  for (const auto& c : cases) {
    const auto result = runQuenport(QStringList{"iar2hzp"} + c.arguments);
    EXPECT_EQ(result.exitCode, 1) << c.error.toStdString();
    EXPECT_EQ(result.standardError, "error: " + c.error + "\n");
    EXPECT_FALSE(fileExists(c.unwritten)) << c.error.toStdString();
  }
}

// Hostile nesting: groups deeper than the limit are merged into the group at
// the limit, with a warning, instead of a solution quadratic in the input.
TEST(IarImport, DeeplyNestedGroupsAreMerged) {
  QByteArray items = file("$PROJ_DIR$\\deep.c");
  for (int level = 0; level < 5000; ++level) items = "<group><name>g</name>" + items + "</group>";
  writeFile("deep.eww", workspace({"$WS_DIR$\\deep.ewp"}));
  writeFile("deep.ewp", project({Configuration()}, items));
  expectSuccess({"iar2hzp", "-executable-template", "E", "deep.eww"},
                "warning: deep.ewp: 4936 groups nested deeper than 64 levels merged into the group above them\n");
  const QByteArray solution = readFile("deep.hzp");
  EXPECT_EQ(solution.count("<folder Name=\"g\">"), 64);
  EXPECT_EQ(solution.count("<file file_name=\"deep.c\" />"), 1);
}
