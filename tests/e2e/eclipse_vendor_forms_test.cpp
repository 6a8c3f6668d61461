// eclipse2hzp on workspaces in the forms vendor IDEs built on CDT write: how a
// project's kind is recorded, configurations named otherwise than Debug and
// Release, projects that cannot be converted, and include paths and links in
// every form CDT writes.

#include <gtest/gtest.h>

#include "e2e/eclipse_fixtures.h"
#include "helpers/test_support.h"

using eclipse_fixtures::copyFixture;
using testing_support::emptySolution;
using testing_support::expectedSolution;
using testing_support::expectSuccess;
using testing_support::readFile;
using testing_support::runQuenport;
using testing_support::writeFile;

// Issue form 4: the "project" element's name is the project's own name
// (STM32CubeIDE, MCUXpresso), a localized word (e2 studio) or a vendor type
// (Xilinx); the kind comes from what CDT records.
TEST(EclipseVendorForms, ProjectKindsComeFromWhatCdtRecords) {
  copyFixture("project_kinds");
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "-library-template", "L", "ws"});
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_project_kinds.hzp"));
}

// DAVE 4 names its kind in vendor ids ("com.ifx.xmc4000.appBuildArtefactType",
// "...appProject"): an application is an executable, built for its device's
// core with the FPU, float ABI, C standard and script its tools name and the
// defaults of DAVE's tool chain (debug level, sections, warnings, the linker's
// start files). A WICED Studio makefile project records no kind (a
// "<name>.null.<n>" project id, a configuration of the preferences'
// "prefbase.cfg"): an executable, with a warning that its build is the makefile's.
TEST(EclipseVendorForms, VendorApplicationsAndMakefileProjectsAreExecutables) {
  copyFixture("vendor_kinds", ".");  // the workspaces dave and wiced
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "dave"},
                "warning: dave/aws_demos/.cproject: not carried: debug format dwarf2 (configuration Debug)\n"
                "warning: dave/aws_demos/.cproject: not carried: runtime library option -nostartfiles (configuration "
                "Debug)\n");
  EXPECT_EQ(readFile("dave/dave.hzp"), expectedSolution("eclipse_dave_application.hzp"));
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "wiced"},
                "warning: wiced/aws_demos/.cproject: project aws_demos is built by its makefile: converted as an "
                "executable of its files, definitions and include directories; what the makefile does is not "
                "carried\n"
                "warning: wiced/aws_demos/.cproject: no configuration is named Debug or Release; 'Default' is read "
                "as both\n");
  EXPECT_EQ(readFile("wiced/wiced.hzp"), expectedSolution("eclipse_wiced_makefile_project.hzp"));
}

// Issue form 5: projects that cannot be converted are left out with a warning,
// the rest converts; configurations named like Debug and Release stand for them.
TEST(EclipseVendorForms, ProjectsThatCannotBeConvertedDoNotSinkTheWorkspace) {
  copyFixture("unconvertible_projects", ".");  // ws, and the workspaces lost and plain
  expectSuccess(
      {"eclipse2hzp", "-executable-template", "E", "ws"},
      "warning: ws/a_shared/.cproject: project a_shared left out: unsupport project type: Shared Library "
      "(a shared library)\n"
      "warning: ws/b_makefile/.cproject: project b_makefile is built by its makefile: converted as an executable "
      "of its files, definitions and include directories; what the makefile does is not carried\n"
      "warning: ws/b_makefile/.cproject: no configuration is named Debug or Release; 'Default' is read as both\n"
      "warning: ws/c_unconfigured/.cproject: project c_unconfigured left out: Debug and Release configuration "
      "not specified\n"
      "warning: ws/d_untyped/.cproject: project d_untyped left out: no project element found\n"
      "warning: ws/e_twice/.cproject: project e_twice left out: multiple project elements found\n"
      "warning: ws/obj/.cproject: no configuration is named Debug or Release; 'obj' is read as both\n"
      "warning: ws/rx/.cproject: configuration 'HardwareDebug' is read as Debug and Release\n"
      "warning: ws/usb/.cproject: configuration 'USBD-FS_Debug' is read as Debug\n"
      "warning: ws/usb/.cproject: configuration 'USBD-FS_Release' is read as Release\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_unconvertible_projects.hzp"));

  // Nothing convertible is a failure: the reasons, then the error, and the
  // solution written before stays.
  writeFile("lost/lost.hzp", emptySolution("previous"));
  const auto failed = runQuenport({"eclipse2hzp", "lost"});
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_EQ(failed.standardError,
            "warning: lost/only/.cproject: project only left out: unsupport project type: Shared Library "
            "(a shared library)\n"
            "error: lost: no project could be converted (lost/only/.cproject: project only left out: unsupport "
            "project type: Shared Library (a shared library))\n");
  EXPECT_EQ(readFile("lost/lost.hzp"), emptySolution("previous"));
  // A workspace that holds no CDT project at all is no mistake: no warning.
  EXPECT_EQ(expectSuccess({"eclipse2hzp", "plain"}).standardOutput, "");
  EXPECT_EQ(readFile("plain/plain.hzp"), emptySolution("plain"));
}

// Issue form 6: include values and link locations in every form CDT writes,
// path variables of the project's variableList, and linked folders.
TEST(EclipseVendorForms, IncludePathsAndLinksInEveryFormResolve) {
  copyFixture("include_paths_and_links");
  expectSuccess(
      {"eclipse2hzp", "-executable-template", "E", "-library-template", "L", "-filter-file", "fsl_gpio.h", "ws"},
      "warning: ws/boards/evk/hello/.cproject: include directory ${ConfigName}/gen left out: it holds a "
      "variable that cannot be resolved\n"
      "warning: ws/boards/evk/hello/.project: link tool.c left out: path variable ECLIPSE_HOME is not defined\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_include_paths_and_links.hzp"));
}

// GigaDevice's projects name their firmware library by a path variable whose
// value is a Windows path ("file:/F:/GD_Boards_Demo/..."): where a trailing part
// of it lies above the project, that is the library, named relative to the
// project; a link found nowhere is left out with a warning.
TEST(EclipseVendorForms, WindowsPathsOfVariablesAreFoundAgainAboveTheProject) {
  copyFixture("windows_paths", ".");
  const QString workspace = "GD32F4xx_Demo_Suites/Projects/01_GPIO_Running_LED/Eclipse";
  expectSuccess({"eclipse2hzp", "-executable-template", "E", workspace},
                "warning: " + workspace.toUtf8() +
                    "/GPIO_Running_LED/.project: link Utilities/gd32f450i_eval.c left out: its location "
                    "D:/SVN/GD32F4xx/Utilities/gd32f450i_eval.c is a Windows path no part of which lies above the "
                    "project\n");
  EXPECT_EQ(readFile(workspace + "/Eclipse.hzp"), expectedSolution("eclipse_windows_paths.hzp"));
}
