// The bundled example workspaces convert to their checked-in solution files,
// byte for byte, with the options the demo uses.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>

#include "support/test_support.h"

using testing_support::readFile;
using testing_support::runQuenport;
using testing_support::sourcePath;

namespace {

struct Example {
  const char* folder;           // under examples/
  QStringList arguments;        // run in the copied folder's parent
  const char* solution;         // written, relative to that parent
};

void copyTree(const QString& from, const QString& to) {
  QDirIterator entries(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (entries.hasNext()) {
    const QString path = entries.next();
    testing_support::writeFile(to + path.mid(from.size()), readFile(path));
  }
}

void expectExampleConverts(const Example& example, const QString& workingDirectory) {
  copyTree(sourcePath(QString("examples/") + example.folder), QDir::currentPath() + "/" + example.folder);
  const auto result = runQuenport(example.arguments, QDir::current().absoluteFilePath(workingDirectory));
  ASSERT_EQ(result.exitCode, 0) << result.standardError.toStdString();
  const QString solution = QString(example.solution);
  const QByteArray expected =
      readFile(sourcePath(QString("examples/%1/expected/%2").arg(example.folder, QFileInfo(solution).fileName())));
  ASSERT_FALSE(expected.isEmpty());
  EXPECT_EQ(readFile(solution), expected);
}

}  // namespace

TEST(Examples, UVisionWorkspace) {
  expectExampleConverts({"uvision",
                         {"uvision2hzp", "-executable-template", "STM32_EXE", "-library-template", "STM32_LIB",
                          "blinky.uvmpw"},
                         "uvision/blinky.hzp"},
                        "uvision");
}

TEST(Examples, IarWorkspace) {
  expectExampleConverts({"iar",
                         {"iar2hzp", "-executable-template", "STM32_EXE", "-library-template", "STM32_LIB",
                          "firmware.eww"},
                         "iar/firmware.hzp"},
                        "iar");
}

TEST(Examples, EclipseWorkspaceGivenByARelativePath) {
  expectExampleConverts({"eclipse", {"eclipse2hzp", "-library-template", "STM32_LIB", "eclipse"}, "eclipse/eclipse.hzp"},
                        ".");
}
