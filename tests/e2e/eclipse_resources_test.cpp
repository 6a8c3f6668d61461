// eclipse2hzp on the resources of projects as vendor IDEs write them (issue
// 24): include paths through linked folders, resource filters, source entries
// and exclusions, upper-case ".S" sources, and folders and files with options
// of their own. Each workspace is copied from tests/e2e/fixtures/eclipse,
// converted by the binary, and the whole solution compared. "nuvoton_fmc_xom"
// is the OpenNuvoton M480BSP FMC_XOM_Lib example in its place, with the
// links, filters and path variables of its published ".project"; a test adds
// its own ".cproject" and files over it.

#include <gtest/gtest.h>

#include "e2e/eclipse_fixtures.h"
#include "helpers/test_support.h"

using eclipse_fixtures::copyFixture;
using testing_support::expectedSolution;
using testing_support::expectSuccess;
using testing_support::readFile;
using testing_support::writeFile;

// Issue 24, cause 1: "${workspace_loc:/${ProjName}/Peripheral/inc}" lies where
// the folder link "Peripheral" leads, also for a link nested in a virtual
// folder, one through a path variable, and a link of another project; a
// virtual folder has no location.
TEST(EclipseResources, IncludePathsInsideAProjectGoThroughItsLinks) {
  copyFixture("wch_gpio_toggle");
  copyFixture("nuvoton_fmc_xom");
  copyFixture("include_paths_through_links");
  // A folder link through the path variable "copy_PARENT1".
  const QString description = "ws/SampleCode/StdDriver/FMC_XOM_LibDemo/GCC/FMC_XOM_Lib/.project";
  writeFile(description, readFile(description)
                             .replace("\t</linkedResources>",
                                      "\t\t<link>\n\t\t\t<name>Demo</name>\n\t\t\t<type>2</type>\n"
                                      "\t\t\t<locationURI>copy_PARENT1</locationURI>\n\t\t</link>\n"
                                      "\t</linkedResources>"));
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/EVT/EXAM/GPIO/GPIO_Toggle/.cproject: no configuration is named Debug or Release; "
                "'obj' is read as both\n"
                "warning: ws/EVT/EXAM/GPIO/GPIO_Toggle/.cproject: RISC-V target: files, definitions and include "
                "directories converted, no ARM target settings written\n"
                "warning: ws/SampleCode/StdDriver/FMC_XOM_LibDemo/GCC/FMC_XOM_Lib/.cproject: include directory "
                "${workspace_loc:/${ProjName}/CMSIS} left out: it lies in the virtual folder CMSIS\n"
                "warning: ws/EVT/EXAM/GPIO/GPIO_Toggle/.cproject: not carried: runtime library option -nostartfiles; "
                "--specs=nano.specs (configuration obj)\n"
                "warning: ws/EVT/EXAM/GPIO/GPIO_Toggle/.cproject: not carried: RISC-V option -march=rv32imacxw; "
                "-mabi=ilp32 (configuration obj)\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_include_paths_through_links.hzp"));
}

// Issue 24, cause 2: the Nuvoton filters keep the GCC folder of the linked
// CMSIS sources and five drivers; exclude-all, inheritable and nested
// matchers, project-relative paths, regular expressions and case as Eclipse
// applies them; a filter whose matcher is not read is left out with a warning.
TEST(EclipseResources, ResourceFiltersDecideWhatAFolderHolds) {
  copyFixture("nuvoton_fmc_xom");
  copyFixture("resource_filters");
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/app/.project:78: resource filter on drivers left out: it matches the location, which is "
                "not read\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_resource_filters.hzp"));
}

// Issue 24, cause 3: files a configuration's source entries leave out, or that
// it excludes, stay listed and are excluded in that configuration; a folder
// outside every source entry is not built. An excluded resource's path may
// start with "/" and the project's name (issue 31, cause 5).
TEST(EclipseResources, SourceEntriesAndExclusionsLeaveFilesListedButNotBuilt) {
  copyFixture("source_entries");
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/Templates/.cproject: configuration 'STM3240G-EVAL_Debug' is read as Debug\n"
                "warning: ws/Templates/.cproject: configuration 'STM3241G-EVAL_Release' is read as Release\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_source_entries.hzp"));
}

// Issue 24, cause 4: startup files with an upper-case ".S" are sources, in the
// project's own tree and in its linked folders.
TEST(EclipseResources, UpperCaseAssemblerSourcesAreSources) {
  copyFixture("upper_case_assembler");
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"});
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_upper_case_assembler.hzp"));
}

// Issue 24, cause 6: the Nuvoton files with "Other compiler flags" of their own,
// and a linked folder whose tool chain sets another optimisation level and
// more definitions (its options derive from the configuration's).
TEST(EclipseResources, FoldersAndFilesWithOptionsOfTheirOwnKeepThem) {
  copyFixture("nuvoton_fmc_xom");
  copyFixture("item_settings");
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/SampleCode/StdDriver/FMC_XOM_LibDemo/GCC/FMC_XOM_Lib/.cproject: not carried: option "
                "-fstack-usage left out by ../../xom_entry.c; -fstack-usage left out by ../../xom_lib.c "
                "(configuration Release)\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_item_settings.hzp"));
}
