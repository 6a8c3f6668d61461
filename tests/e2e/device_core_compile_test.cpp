// Published project forms whose core, FPU or exclusions decide whether their
// sources compile: each C file compiles to an object with arm-none-eabi-gcc
// told only what the converted solution says. Skipped where the compiler is
// not installed.

#include <gtest/gtest.h>

#include "e2e/solution_compile.h"
#include "support/test_support.h"

// The sources use the device's Cortex-M4F: its barrier, its saturating
// addition and its FPU's square root, which a Cortex-M0, no core at all or a
// core without FPU reject. The excluded file of the Eclipse project stops any
// build that compiles it.
TEST(DeviceCores, EveryCFileCompilesWithWhatTheSolutionSays) {
  if (solution_compile::compiler().isEmpty()) GTEST_SKIP() << "arm-none-eabi-gcc is not installed";
  const QString fixtures = "tests/e2e/fixtures/";
  const QStringList iar{"iar2hzp", "-executable-template", "E"};
  const QStringList eclipse{"eclipse2hzp", "-executable-template", "E", "-library-template", "L", "."};
  const struct {
    QString folder;
    QStringList arguments;
    QString solution;
  } forms[] = {
      // An IAR core code the reader did not know (version 21, 40), the older FPU option.
      {fixtures + "iar/device_cores", iar + QStringList("STM32446E-Nucleo/EWARM/Project.eww"),
       "STM32446E-Nucleo/EWARM/Project.hzp"},
      // A stale IAR core code (Cortex-M0) beside the STM32F411RE device.
      {fixtures + "iar/device_cores", iar + QStringList("STM32F411RE-Nucleo/EWARM/Project.eww"),
       "STM32F411RE-Nucleo/EWARM/Project.hzp"},
      // The older FPU option of Embedded Workbench 6 (Nuvoton M480).
      {fixtures + "iar/device_cores", iar + QStringList("test_suit_ecdh/IAR/mbedtls_test_suit_ecdh.eww"),
       "test_suit_ecdh/IAR/mbedtls_test_suit_ecdh.hzp"},
      // STM32CubeIDE's MCU without a core.
      {fixtures + "eclipse/cube_device_core", eclipse, "cube_device_core.hzp"},
      // A file excluded by its path from the workspace root in one configuration.
      {fixtures + "eclipse/source_entries", eclipse, "source_entries.hzp"},
  };
  for (const auto& form : forms) {
    testing_support::copyTree(testing_support::sourcePath(form.folder), form.folder);
    ASSERT_EQ(testing_support::runQuenport(form.arguments, form.folder).exitCode, 0) << form.solution.toStdString();
    for (const char* configuration : {"Debug", "Release"}) {
      const auto files = solution_compile::compilationsOf(form.folder + "/" + form.solution, configuration);
      EXPECT_FALSE(files.isEmpty()) << form.solution.toStdString();
      EXPECT_EQ(solution_compile::failedCompilations(files), "") << form.solution.toStdString() << " " << configuration;
    }
  }
}
