// Published project forms whose core, FPU or exclusions decide whether their
// sources compile: each C file compiles to an object with arm-none-eabi-gcc
// told only what the converted solution says. Skipped where the compiler is
// not installed.

#include <gtest/gtest.h>

#include "e2e/solution_compile.h"
#include "helpers/test_support.h"

// The IAR, STM32CubeIDE and DAVE sources use what the device's Cortex-M4F has
// and a Cortex-M0, no core or no FPU lack (DAVE's also its float ABI, strict
// C99 and optimisation); the Eclipse project's excluded file stops any build
// that compiles it.
TEST(DeviceCores, EveryCFileCompilesWithWhatTheSolutionSays) {
  if (solution_compile::compiler().isEmpty()) GTEST_SKIP() << "arm-none-eabi-gcc is not installed";
  const QString iar = "tests/e2e/fixtures/iar/device_cores";
  const QString eclipse = "tests/e2e/fixtures/eclipse/";
  const struct {
    QString folder;
    QString input;  // a workspace; its solution is beside it
  } forms[] = {
      {iar, "STM32446E-Nucleo/EWARM/Project.eww"},             // an IAR core code unknown before, older FPU option
      {iar, "STM32F411RE-Nucleo/EWARM/Project.eww"},           // a stale IAR core code beside the device
      {iar, "test_suit_ecdh/IAR/mbedtls_test_suit_ecdh.eww"},  // the older FPU option of Embedded Workbench 6
      {eclipse + "cube_device_core", "."},                     // STM32CubeIDE's MCU without a core
      {eclipse + "source_entries", "."},                       // a file excluded from the workspace root
      {eclipse + "dave_device_core", "."},                     // DAVE's target without a core
  };
  for (const auto& form : forms) {
    testing_support::copyTree(testing_support::sourcePath(form.folder), form.folder);
    const bool ofIar = form.input.endsWith(".eww");
    const QStringList arguments{
        ofIar ? "iar2hzp" : "eclipse2hzp", "-executable-template", "E", "-library-template", "L", form.input};
    ASSERT_EQ(testing_support::runQuenport(arguments, form.folder).exitCode, 0) << form.input.toStdString();
    const QString solution =
        ofIar ? QString(form.input).replace(".eww", ".hzp") : form.folder.section('/', -1) + ".hzp";
    for (const char* configuration : {"Debug", "Release"}) {
      const auto files = solution_compile::compilationsOf(form.folder + "/" + solution, configuration);
      EXPECT_FALSE(files.isEmpty()) << solution.toStdString();
      EXPECT_EQ(solution_compile::failedCompilations(files), "") << solution.toStdString() << " " << configuration;
    }
  }
}
