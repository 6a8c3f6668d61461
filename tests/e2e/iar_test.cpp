// iar2hzp end to end: the solution is named after the workspace and holds no
// project; every project file the workspace refers to must load.

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

// As Embedded Workbench writes a workspace: project references, then batch
// builds that name projects by their names alone.
QByteArray workspaceNaming(const QList<QByteArray>& paths, const QByteArray& batchBuild = {}) {
  QByteArray text = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n\r\n<workspace>\r\n";
  for (const QByteArray& path : paths) text += "  <project>\r\n    <path>" + path + "</path>\r\n  </project>\r\n";
  return text + batchBuild + "</workspace>\r\n\r\n\r\n";
}

const char projectFile[] =
    "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n\r\n<project>\r\n  <fileVersion>3</fileVersion>\r\n"
    "  <configuration>\r\n    <name>Debug</name>\r\n  </configuration>\r\n  <file>\r\n"
    "    <name>$PROJ_DIR$\\src\\main.c</name>\r\n  </file>\r\n</project>\r\n";

}  // namespace

TEST(IarImport, WritesTheEmptySolutionBesideTheWorkspace) {
  writeFile("Demo.eww", "<workspace/>");
  const auto result = runQuenport({"iar2hzp", "Demo.eww"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.standardError, "");
  EXPECT_EQ(readFile("Demo.hzp"), emptySolution("Demo"));

  writeFile("demo.old.eww", workspaceNaming({"$WS_DIR$/demo.ewp"}));
  writeFile("demo.ewp", projectFile);
  EXPECT_EQ(runQuenport({"iar2hzp", "demo.old.eww"}).exitCode, 0);
  EXPECT_EQ(readFile("demo.old.hzp"), emptySolution("demo.old"));

  writeFile("plain", "<workspace/>");
  EXPECT_EQ(runQuenport({"iar2hzp", "plain"}).exitCode, 0);
  EXPECT_EQ(readFile("plain.hzp"), emptySolution("plain"));
}

// Issue forms 1 and 2: "$WS_DIR$" is the workspace file's directory, "\"
// separates, and a name that differs from the disk only in case is found.
TEST(IarImport, ProjectPathsResolveAgainstTheWorkspaceDirectory) {
  writeFile("work/demo.eww", workspaceNaming({"$WS_DIR$\\Sub\\App.ewp", "$WS_DIR$\\RTC_Tamper.ewp", "Boot.ewp"}));
  writeFile("work/Sub/App.ewp", projectFile);
  writeFile("work/RTC_TAMPER.ewp", projectFile);
  writeFile("work/boot.EWP", projectFile);
  auto result = runQuenport({"iar2hzp", "work/demo.eww"});
  EXPECT_EQ(result.exitCode, 0) << result.standardError.toStdString();
  EXPECT_EQ(result.standardError, "");
  EXPECT_EQ(readFile("work/demo.hzp"), emptySolution("demo"));

  result = runQuenport({"iar2hzp", "demo.eww"}, QDir::currentPath() + "/work");
  EXPECT_EQ(result.exitCode, 0);

  writeFile("work/missing.eww", workspaceNaming({"$WS_DIR$\\Sub\\Gone.ewp"}));
  result = runQuenport({"iar2hzp", "work/missing.eww"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, "error: work/missing.eww: Cannot open work/Sub/Gone.ewp for reading\n");
  EXPECT_FALSE(fileExists("work/missing.hzp"));
}

// Issue form 3: batch builds name projects without a path; only "project"
// elements that hold a "path" refer to project files.
TEST(IarImport, BatchBuildMembersAreNoProjectReferences) {
  const QByteArray batch =
      "  <batchBuild>\r\n    <batchDefinition>\r\n      <name>All</name>\r\n      <member>\r\n"
      "        <project>App</project>\r\n        <configuration>Debug</configuration>\r\n      </member>\r\n"
      "    </batchDefinition>\r\n  </batchBuild>\r\n";
  writeFile("batch.eww", workspaceNaming({"$WS_DIR$\\App.ewp"}, batch));
  writeFile("App.ewp", projectFile);
  auto result = runQuenport({"iar2hzp", "batch.eww"});
  EXPECT_EQ(result.exitCode, 0) << result.standardError.toStdString();
  EXPECT_EQ(readFile("batch.hzp"), emptySolution("batch"));

  writeFile("empty.eww", workspaceNaming({"$WS_DIR$\\App.ewp", ""}, batch));
  result = runQuenport({"iar2hzp", "empty.eww"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, "error: empty.eww: the path of project entry 2 is empty\n");
}

TEST(IarImport, AMalformedProjectIsNamedInTheError) {
  writeFile("ws/broken.eww", workspaceNaming({"$WS_DIR$\\broken.ewp"}));
  writeFile("ws/broken.ewp", "<project>\n<a>\n</project>\n");
  const auto result = runQuenport({"iar2hzp", "ws/broken.eww"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(result.standardError.startsWith("error: ws/broken.ewp: ")) << result.standardError.toStdString();
  EXPECT_TRUE(result.standardError.endsWith(" line: 3 column: 10\n")) << result.standardError.toStdString();
  EXPECT_FALSE(fileExists("ws/broken.hzp"));
}
