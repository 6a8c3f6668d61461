// eclipse2hzp on the build settings of each Eclipse flavour, written as the
// published projects write them (issues 23, 24 cause 5, 26): the target,
// optimisation, language, warnings, other flags, linker script, libraries and
// build steps per configuration; each tool's own lists; the kinds of TI's and
// NXP's projects; build variables; tool chains for other processors.

#include <gtest/gtest.h>

#include "e2e/eclipse_fixtures.h"
#include "helpers/test_support.h"

using eclipse_fixtures::copyFixture;
using testing_support::expectedSolution;
using testing_support::expectSuccess;
using testing_support::readFile;

// Issue 23: GNU ARM Eclipse (Nuvoton, Artery): family, FPU unit and ABI,
// optimisation, debug level, C standard, warnings, flags, the linker script
// per configuration; a script through an IDE variable is reported.
TEST(EclipseBuildSettings, GnuMcuSettingsReachTheSolution) {
  copyFixture("gnu_mcu_settings");
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/template/.cproject: include directory ${workspace_project_locations}/../../../../../"
                "libraries/drivers/inc left out: it holds a variable that cannot be resolved\n"
                "warning: ws/template/.cproject: linker script ${workspace_project_locations}/../../../../../libraries/"
                "cmsis/cm4/device_support/startup/gcc/linker/AT32F403AxG_FLASH.ld left out: it holds a variable that "
                "cannot be resolved\n"
                "warning: ws/template/.cproject: not carried: runtime library option --specs=nano.specs "
                "(configuration Debug)\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_gnu_mcu_settings.hzp"));
}

// Issues 23 and 24 (cause 5): STM32CubeIDE's MCU becomes the device of each
// configuration; the assembler's "DEBUG" goes to the assembler alone; a C++
// project takes the C++ compiler's lists and linker.
TEST(EclipseBuildSettings, Stm32CubeIdeSettingsAndEachToolsOwnLists) {
  copyFixture("cube_settings");
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/Templates/.cproject: configuration 'STM3240G-EVAL_Debug' is read as Debug\n"
                "warning: ws/Templates/.cproject: configuration 'STM3240G-EVAL_Release' is read as Release\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_cube_settings.hzp"));
}

// Issue 31, cause 2: STM32CubeIDE names the MCU and the FPU, never the core,
// which it derives from the MCU (STM32CubeF4's GPIO_IOToggle for the
// STM32F446RE): the device table gives it.
TEST(EclipseBuildSettings, Stm32CubeIdeTakesTheCoreFromTheMcu) {
  copyFixture("cube_device_core");
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"});
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_cube_device_core.hzp"));
}

// Issue 23: CDT's own GNU tools say the target in "other flags" and the script
// with -T in the linker flags; the build steps run in the build directory,
// with CDT's variables as the solution's macros, and a step with a variable
// only the IDE knows is reported.
TEST(EclipseBuildSettings, CdtGnuToolSettingsAndBuildStepsReachTheSolution) {
  copyFixture("cdt_gnu_settings");
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/app/.cproject: not carried: post-build step ${eclipse_home}/tools/sign ${ProjName}.elf "
                "(configuration Release)\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_cdt_gnu_settings.hzp"));
}

// Issue 26, point 2: TI Code Composer Studio records the kind in the output's
// extension and the tool chain's id; NXP CodeWarrior for MCU ARM in its own
// artefact types.
TEST(EclipseBuildSettings, CodeComposerAndCodeWarriorProjectsHaveTheirKinds) {
  copyFixture("ccs_codewarrior_kinds");
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "-library-template", "L", "ws"});
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_ccs_codewarrior_kinds.hzp"));
}

// Issue 26, point 3: the build variables a configuration defines
// ("stringMacro", "stringListMacro") are expanded before the path rules, per
// configuration; one defined nowhere is reported.
TEST(EclipseBuildSettings, BuildVariablesOfAConfigurationAreExpanded) {
  copyFixture("build_variables");
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/frdm/led_blinky/.cproject: include directory ${KSDK_PATH}/devices left out: it holds a "
                "variable that cannot be resolved\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_build_variables.hzp"));
}

// Issue 26, point 5: tool chains for processors other than ARM Cortex-M (the
// WCH RISC-V one, GNU MCU's AArch64, TI's MSP430) convert files, definitions
// and include directories, write no ARM target settings, and are named once
// per project, with its device and core where it names them.
TEST(EclipseBuildSettings, TargetsThatAreNotArmConvertWithoutArmSettings) {
  copyFixture("wch_gpio_toggle");
  copyFixture("other_architectures");
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/EVT/EXAM/GPIO/GPIO_Toggle/.cproject: no configuration is named Debug or Release; 'obj' is "
                "read as both\n"
                "warning: ws/EVT/EXAM/GPIO/GPIO_Toggle/.cproject: RISC-V target: files, definitions and include "
                "directories converted, no ARM target settings written\n"
                "warning: ws/fr5994/.cproject: MSP430 target: files, definitions and include directories converted, "
                "no ARM target settings written\n"
                "warning: ws/rza/.cproject: AArch64 target: files, definitions and include directories converted, no "
                "ARM target settings written\n"
                "warning: ws/EVT/EXAM/GPIO/GPIO_Toggle/.cproject: not carried: runtime library option -nostartfiles; "
                "--specs=nano.specs (configuration obj)\n"
                "warning: ws/EVT/EXAM/GPIO/GPIO_Toggle/.cproject: not carried: RISC-V option -march=rv32imacxw; "
                "-mabi=ilp32 (configuration obj)\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_other_architectures.hzp"));
}

// Issue 31, cause 5: Freescale CodeWarrior's ColdFire projects record their
// kind only as the ".elf" they make; their files and include directories
// convert, with the warning for a processor other than ARM; the options of its
// tool chain, which the table does not know, are reported as they stand.
TEST(EclipseBuildSettings, CodeWarriorColdFireProjectsConvertTheirFiles) {
  copyFixture("codewarrior_coldfire");
  const QByteArray cproject = "warning: ws/TWR-MM256_FreeRTOS/.cproject: ";
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                cproject +
                    "include directory ${MCUToolsBaseDir}/ColdFire_Support/ewl/EWL_C/include left out: it "
                    "holds a variable that cannot be resolved\n" +
                    cproject +
                    "no configuration is named Debug or Release; 'MCF51MM256_Internal_Flash' is read as "
                    "both\n" +
                    cproject +
                    "ColdFire target: files, definitions and include directories converted, no ARM target "
                    "settings written\n" +
                    cproject +
                    "not carried: Eclipse option sharedoption.processor=51MM; input.lcf_file=${ProjDirPath}/"
                    "Project_Settings/Linker_Files/ProcessorExpert.lcf (configuration MCF51MM256_Internal_Flash)\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_codewarrior_coldfire.hzp"));
}
