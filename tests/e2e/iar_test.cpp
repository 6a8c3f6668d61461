// iar2hzp end to end: the solution is named after the workspace and holds no
// project; every project file named must load.

#include <gtest/gtest.h>

#include <QDir>

#include "support/test_support.h"

using testing_support::fileExists;
using testing_support::readFile;
using testing_support::runQuenport;
using testing_support::writeFile;

namespace {

QByteArray emptySolution(const char* name) {
  return QByteArray("<!DOCTYPE Orbelin_Project_File>\n<solution Name=\"") + name +
         "\" target=\"8\" version=\"2\" />\n";
}

QByteArray workspaceNaming(const QByteArray& path) {
  return "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n<workspace>\n  <project>\n    <path>" + path +
         "</path>\n  </project>\n</workspace>\n";
}

const char projectFile[] = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n<project><fileVersion>3</fileVersion></project>\n";

}  // namespace

TEST(IarImport, WritesTheEmptySolutionBesideTheWorkspace) {
  writeFile("Demo.eww", "<workspace/>");
  const auto result = runQuenport({"iar2hzp", "Demo.eww"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.standardError, "");
  EXPECT_EQ(readFile("Demo.hzp"), emptySolution("Demo"));

  writeFile("demo.old.eww", workspaceNaming("$WS_DIR$/demo.ewp"));
  writeFile("demo.ewp", projectFile);
  EXPECT_EQ(runQuenport({"iar2hzp", "demo.old.eww"}).exitCode, 0);
  EXPECT_EQ(readFile("demo.old.hzp"), emptySolution("demo.old"));

  writeFile("plain", "<workspace/>");
  EXPECT_EQ(runQuenport({"iar2hzp", "plain"}).exitCode, 0);
  EXPECT_EQ(readFile("plain.hzp"), emptySolution("plain"));
}

TEST(IarImport, ProjectPathsResolveAgainstTheWorkingDirectory) {
  writeFile("work/demo.eww", workspaceNaming("$WS_DIR$/demo.ewp"));
  writeFile("work/demo.ewp", projectFile);
  auto result = runQuenport({"iar2hzp", "work/demo.eww"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, "error: Cannot open ./demo.ewp for reading\n");
  EXPECT_FALSE(fileExists("work/demo.hzp"));

  result = runQuenport({"iar2hzp", "demo.eww"}, QDir::currentPath() + "/work");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(readFile("work/demo.hzp"), emptySolution("demo"));

  writeFile("back.eww", workspaceNaming("$WS_DIR$\\demo.ewp"));
  result = runQuenport({"iar2hzp", "back.eww"});
  EXPECT_EQ(result.standardError, "error: Cannot open .\\demo.ewp for reading\n");
}

TEST(IarImport, EveryProjectElementMustNameALoadableFile) {
  writeFile("batch.eww",
            "<workspace><batchBuild><member><project>app</project></member></batchBuild></workspace>");
  auto result = runQuenport({"iar2hzp", "batch.eww"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, "error: Cannot open  for reading\n");

  writeFile("broken.eww", workspaceNaming("broken.ewp"));
  writeFile("broken.ewp", "<project>\n<a>\n</project>\n");
  result = runQuenport({"iar2hzp", "broken.eww"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(result.standardError.startsWith("error: "));
  EXPECT_TRUE(result.standardError.endsWith(" line: 3 column: 10\n")) << result.standardError.toStdString();
  EXPECT_FALSE(fileExists("broken.hzp"));
}
