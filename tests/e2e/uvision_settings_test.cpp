// uvision2hzp end to end on the settings of real targets: project files abridged
// from published projects (tests/e2e/fixtures/uvision, copied element for
// element from ../shared/real-projects), one per compiler generation.

#include <gtest/gtest.h>

#include "e2e/uvision_fixtures.h"
#include "support/test_support.h"

using namespace uvision_fixtures;
using testing_support::expectSuccess;
using testing_support::expectedSolution;
using testing_support::readFile;
using testing_support::sourcePath;
using testing_support::writeFile;

namespace {

QByteArray realProject(const QString& name) { return readFile(sourcePath("tests/e2e/fixtures/uvision/" + name)); }

}  // namespace

// ARM Compiler 6 (STM32CubeF4 Templates: Optim 7 is -Oz, v6Lang/v6LangP, short
// enums and wchar, armlink options), ARM Compiler 5 (STM32CubeH7 HSEM_CoreSync:
// Optim 4, uC99, an FPU3(DFPU) Cortex-M7 and a Cortex-M4 target, the Target
// dialog's regions; FreeRTOS Keil_Specific: a scatter file of its own) and the
// GNU tool set (FreeRTOS GCC_Specific: options in MiscControls override the
// dialog, a GNU ld script, the linker's check boxes).
TEST(UVisionSettings, RealOptionBlocksOfEachCompilerGenerationBecomeProperties) {
  const struct {
    const char* fixture;
    const char* projectFile;
    const char* expected;
    QByteArray warnings;
  } cases[] = {
      {"stm32f4_templates_ac6.uvprojx", "MDK-ARM/Project.uvprojx", "uvision_settings_ac6.hzp",
       "warning: MDK-ARM/Project.uvprojx: not carried: linker option --diag_suppress=L6329 (target STM3240G-EVAL); "
       "--diag_suppress=L6329 (target STM3241G-EVAL)\n"
       "warning: MDK-ARM/Project.uvprojx: not carried: optimization -Oz (target STM3240G-EVAL); -Oz (target "
       "STM3241G-EVAL)\n"},
      {"stm32h745_coresync_ac5.uvprojx", "MDK-ARM/Project.uvprojx", "uvision_settings_ac5.hzp",
       "warning: MDK-ARM/Project.uvprojx: not carried: output format hex (target STM32H745I_DISCO_CM7)\n"
       "warning: MDK-ARM/Project.uvprojx: not carried: compiler option optimize for time (-Otime) for group "
       "Example/User/CM4 (target STM32H745I_DISCO_CM7); optimize for time (-Otime) for group Example/User/CM7 "
       "(target STM32H745I_DISCO_CM4)\n"},
      {"rtosdemo_keil_ac5.uvprojx", "Keil_Specific/RTOSDemo.uvprojx", "uvision_settings_ac5_scatter.hzp",
       "warning: Keil_Specific/RTOSDemo.uvprojx: not carried: output format hex (target RTOSDemo)\n"
       "warning: Keil_Specific/RTOSDemo.uvprojx: not carried: compiler option --diag_suppress=1296 for "
       "../../../Source/portable/Common/mpu_wrappers_v2.c (target RTOSDemo)\n"
       "warning: Keil_Specific/RTOSDemo.uvprojx: not carried: scatter file RTOSDemo.sct (target RTOSDemo)\n"},
      {"rtosdemo_gcc.uvprojx", "GCC_Specific/RTOSDemo.uvprojx", "uvision_settings_gnu.hzp", ""},
  };
  for (const auto& c : cases) {
    writeFile(c.projectFile, realProject(c.fixture));
    writeFile("w.uvmpw", workspace({QByteArray(".\\") + QByteArray(c.projectFile).replace('/', '\\')}));
    expectSuccess({"uvision2hzp", "w.uvmpw"}, c.warnings);
    EXPECT_EQ(readFile("w.hzp"), expectedSolution(c.expected)) << c.fixture;
  }
}

namespace {

// Turns on user program number of section ("BeforeMake", ...) in the first
// target of project, running command.
void setUserCommand(QByteArray& project, const QByteArray& section, const QByteArray& number, const QByteArray& command) {
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
  QByteArray project = realProject("rtosdemo_gcc.uvprojx");
  setUserCommand(project, "BeforeCompile", "1", "lint.exe !F");
  setUserCommand(project, "BeforeMake", "1", "cmd /c echo $P @L 100%%");
  setUserCommand(project, "AfterMake", "1", "arm-none-eabi-objcopy -O binary #L $L@L.bin");
  setUserCommand(project, "AfterMake", "2", "$K\\ARM\\ARMCC\\bin\\fromelf.exe --bin --output=@L.bin !L");
  writeFile("GCC_Specific/RTOSDemo.uvprojx", project);
  writeFile("w.uvmpw", workspace({"GCC_Specific\\RTOSDemo.uvprojx"}));
  expectSuccess({"uvision2hzp", "w.uvmpw"},
                "warning: GCC_Specific/RTOSDemo.uvprojx: not carried: user command "
                "$K\\ARM\\ARMCC\\bin\\fromelf.exe --bin --output=@L.bin !L ($K without equivalent) (target "
                "RTOSDemo_GCC_MPU)\n");
  const QByteArray solution = readFile("w.hzp");
  EXPECT_TRUE(solution.contains("      compile_pre_build_command=\"lint.exe $(RelInputPath)\"\n")) << solution.toStdString();
  EXPECT_TRUE(solution.contains("      pre_build_command=\"cmd /c echo $(ProjectDir)/ RTOSDemo 100%\"\n"));
  EXPECT_TRUE(solution.contains(
      "      linker_post_build_command=\"arm-none-eabi-objcopy -O binary $(TargetPath) $(OutDir)/RTOSDemo.bin\"\n"));
}
