// The bundled example workspaces convert to their checked-in solution files,
// byte for byte, with the options the demo uses.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>

#include "helpers/test_support.h"

using testing_support::readFile;
using testing_support::sourcePath;

namespace {

struct Example {
  const char* folder;     // under examples/
  QStringList arguments;  // run in workingDirectory (relative to the copied folder's parent)
  const char* solution;   // written, relative to that parent
  const char* workingDirectory;
  QByteArray warnings = {};
  const char* expected = nullptr;  // under the example's expected/, when not named as the solution
};

void expectExampleConverts(const Example& example) {
  testing_support::copyTree(sourcePath(QString("examples/") + example.folder),
                            QDir::currentPath() + "/" + example.folder);
  testing_support::expectSuccess(example.arguments, example.warnings,
                                 QDir::current().absoluteFilePath(example.workingDirectory));
  const QString solution = QString(example.solution);
  const QString expectedName = example.expected ? QString(example.expected) : QFileInfo(solution).fileName();
  const QByteArray expected =
      readFile(sourcePath(QString("examples/%1/expected/%2").arg(example.folder, expectedName)));
  ASSERT_FALSE(expected.isEmpty()) << example.folder;
  EXPECT_EQ(readFile(solution), expected) << example.folder;
}

}  // namespace

// The Eclipse workspace is given by a relative path. The IAR example is expanded
// with the build tree's installed templates file as well (tests/e2e/package_test.sh
// checks the Debian package against the same expected file).
TEST(Examples, EveryExampleConvertsToItsCheckedInSolution) {
  const QByteArray iarWarning =
      "warning: application/application.ewp: paths in the IAR installation left out: "
      "$TOOLKIT_DIR$\\CMSIS\\Core\\Include\n"
      "warning: drivers/drivers.ewp: not carried: IAR compiler option --diag_suppress=Pa050 (configurations Debug, "
      "Release, RAM)\n"
      "warning: application/application.ewp: not carried: IAR compiler option --diag_suppress=Pa050 (configurations "
      "Debug, Release, RAM)\n"
      "warning: application/application.ewp: not carried: ICF file stm32f407xx_flash.icf (configurations Debug, "
      "Release); stm32f407xx_sram.icf (configuration RAM)\n";
  const Example examples[] = {
      {"uvision",
       {"uvision2hzp", "-executable-template", "STM32_EXE", "-library-template", "STM32_LIB", "blinky.uvmpw"},
       "uvision/blinky.hzp",
       "uvision"},
      {"iar",
       {"iar2hzp", "-executable-template", "STM32_EXE", "-library-template", "STM32_LIB", "firmware.eww"},
       "iar/firmware.hzp",
       "iar",
       iarWarning},
      {"iar",
       {"iar2hzp", "-executable-template", "STM32_EXE", "-library-template", "STM32_LIB", "-expand-templates",
        "firmware.eww"},
       "iar/firmware.hzp",
       "iar",
       iarWarning,
       "firmware-expanded.hzp"},
      {"eclipse", {"eclipse2hzp", "-library-template", "STM32_LIB", "eclipse"}, "eclipse/eclipse.hzp", "."},
  };
  for (const Example& example : examples) expectExampleConverts(example);
}

// Every expected solution is well-formed XML to a parser that is not the program's own.
TEST(Examples, EveryExpectedSolutionIsWellFormed) {
  QDirIterator entries(testing_support::sourcePath(""), {"*.hzp"}, QDir::Files, QDirIterator::Subdirectories);
  int checked = 0;
  while (entries.hasNext()) {
    const QString path = entries.next();
    if (!path.contains("/expected/")) continue;
    EXPECT_EQ(testing_support::xmlError(readFile(path)), QString()) << path.toStdString();
    ++checked;
  }
  EXPECT_GT(checked, 50);
}
