// What a user's build does first with a converted solution: every C file
// compiles to an object with the GNU ARM compiler told only what the solution
// says, for the examples and for published project forms whose settings decide
// whether their sources compile. Skipped where arm-none-eabi-gcc is not installed.

#include <gtest/gtest.h>

#include "e2e/solution_compile.h"
#include "helpers/test_support.h"

namespace {

/// Copies folder (below the source tree) to where the test runs, converts it
/// there with arguments and compiles every C file of solution in configurations.
void expectCompiles(const QString& folder, const QStringList& arguments, const QString& solution,
                    const QStringList& configurations = {"Debug", "Release"}) {
  testing_support::copyTree(testing_support::sourcePath(folder), folder);
  ASSERT_EQ(testing_support::runQuenport(arguments, folder).exitCode, 0) << folder.toStdString();
  for (const QString& configuration : configurations) {
    const auto files = solution_compile::compilationsOf(folder + "/" + solution, configuration);
    EXPECT_FALSE(files.isEmpty()) << folder.toStdString();
    EXPECT_EQ(solution_compile::failedCompilations(files), "") << (folder + " " + configuration).toStdString();
  }
}

}  // namespace

TEST(Examples, EveryCFileCompilesWithWhatTheSolutionSays) {
  if (solution_compile::compiler().isEmpty()) GTEST_SKIP() << "arm-none-eabi-gcc is not installed";
  const QStringList templates{"-executable-template", "E", "-library-template", "L"};
  expectCompiles("examples/uvision", QStringList("uvision2hzp") << templates << "blinky.uvmpw", "blinky.hzp");
  expectCompiles("examples/iar", QStringList("iar2hzp") << templates << "firmware.eww", "firmware.hzp");
  expectCompiles("examples", {"eclipse2hzp", "-library-template", "L", "eclipse"}, "eclipse/eclipse.hzp");
}

// Each abridged to one source that uses what its original compiler takes.
TEST(PublishedForms, EveryCFileCompilesWithWhatTheSolutionSays) {
  if (solution_compile::compiler().isEmpty()) GTEST_SKIP() << "arm-none-eabi-gcc is not installed";
  const QStringList uvision{"uvision2hzp", "w.uvmpw"};
  const QStringList iar{"iar2hzp", "-executable-template", "E", "-library-template", "L", "ws.eww"};
  const QString fixtures = "tests/e2e/fixtures/";
  // ARM Compiler 5 in its default C90 mode (Artery): // comments and inline.
  expectCompiles(fixtures + "uvision/artery_calibration_ac5", uvision, "w.hzp");
  // ARM Compiler 5 with --C99 in MiscControls (STM32CubeF4): declarations in for.
  expectCompiles(fixtures + "uvision/stm32f446_gpio_ac5", uvision, "w.hzp");
  // ARM Compiler 6 at Optim 7, -Oz (Nuvoton M480): built for size.
  expectCompiles(fixtures + "uvision/m480_isp_spi_ac6", uvision, "w.hzp");
  // IAR's Standard C (C99 in EWARM 7) with its extensions (Microchip SAM4L): asm.
  expectCompiles(fixtures + "iar/sam4l_events", iar, "ws.hzp");
  // IAR's Standard C (C18 in EWARM 9) with its extensions (Artery): anonymous
  // members, asm; the template sets up only Debug.
  expectCompiles(fixtures + "iar/artery_template_ewarm9", iar, "ws.hzp", {"Debug"});
}
