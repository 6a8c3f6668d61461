// uvision2hzp end to end on the settings of real targets: project files abridged
// from published projects, copied element for element, one per compiler
// generation, each in its folder under tests/e2e/fixtures/uvision with a
// workspace w.uvmpw beside it.

#include <gtest/gtest.h>

#include "e2e/uvision_fixtures.h"
#include "helpers/test_support.h"

using testing_support::expectedSolution;
using testing_support::expectSuccess;
using testing_support::readFile;
using testing_support::writeFile;
using uvision_fixtures::copyFixture;

// ARM Compiler 6 (STM32CubeF4 Templates: Optim 7 is -Oz, size with -Oz,
// v6Lang/v6LangP, short enums and wchar, armlink options, a component only in
// its pack), ARM Compiler 5 (STM32CubeH7 HSEM_CoreSync: Optim 4, uC99 as gnu99,
// an FPU3(DFPU) Cortex-M7 and a Cortex-M4 target, the Target dialog's regions;
// FreeRTOS Keil_Specific: C90 as gnu90, a scatter file of its own) and the
// GNU tool set (FreeRTOS GCC_Specific: options in MiscControls override the
// dialog, a GNU ld script, the linker's check boxes).
TEST(UVisionSettings, RealOptionBlocksOfEachCompilerGenerationBecomeProperties) {
  const struct {
    const char* fixture;
    const char* projectFile;  // as the warnings name it
    const char* expected;
    QByteArray warnings;
  } cases[] = {
      {"stm32f4_templates_ac6", "MDK-ARM/Project.uvprojx", "uvision_settings_ac6.hzp",
       "warning: MDK-ARM/Project.uvprojx: not carried: linker option --diag_suppress=L6329 (target STM3240G-EVAL); "
       "--diag_suppress=L6329 (target STM3241G-EVAL)\n"
       "warning: MDK-ARM/Project.uvprojx: not carried: component of an installed pack CMSIS:CORE 5.3.0 from ARM.CMSIS "
       "5.6.0 (target STM3240G-EVAL); CMSIS:CORE 5.3.0 from ARM.CMSIS 5.6.0 (target STM3241G-EVAL)\n"},
      {"stm32h745_coresync_ac5", "MDK-ARM/Project.uvprojx", "uvision_settings_ac5.hzp",
       "warning: MDK-ARM/Project.uvprojx: not carried: output format hex (target STM32H745I_DISCO_CM7)\n"
       "warning: MDK-ARM/Project.uvprojx: not carried: compiler option optimize for time (-Otime) for group "
       "Example/User/CM4 (target STM32H745I_DISCO_CM7); optimize for time (-Otime) for group Example/User/CM7 "
       "(target STM32H745I_DISCO_CM4)\n"},
      {"rtosdemo_keil_ac5", "Keil_Specific/RTOSDemo.uvprojx", "uvision_settings_ac5_scatter.hzp",
       "warning: Keil_Specific/RTOSDemo.uvprojx: not carried: output format hex (target RTOSDemo)\n"
       "warning: Keil_Specific/RTOSDemo.uvprojx: not carried: compiler option --diag_suppress=1296 for "
       "../../../Source/portable/Common/mpu_wrappers_v2.c (target RTOSDemo)\n"
       "warning: Keil_Specific/RTOSDemo.uvprojx: not carried: scatter file RTOSDemo.sct (target RTOSDemo)\n"},
      {"rtosdemo_gcc", "GCC_Specific/RTOSDemo.uvprojx", "uvision_settings_gnu.hzp", ""},
  };
  for (const auto& c : cases) {
    copyFixture(c.fixture);
    expectSuccess({"uvision2hzp", "w.uvmpw"}, c.warnings);
    EXPECT_EQ(readFile("w.hzp"), expectedSolution(c.expected)) << c.fixture;
  }
}

namespace {

// Turns on user program number of section ("BeforeMake", ...) in the first
// target of project, running command.
void setUserCommand(QByteArray& project, const QByteArray& section, const QByteArray& number,
                    const QByteArray& command) {
  const qsizetype start = project.indexOf("<" + section + ">");
  const qsizetype end = project.indexOf("</" + section + ">", start);
  QByteArray block = project.mid(start, end - start);
  block.replace("<RunUserProg" + number + ">0<", "<RunUserProg" + number + ">1<");
  block.replace("<UserProg" + number + "Name></", "<UserProg" + number + "Name>" + command + "</");
  project.replace(start, end - start, block);
}

}  // namespace

// uVision's key codes become the solution's macros: the output (#L, !L, $L, @L),
// the file compiled (!F, only before each compile), the project folder ($P); a
// command that runs a tool of the uVision installation ($K) cannot run in the
// solution and is reported.
TEST(UVisionSettings, UserCommandsWithKeyCodesBecomeBuildSteps) {
  copyFixture("rtosdemo_gcc");
  QByteArray project = readFile("GCC_Specific/RTOSDemo.uvprojx");
  setUserCommand(project, "BeforeCompile", "1", "lint.exe !F");
  setUserCommand(project, "BeforeMake", "1", "cmd /c echo $P @L 100%%");
  setUserCommand(project, "AfterMake", "1", "arm-none-eabi-objcopy -O binary #L $L@L.bin");
  setUserCommand(project, "AfterMake", "2", "$K\\ARM\\ARMCC\\bin\\fromelf.exe --bin --output=@L.bin !L");
  writeFile("GCC_Specific/RTOSDemo.uvprojx", project);
  expectSuccess({"uvision2hzp", "w.uvmpw"},
                "warning: GCC_Specific/RTOSDemo.uvprojx: not carried: user command "
                "$K\\ARM\\ARMCC\\bin\\fromelf.exe --bin --output=@L.bin !L ($K without equivalent) (target "
                "RTOSDemo_GCC_MPU)\n");
  const QByteArray solution = readFile("w.hzp");
  EXPECT_TRUE(solution.contains("      compile_pre_build_command=\"lint.exe $(RelInputPath)\"\n"))
      << solution.toStdString();
  EXPECT_TRUE(solution.contains("      pre_build_command=\"cmd /c echo $(ProjectDir)/ RTOSDemo 100%\"\n"));
  EXPECT_TRUE(solution.contains(
      "      linker_post_build_command=\"arm-none-eabi-objcopy -O binary $(TargetPath) $(OutDir)/RTOSDemo.bin\"\n"));
}

// The threadx secure demo's RTE section: its configuration files that exist go
// into their component's folder (::Device) of the target that uses them, and
// of no other (a copy of the target, as uVision makes one); the folder
// of each used file and RTE/_<target> go on the include path, with _RTE_
// defined. A component with no file in the project (CMSIS:CORE) lives in its
// pack, and a file the target uses that is missing is reported. Instances
// uVision marks removed are not files of the project.
TEST(UVisionSettings, RteComponentFilesFoldersAndPacks) {
  copyFixture("threadx_secure_zone_ac6");
  QByteArray project = readFile("demo_secure_zone/demo_secure_zone.uvprojx");
  const qsizetype start = project.indexOf("    <Target>");
  const qsizetype end = project.indexOf("    </Target>\n") + 14;
  QByteArray copy = project.mid(start, end - start);
  copy.replace("<TargetName>FVP Simulation Model</TargetName>", "<TargetName>FVP Debug</TargetName>");
  project.insert(end, copy);
  writeFile("demo_secure_zone/demo_secure_zone.uvprojx", project);
  const QByteArray file = "warning: demo_secure_zone/demo_secure_zone.uvprojx: not carried: ";
  expectSuccess(
      {"uvision2hzp", "w.uvmpw"},
      file +
          "component of an installed pack CMSIS:CORE 5.3.0 from ARM.CMSIS 5.6.0 (target FVP Simulation "
          "Model)\n" +
          file + "missing RTE file RTE/Device/ARMCM33_DSP_FP_TZ/partition_ARMCM33.h (target FVP Simulation Model)\n" +
          file +
          "scatter file ./RTE/Device/ARMCM33_DSP_FP_TZ/ARMCM33_AC6.sct (target FVP Simulation Model); "
          "./RTE/Device/ARMCM33_DSP_FP_TZ/ARMCM33_AC6.sct (target FVP Debug)\n");
  EXPECT_EQ(readFile("w.hzp"), expectedSolution("uvision_rte.hzp"));
}

// The GNU tool set links a library of a group that no project of the
// workspace builds as it is (linker_additional_files), as its linker would.
TEST(UVisionSettings, GnuTargetLinksALibraryOfItsGroups) {
  copyFixture("rtosdemo_gcc");
  writeFile("GCC_Specific/RTOSDemo.uvprojx",
            readFile("GCC_Specific/RTOSDemo.uvprojx").replace(".\\startup_ARMCM4.S", "..\\lib\\libcrypto.a"));
  expectSuccess({"uvision2hzp", "w.uvmpw"});
  EXPECT_TRUE(readFile("w.hzp").contains("      linker_additional_files=\"../lib/libcrypto.a\"\n"));
}
