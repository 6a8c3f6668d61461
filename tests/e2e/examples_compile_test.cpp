// What a user's build does first with a converted solution: every C file of
// each example compiles to an object with the GNU ARM compiler, told only what
// the solution says in Debug. Skipped where arm-none-eabi-gcc is not installed.

#include <gtest/gtest.h>

#include <QDir>

#include "e2e/solution_compile.h"
#include "support/test_support.h"

TEST(Examples, EveryCFileCompilesWithWhatTheSolutionSays) {
  if (solution_compile::compiler().isEmpty()) GTEST_SKIP() << "arm-none-eabi-gcc is not installed";
  const struct {
    const char* folder;
    QStringList arguments;
    const char* solution;
  } examples[] = {
      {"uvision", {"uvision2hzp", "-executable-template", "E", "-library-template", "L", "uvision/blinky.uvmpw"},
       "uvision/blinky.hzp"},
      {"iar", {"iar2hzp", "-executable-template", "E", "-library-template", "L", "iar/firmware.eww"}, "iar/firmware.hzp"},
      {"eclipse", {"eclipse2hzp", "-library-template", "L", "eclipse"}, "eclipse/eclipse.hzp"},
  };
  for (const auto& example : examples) {
    testing_support::copyTree(testing_support::sourcePath(QString("examples/") + example.folder),
                              QDir::currentPath() + "/" + example.folder);
    ASSERT_EQ(testing_support::runQuenport(example.arguments).exitCode, 0) << example.folder;
    for (const char* configuration : {"Debug", "Release"}) {
      const QList<solution_compile::Compilation> files = solution_compile::compilationsOf(example.solution, configuration);
      EXPECT_FALSE(files.isEmpty()) << example.folder;
      EXPECT_EQ(solution_compile::failedCompilations(files), "") << example.folder << " " << configuration;
    }
  }
}
