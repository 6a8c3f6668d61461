// eclipse2hzp on the resources of projects as vendor IDEs write them (issue
// 24): include paths through linked folders, resource filters, source entries
// and exclusions, upper-case ".S" sources, and folders and files with options
// of their own. Each workspace is converted by the binary and the whole
// solution compared.

#include <gtest/gtest.h>

#include "e2e/eclipse_fixtures.h"
#include "e2e/eclipse_vendor_fixtures.h"
#include "support/test_support.h"

using eclipse_fixtures::absolute;
using testing_support::expectSuccess;
using testing_support::expectedSolution;
using testing_support::readFile;
using testing_support::writeFile;
using namespace vendor_fixtures;

namespace {

const QByteArray gnuArm = "ilg.gnuarmeclipse.managedbuild.cross.option.";

void writeFiles(const QString& directory, const QList<const char*>& files) {
  for (const char* file : files) writeFile(directory + "/" + file, "");
}

// The WCH example as published: its sources lie in EVT/EXAM/SRC, which the
// project links folder by folder.
void writeWchWorkspace(const QString& workspace) {
  const QString project = workspace + "/EVT/EXAM/GPIO/GPIO_Toggle";
  writeFile(project + "/.project", wchGpioToggleProject());
  writeFile(project + "/.cproject", wchGpioToggleSettings());
  writeFiles(project, {"User/main.c", "User/ch32v30x_it.h", "GPIO_Toggle.wvproj"});
  writeFiles(workspace + "/EVT/EXAM/SRC",
             {"Core/core_riscv.c", "Debug/debug.c", "Ld/Link.ld", "Peripheral/inc/ch32v30x_gpio.h",
              "Peripheral/src/ch32v30x_gpio.c", "Startup/startup_ch32v30x_D8.S", "Startup/startup_ch32v30x_D8C.S"});
}

// A GNU ARM Eclipse configuration "Release" whose C compiler has the given options.
QByteArray gnuArmRelease(const QByteArray& compilerOptions, const QByteArray& after = {}) {
  return cdtSettings(
      cconfiguration({"ilg.gnuarmeclipse.managedbuild.cross.config.elf.release.1162487163", "Release",
                      gnuArmExecutable("release"),
                      toolChain("ilg.gnuarmeclipse.managedbuild.cross.toolchain.elf.release", "Cross ARM GCC",
                                tool("ilg.gnuarmeclipse.managedbuild.cross.tool.c.compiler", "Cross ARM GNU C Compiler",
                                     compilerOptions)),
                      after}),
      gnuArmProjectElement());
}

// The Nuvoton example's place in its repository, so that its links resolve.
const QString nuvotonProject = "ws/SampleCode/StdDriver/FMC_XOM_LibDemo/GCC/FMC_XOM_Lib";

void writeNuvotonLibrary() {
  writeFiles("ws/Library/Device/Nuvoton/M480/Source",
             {"system_M480.c", "ARM/startup_M480.s", "IAR/startup_M480.s", "GCC/startup_M480.S"});
  writeFiles("ws/Library/StdDriver/src", {"clk.c", "fmc.c", "sys.c", "uart.c", "retarget.c", "can.c", "spi.c", "i2c.c"});
  writeFiles("ws/SampleCode/StdDriver/FMC_XOM_LibDemo", {"main.c", "xom_entry.c", "xom_lib.c"});
}

}  // namespace

// Issue 24, cause 1: "${workspace_loc:/${ProjName}/Peripheral/inc}" lies where
// the folder link "Peripheral" leads, also for a link nested in a virtual
// folder, one through a path variable, and a link of another project; a
// virtual folder has no location.
TEST(EclipseResources, IncludePathsInsideAProjectGoThroughItsLinks) {
  writeWchWorkspace("ws");
  const QByteArray demoLink =
      link("Demo", "2", "<locationURI>copy_PARENT1</locationURI>");
  QByteArray description = nuvotonLinksAndFilters();
  description.replace("\t</linkedResources>", demoLink + "\t</linkedResources>");
  writeFile(nuvotonProject + "/.project", projectDescription("FMC_XOM_Lib", description));
  writeFile(nuvotonProject + "/.cproject",
            gnuArmRelease(listOption(gnuArm + "c.compiler.include.paths", "Include paths (-I)", "includePath",
                                     {"&quot;${workspace_loc:/${ProjName}/CMSIS/CMSIS/GCC}&quot;",
                                      "&quot;${workspace_loc:/${ProjName}/Demo/inc}&quot;",
                                      "&quot;${workspace_loc:/GPIO_Toggle/Peripheral/inc}&quot;",
                                      "&quot;${workspace_loc:/${ProjName}/CMSIS}&quot;"})));
  writeNuvotonLibrary();
  writeFiles("ws/SampleCode/StdDriver/Project/M480LD/Git/bsp/SampleCode/StdDriver/FMC_XOM_LibDemo", {"inc/demo.h"});
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/EVT/EXAM/GPIO/GPIO_Toggle/.cproject: no configuration is named Debug or Release; "
                "'obj' is read as both\n"
                "warning: ws: RISC-V target: files, definitions and include directories converted, no ARM target "
                "settings written\n"
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
  writeFile(nuvotonProject + "/.project", projectDescription("FMC_XOM_Lib", nuvotonLinksAndFilters()));
  writeFile(nuvotonProject + "/.cproject", gnuArmRelease({}));
  writeNuvotonLibrary();

  const QByteArray anyOf =
      "\t\t\t<matcher>\n\t\t\t\t<id>org.eclipse.ui.ide.orFilterMatcher</id>\n\t\t\t\t<arguments>\n"
      "\t\t\t\t\t<matcher>\n\t\t\t\t\t\t<id>org.eclipse.ui.ide.multiFilter</id>\n"
      "\t\t\t\t\t\t<arguments>1.0-name-matches-false-false-*_test.c</arguments>\n\t\t\t\t\t</matcher>\n"
      "\t\t\t\t\t<matcher>\n\t\t\t\t\t\t<id>org.eclipse.ui.ide.andFilterMatcher</id>\n\t\t\t\t\t\t<arguments>\n"
      "\t\t\t\t\t\t\t<matcher>\n\t\t\t\t\t\t\t\t<id>org.eclipse.ui.ide.multiFilter</id>\n"
      "\t\t\t\t\t\t\t\t<arguments>1.0-projectRelativePath-matches-false-false-drivers/usb/host*</arguments>\n"
      "\t\t\t\t\t\t\t</matcher>\n"
      "\t\t\t\t\t\t\t<matcher>\n\t\t\t\t\t\t\t\t<id>org.eclipse.ui.ide.notFilterMatcher</id>\n\t\t\t\t\t\t\t\t<arguments>\n"
      "\t\t\t\t\t\t\t\t\t<matcher>\n\t\t\t\t\t\t\t\t\t\t<id>org.eclipse.ui.ide.multiFilter</id>\n"
      "\t\t\t\t\t\t\t\t\t\t<arguments>1.0-name-matches-false-false-*.h</arguments>\n"
      "\t\t\t\t\t\t\t\t\t</matcher>\n\t\t\t\t\t\t\t\t</arguments>\n\t\t\t\t\t\t\t</matcher>\n"
      "\t\t\t\t\t\t</arguments>\n\t\t\t\t\t</matcher>\n"
      "\t\t\t\t</arguments>\n\t\t\t</matcher>\n";
  const QByteArray filters =
      "\t<linkedResources>\n" + link("drivers", "2", "<locationURI>PARENT-1-PROJECT_LOC/drivers</locationURI>") +
      "\t</linkedResources>\n\t<filteredResources>\n" + filter("drivers", "22", anyOf) +
      filter("drivers", "10", multiFilter("1.0-name-matches-false-false-LEGACY")) +
      filter("", "26", multiFilter("1.0-name-matches-true-true-O.j")) +
      filter("drivers/usb", "5", multiFilter("1.0-name-matches-false-true-.*\\.[ch]")) +
      filter("drivers", "6", multiFilter("1.0-location-matches-false-false-*.c")) + "\t</filteredResources>\n";
  eclipse_fixtures::writeProject("ws/app", "app", gnuArmRelease({}), filters);
  writeFiles("ws/drivers", {"gpio.c", "gpio_test.c", "legacy/old.c", "usb/device.c", "usb/host_core.c",
                            "usb/host_core.h", "usb/notes.txt", "usb/Obj/x.c", "usb/obj/y.c"});
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/app/.project: resource filter on drivers left out: it matches the location, which is "
                "not read\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_resource_filters.hzp"));
}

// Issue 24, cause 3: files a configuration's source entries leave out, or that
// it excludes, stay listed and are excluded in that configuration; a folder
// outside every source entry is not built.
TEST(EclipseResources, SourceEntriesAndExclusionsLeaveFilesListedButNotBuilt) {
  const QByteArray id = "com.st.stm32cube.ide.mcu.gnu.managedbuild.config.exe.debug.143055526";
  const auto cube = [&](const QByteArray& name, const QByteArray& after) {
    return cconfiguration({id + "." + name.left(1), name,
                           "artifactExtension=\"elf\" artifactName=\"${ProjName}\" buildArtefactType=\"org.eclipse.cdt."
                           "build.core.buildArtefactType.exe\" cleanCommand=\"rm -rf\" "
                           "parent=\"com.st.stm32cube.ide.mcu.gnu.managedbuild.config.exe.debug\"",
                           toolChain("com.st.stm32cube.ide.mcu.gnu.managedbuild.toolchain.exe.debug", "MCU ARM GCC", {}),
                           after});
  };
  const QByteArray settings = cdtSettings(
      cube("STM3240G-EVAL_Debug",
           "\t\t\t\t\t<resourceConfiguration exclude=\"true\" resourcePath=\"Example/User/legacy.c\"/>\n" +
               sourceEntries(sourceEntry("", "Example/Startup/startup_stm32f417xx.s"))) +
          cube("STM3241G-EVAL_Release",
               sourceEntries(sourceEntry("", "Example/Startup/startup_stm32f407xx.s|Example/User/trace/|**/*_test.c"))),
      "<project id=\"Templates.null.781109488\" name=\"Templates\"/>");
  eclipse_fixtures::writeProject("ws/Templates", "Templates", settings);
  writeFiles("ws/Templates", {"Example/Startup/startup_stm32f407xx.s", "Example/Startup/startup_stm32f417xx.s",
                              "Example/User/main.c", "Example/User/legacy.c", "Example/User/main_test.c",
                              "Example/User/trace/trace.c"});
  // Source entries naming folders only: the rest of the project is not built.
  eclipse_fixtures::writeProject("ws/lib", "lib",
                                 gnuArmRelease({}, sourceEntries(sourceEntry("src", "gen") + sourceEntry("src/gen/keep"))));
  writeFiles("ws/lib", {"src/a.c", "src/gen/x.c", "src/gen/keep/y.c", "tools/make.c", "top.c"});
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/Templates/.cproject: configuration 'STM3240G-EVAL_Debug' is read as Debug\n"
                "warning: ws/Templates/.cproject: configuration 'STM3241G-EVAL_Release' is read as Release\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_source_entries.hzp"));
}

// Issue 24, cause 4: startup files with an upper-case ".S" are sources, in the
// project's own tree and in its linked folders.
TEST(EclipseResources, UpperCaseAssemblerSourcesAreSources) {
  eclipse_fixtures::writeProject(
      "ws/m480", "m480", gnuArmRelease({}),
      "\t<linkedResources>\n" +
          link("Startup", "2", "<locationURI>PARENT-1-PROJECT_LOC/Library/Device/Nuvoton/M480/Source/GCC</locationURI>") +
          "\t</linkedResources>\n");
  writeFiles("ws", {"Library/Device/Nuvoton/M480/Source/GCC/startup_M480.S", "m480/boot/startup_ch32v30x_D8C.S",
                    "m480/boot/vectors.S.txt"});
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"});
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_upper_case_assembler.hzp"));
}

// Issue 24, cause 6: the Nuvoton files with "Other compiler flags" of their own,
// and a linked folder whose tool chain sets another optimisation level and
// more definitions (its options derive from the configuration's).
TEST(EclipseResources, FoldersAndFilesWithOptionsOfTheirOwnKeepThem) {
  writeFile(nuvotonProject + "/.project", projectDescription("FMC_XOM_Lib", nuvotonLinksAndFilters()));
  const QByteArray folderInfo =
      "\t\t\t\t\t<folderInfo id=\"ilg.gnuarmeclipse.managedbuild.cross.config.elf.release.1162487163.2047756949\" "
      "name=\"/\" resourcePath=\"Library/Library\">\n"
      "\t\t\t\t\t\t<toolChain id=\"ilg.gnuarmeclipse.managedbuild.cross.toolchain.elf.release.1965832536\" "
      "name=\"Cross ARM GCC\" superClass=\"ilg.gnuarmeclipse.managedbuild.cross.toolchain.elf.release.633739797\" "
      "unusedChildren=\"\">\n" +
      option(gnuArm + "optimization.level.13681793", "Optimization Level", gnuArm + "optimization.level.more",
             "enumerated") +
      tool("ilg.gnuarmeclipse.managedbuild.cross.tool.c.compiler.736676640", "Cross ARM GNU C Compiler",
           listOption(gnuArm + "c.compiler.defs.1473111459", "Defined symbols (-D)", "definedSymbols",
                      {"NDEBUG", "USE_DRIVER_ASSERT=0"})) +
      "\t\t\t\t\t\t</toolChain>\n\t\t\t\t\t</folderInfo>\n";
  writeFile(nuvotonProject + "/.cproject",
            gnuArmRelease(listOption(gnuArm + "c.compiler.defs", "Defined symbols (-D)", "definedSymbols", {"NDEBUG"}) +
                              option(gnuArm + "c.compiler.other", "Other compiler flags", "-fstack-usage", "string"),
                          nuvotonFileInfo("xom_lib.c", "User/xom_lib.c", "-mpure-code") +
                              nuvotonFileInfo("xom_entry.c", "User/xom_entry.c", "-mpure-code") + folderInfo));
  writeNuvotonLibrary();
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/SampleCode/StdDriver/FMC_XOM_LibDemo/GCC/FMC_XOM_Lib/.cproject: not carried: option "
                "-fstack-usage left out by ../../xom_entry.c; -fstack-usage left out by ../../xom_lib.c "
                "(configuration Release)\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_item_settings.hzp"));
}
