// iar2hzp end to end: workspaces and project files (tests/e2e/fixtures/iar)
// copied into the test's directory, converted by the binary, and the solution
// files compared whole.

#include <gtest/gtest.h>

#include <QDir>

#include "e2e/iar_fixtures.h"
#include "helpers/test_support.h"

using iar_fixtures::copyFixture;
using testing_support::emptySolution;
using testing_support::expectedSolution;
using testing_support::expectSuccess;
using testing_support::fileExists;
using testing_support::readFile;
using testing_support::runQuenport;
using testing_support::writeFile;

// Groups nest as folders (two of one name share one, the later one's exclusion
// going to its own files), "$PROJ_DIR$" and "$WS_DIR$" paths become relative
// to the project directory (spelled as on disk), exclusions are recorded in
// the configurations they name, a file's own options become its settings where
// they differ, and settings that both configurations share go to "Common"
// after the command line's additions.
TEST(IarImport, ConvertsConfigurationsGroupsFilesAndExclusions) {
  copyFixture("groups_and_exclusions", "ws");
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
  copyFixture("library_dependencies");
  expectSuccess({"iar2hzp", "-executable-template", "E", "-library-template", "L", "fw.eww"},
                "warning: app/app.ewp: paths in the IAR installation left out: "
                "$TOOLKIT_DIR$\\CMSIS\\Lib\\IAR\\iar_cortexM4lf_math.a\n");
  EXPECT_EQ(readFile("fw.hzp"), expectedSolution("iar_library_dependencies.hzp"));
}

// Configurations named otherwise: one ending in Debug or Release stands for it,
// else the first is read as both, with a warning; a project without any
// configuration is left out with a warning, and the solution is still written.
TEST(IarImport, ConfigurationsWithOtherNames) {
  copyFixture("configuration_names");
  expectSuccess({"iar2hzp", "-executable-template", "E", "ws.eww"},
                "warning: flash.ewp: configuration 'FLASH_Debug' is read as Debug\n"
                "warning: flash.ewp: configuration 'FLASH_Release' is read as Release\n"
                "warning: one.ewp: no configuration is named Debug or Release; 'obj' is read as both\n"
                "warning: none.ewp: project none left out: Debug and Release configuration not specified\n");
  EXPECT_EQ(readFile("ws.hzp"), expectedSolution("iar_configuration_names.hzp"));

  // Nothing convertible is a failure: the reasons, then the error, and nothing written.
  const auto failed = runQuenport({"iar2hzp", "lost.eww"});
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_EQ(failed.standardError,
            "warning: none.ewp: project none left out: Debug and Release configuration not specified\n"
            "error: lost.eww: no project could be converted (none.ewp: project none left out: Debug and Release "
            "configuration not specified)\n");
  EXPECT_FALSE(fileExists("lost.hzp"));
}

// Other targets keep defines and include paths in their own compiler block,
// under another option name for some, and get no ARM settings (with a warning); Embedded Workbench 5 to 7 write fewer
// options and may declare ISO 8859-1 (old.ewp: one state holding an entry per
// line, a Latin-1 group name). "$TOOLKIT_DIR$" (the installation) and
// variables nothing defines cannot be written: left out with a warning per
// variable listing them. Absolute paths stay as written. Without an executable template
// the device stands in: STM32 devices get the STM32 template, others none.
TEST(IarImport, OtherTargetsOlderFilesVariablesAndDevices) {
  copyFixture("other_targets");
  expectSuccess({"iar2hzp", "ws.eww"},
                "warning: msp.ewp: paths in the IAR installation left out: $TOOLKIT_DIR$\\inc, "
                "$TOOLKIT_DIR$\\src\\lib\\low_level_init.c\n"
                "warning: msp.ewp: paths with $MY_SDK$ left out: no .custom_argvars file or -argvar defines it: "
                "$MY_SDK$\\include\n"
                "warning: msp.ewp: paths with $CONFIG_NAME$ left out: only Embedded Workbench knows its value: "
                "$CONFIG_NAME$\\generated.c\n"
                "warning: msp.ewp: MSP430 target MSP430F5529: files, definitions and include directories converted, "
                "no ARM target settings written\n");
  EXPECT_EQ(readFile("ws.hzp"), expectedSolution("iar_other_targets.hzp"));
}

// Argument variables: the workspace's own "<workspace>.custom_argvars" beside
// it, as the IDE keeps them (a relative value is relative to the file, and
// written relative to the project), and "-argvar", which wins.
TEST(IarImport, ArgumentVariablesOfTheWorkspacesFileAndTheCommandLine) {
  copyFixture("other_targets");
  writeFile(
      "ws.custom_argvars",
      "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n\n<iarUserArgVars>\n  <group active=\"true\" name=\"Local\">\n"
      "    <variable>\n      <name>MY_SDK</name>\n      <value>..\\sdk</value>\n    </variable>\n  </group>\n"
      "</iarUserArgVars>\n");
  const QByteArray warnings =
      "warning: msp.ewp: paths in the IAR installation left out: $TOOLKIT_DIR$\\inc, "
      "$TOOLKIT_DIR$\\src\\lib\\low_level_init.c\n"
      "warning: msp.ewp: paths with $CONFIG_NAME$ left out: only Embedded Workbench knows its value: "
      "$CONFIG_NAME$\\generated.c\n"
      "warning: msp.ewp: MSP430 target MSP430F5529: files, definitions and include directories converted, no ARM "
      "target settings written\n";
  expectSuccess({"iar2hzp", "ws.eww"}, warnings);
  EXPECT_TRUE(readFile("ws.hzp").contains(";$(ProjectDir)/../sdk/include\""));
  expectSuccess({"iar2hzp", "-argvar", "MY_SDK=/opt/my_sdk", "ws.eww"}, warnings);
  EXPECT_TRUE(readFile("ws.hzp").contains(";/opt/my_sdk/include\""));
  EXPECT_EQ(runQuenport({"iar2hzp", "-argvar", "=x", "ws.eww"}).standardError,
            "error: -argvar =x: expected name=value\n");
  // A workspace may name its projects by a variable too.
  writeFile("sdk/app.ewp", iar_fixtures::project({{}}, {}));
  writeFile("sdk.eww", iar_fixtures::workspace({"$MY_SDK$\\app.ewp", "$NONE$\\x.ewp"}));
  expectSuccess({"iar2hzp", "-executable-template", "E", "-argvar", "MY_SDK=sdk", "sdk.eww"},
                "warning: sdk.eww: project x left out: $NONE$: no .custom_argvars file or -argvar defines it\n");
  EXPECT_TRUE(readFile("sdk.hzp").contains("project_directory=\"sdk\""));
}

// TI's MSPM0 SDK: the project lists only two project connection files, which
// name the SDK by the argument variable its tools/iar/MSPM0_SDK.custom_argvars
// sets to c:/ti/mspm0_sdk_2_09_00_01; the SDK checked out here (as
// "mspm0-sdk") is found again. A file -custom-argvars names must be there.
TEST(IarImport, ProjectConnectionFilesAndArgumentVariablesOfAnSdk) {
  copyFixture("mspm0");
  const QString project =
      QDir::current().absoluteFilePath("mspm0-sdk/examples/nortos/CUSTOM_BOARD/driverlib/empty_mspm0c1103/iar");
  const QStringList arguments{"iar2hzp",
                              "-executable-template",
                              "E",
                              "-custom-argvars",
                              "../../../../../../tools/iar/MSPM0_SDK.custom_argvars",
                              "empty_mspm0c1103_nortos_iar.eww"};
  const QByteArray ewp = "warning: empty_mspm0c1103_nortos_iar.ewp: ";
  expectSuccess(arguments,
                ewp +
                    "copies project connection files make when Embedded Workbench opens the project are not there; "
                    "their originals are used: $PROJ_DIR$/empty_mspm0c1103.c, $PROJ_DIR$/empty_mspm0c1103.syscfg, "
                    "$PROJ_DIR$/README.md, $PROJ_DIR$/iar/startup_mspm0c110x_iar.c\n" +
                    ewp +
                    "not carried: IAR compiler option --debug; --silent; -e; --aeabi; --thumb; "
                    "--diag_suppress=Pa050 (configuration Debug)\n" +
                    ewp + "not carried: memory layout mspm0c1103.icf (file not found) (configuration Debug)\n" + ewp +
                    "not carried: IAR linker option --silent (configuration Debug)\n" + ewp +
                    "not carried: custom build tool SysConfig: $SYSCONFIG_ROOT$/sysconfig_cli.bat -o $PROJ_DIR$ -s "
                    "\"$MSPM0_SDK_INSTALL_DIR$/.metadata/product.json\" --compiler iar $FILE_PATH$\n" +
                    ewp + "not carried: ICF file mspm0c1103.icf (configuration Debug)\n",
                project);
  EXPECT_EQ(readFile(project + "/empty_mspm0c1103_nortos_iar.hzp"), expectedSolution("iar_mspm0_connections.hzp"));
  EXPECT_EQ(
      runQuenport({"iar2hzp", "-custom-argvars", "none.custom_argvars", project + "/empty_mspm0c1103_nortos_iar.eww"})
          .standardError,
      "error: Cannot open none.custom_argvars for reading\n");
}

// "$WS_DIR$" is the workspace file's directory wherever the tool runs, "\"
// separates, and a name that differs from the disk only in case is found.
// Batch builds name projects without a path: only "project" elements that hold
// a "path" refer to project files.
TEST(IarImport, ProjectPathsResolveAgainstTheWorkspaceDirectory) {
  copyFixture("project_paths");
  const QString here = QDir::currentPath();
  for (const auto& [workspacePath, directory] :
       {std::pair<QString, QString>{"work/demo.eww", here}, std::pair<QString, QString>{"demo.eww", here + "/work"}}) {
    expectSuccess({"iar2hzp", "-executable-template", "E", workspacePath}, {}, directory);
    EXPECT_EQ(readFile("work/demo.hzp"), expectedSolution("iar_project_paths.hzp")) << workspacePath.toStdString();
  }
  expectSuccess({"iar2hzp", "Plain.eww"});
  EXPECT_EQ(readFile("Plain.hzp"), emptySolution("Plain"));
}

// What the user must fix on the command line ("-P" is checked before anything
// is read), and a workspace file that cannot be read or parsed, end the run
// with the file named; nothing is written, no directory made. A project file
// that cannot be read or parsed is left out with a warning; when no project is
// left, the error says why the first was left out.
TEST(IarImport, FailuresEndTheRunAndNameTheirFile) {
  copyFixture("failures");
  QDir().mkpath("ws/folder.ewp");
  const struct {
    QStringList arguments;
    QByteArray error;
    QString unwritten;
  } cases[] = {
      {{"-executable-template", "E", "lib.eww"}, "lib.ewp: library template not specified", "lib.hzp"},
      {{"-library-template", "L", "app.eww"}, "app.ewp: executable template not specified", "app.hzp"},
      {{"-P", "c_preprocessor_definitions", "ws/broken.eww"},
       "-P c_preprocessor_definitions: expected property=value",
       "ws/broken.hzp"},
      {{"-executable-template", "E", "ws/broken.eww"},
       "ws/broken.eww: no project could be converted (ws/broken.ewp: project broken left out: Opening and ending "
       "tag mismatch. line: 3 column: 10)",
       "ws/broken.hzp"},
      {{"ws/folder.eww"},
       "ws/folder.eww: no project could be converted (project folder left out: Cannot open ws/folder.ewp for reading)",
       "ws/folder.hzp"},
      {{"work/missing.eww"},
       "work/missing.eww: no project could be converted (project Gone left out: Cannot open work/Sub/Gone.ewp for "
       "reading)",
       "work/missing.hzp"},
      {{"-executable-template", "E", "empty.eww"}, "empty.eww: the path of project entry 2 is empty", "empty.hzp"},
      {{"no/such/dir/ws.eww"}, "Cannot open no/such/dir/ws.eww for reading", "no"},
  };
  for (const auto& c : cases) {
    const auto result = runQuenport(QStringList{"iar2hzp"} + c.arguments);
    EXPECT_EQ(result.exitCode, 1) << c.error.toStdString();
    EXPECT_TRUE(result.standardError.endsWith("error: " + c.error + "\n")) << result.standardError.toStdString();
    EXPECT_FALSE(fileExists(c.unwritten)) << c.error.toStdString();
  }
}

// nRF5 SDK 17's usbd.eww names a project the SDK does not ship; a project file
// padded with NUL bytes after its root is read, one holding an element named
// ":anonymous" is left out with its line; the others convert.
TEST(IarImport, APartialWorkspaceConvertsWhatItCan) {
  copyFixture("nrf5_usbd");
  const QByteArray project = iar_fixtures::project({{}}, iar_fixtures::file("$PROJ_DIR$\\main.c"));
  writeFile("pca10100/blank/iar/usbd_pca10100.ewp", project + QByteArray(9049, '\0'));
  writeFile("pca10056/blank/iar/usbd_pca10056.ewp",
            QByteArray(project).replace("</project>", "<:anonymous />\r\n</project>"));
  writeFile("pca10100e/blank/iar/usbd_pca10100e.ewp", project);
  expectSuccess({"iar2hzp", "-executable-template", "E", "usbd.eww"},
                "warning: pca10056/blank/iar/usbd_pca10056.ewp: project usbd_pca10056 left out: Unexpected ':'. "
                "line: 66 column: 2\n"
                "warning: usbd.eww: project usbd_pca10100_fpga left out: Cannot open "
                "test/pca10100_fpga/blank/iar/usbd_pca10100_fpga.ewp for reading\n");
  EXPECT_EQ(readFile("usbd.hzp"), expectedSolution("iar_partial_workspace.hzp"));
}

// Hostile nesting: groups deeper than the limit are merged into the group at
// the limit, with a warning, instead of a solution quadratic in the input.
TEST(IarImport, DeeplyNestedGroupsAreMerged) {
  QByteArray items = iar_fixtures::file("$PROJ_DIR$\\deep.c");
  for (int level = 0; level < 5000; ++level) items = "<group><name>g</name>" + items + "</group>";
  writeFile("deep.eww", iar_fixtures::workspace({"$WS_DIR$\\deep.ewp"}));
  writeFile("deep.ewp", iar_fixtures::project({{}}, items));
  expectSuccess({"iar2hzp", "-executable-template", "E", "deep.eww"},
                "warning: deep.ewp: 4936 groups nested deeper than 64 levels merged into the group above them\n");
  const QByteArray solution = readFile("deep.hzp");
  EXPECT_EQ(solution.count("<folder Name=\"g\">"), 64);
  EXPECT_EQ(solution.count("<file file_name=\"deep.c\" />"), 1);
}
