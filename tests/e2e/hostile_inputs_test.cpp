// Inputs made to hurt: each is refused or bounded with a message naming it, and
// nothing a user had is lost.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "e2e/eclipse_fixtures.h"
#include "e2e/iar_fixtures.h"
#include "e2e/uvision_fixtures.h"
#include "helpers/test_support.h"

using testing_support::fileExists;
using testing_support::readFile;
using testing_support::runQuenport;
using testing_support::writeFile;

// A project file larger than any real one is refused before it is read (the
// file here is sparse: it takes no room on the disk), and so is one whose size
// the system does not give (opened without blocking: /proc/kmsg would never end).
TEST(HostileInputs, FilesLargerThanTheLimitOrOfNoKnownSizeAreNotRead) {
  writeFile("w.uvmpw", uvision_fixtures::workspace({"p.uvprojx"}));
  QFile huge("p.uvprojx");
  ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
  ASSERT_TRUE(huge.resize((qint64(256) << 20) + 1));
  huge.close();
  const auto result = runQuenport({"uvision2hzp", "-executable-template", "E", "w.uvmpw"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError,
            "error: p.uvprojx: larger than 256 MiB, the most a workspace or project file may be\n");
  EXPECT_FALSE(fileExists("w.hzp"));
  writeFile("w.uvmpw", uvision_fixtures::workspace({"/proc/self/status"}));
  EXPECT_EQ(runQuenport({"uvision2hzp", "-executable-template", "E", "w.uvmpw"}).standardError,
            "error: /proc/self/status: not read: the system gives no size for it before it is read (a file of /proc or "
            "/sys)\n");
}

namespace {

const QByteArray previous = "<!DOCTYPE Orbelin_Project_File>\n<solution Name=\"previous\" />\n";

// Runs quenport and expects it to fail with exactly error on standard error.
void expectFailure(const QStringList& arguments, const QByteArray& error) {
  const auto result = runQuenport(arguments);
  EXPECT_EQ(result.exitCode, 1) << arguments.join(' ').toStdString();
  EXPECT_EQ(result.standardError, error) << arguments.join(' ').toStdString();
}

}  // namespace

// A workspace given to the wrong command, a page saved under a workspace's
// name, a project file of another IDE: each is refused by its document
// element, and the solution written before stays as it was; the other projects
// of a workspace convert.
TEST(HostileInputs, FilesOfAnotherKindAreRefusedAndReplaceNoSolution) {
  writeFile("fw.eww", iar_fixtures::workspace({"$WS_DIR$\\fw.ewp"}));
  writeFile("fw.ewp", iar_fixtures::project({{}}, iar_fixtures::file("$PROJ_DIR$\\main.c")));
  ASSERT_EQ(runQuenport({"iar2hzp", "-executable-template", "E", "fw.eww"}).exitCode, 0);
  const QByteArray converted = readFile("fw.hzp");
  expectFailure({"uvision2hzp", "-executable-template", "T", "fw.eww"}, "error: fw.eww: not a uVision workspace\n");
  EXPECT_EQ(readFile("fw.hzp"), converted);

  writeFile("page.eww",
            "<!DOCTYPE html>\n<html><head><title>fw.eww</title></head><body><p>project</p></body></html>\n");
  writeFile("page.hzp", previous);
  expectFailure({"iar2hzp", "-executable-template", "E", "page.eww"}, "error: page.eww: not an IAR workspace\n");
  EXPECT_EQ(readFile("page.hzp"), previous);

  writeFile("mixed.eww", iar_fixtures::workspace({"$WS_DIR$\\p.uvprojx"}));
  writeFile("p.uvprojx", uvision_fixtures::project({{}}));
  expectFailure(
      {"iar2hzp", "-executable-template", "E", "mixed.eww"},
      "warning: p.uvprojx: project p left out: not an IAR project\n"
      "error: mixed.eww: no project could be converted (p.uvprojx: project p left out: not an IAR project)\n");
  writeFile("mixed.uvmpw", uvision_fixtures::workspace({"fw.ewp"}));
  expectFailure(
      {"uvision2hzp", "mixed.uvmpw"},
      "warning: fw.ewp: project fw left out: not a uVision project\n"
      "error: mixed.uvmpw: no project could be converted (fw.ewp: project fw left out: not a uVision project)\n");
  EXPECT_FALSE(fileExists("mixed.hzp"));

  eclipse_fixtures::writeProject("ws/a", "a", eclipse_fixtures::cproject({{"Debug", {}}}));
  writeFile("ws/b/.project", "<workspace><project><path>b.ewp</path></project></workspace>\n");
  testing_support::expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                                 "warning: ws/b/.project: project b left out: not an Eclipse project\n");
  writeFile("ws/b/.project", eclipse_fixtures::description("b"));
  writeFile("ws/b/.cproject", eclipse_fixtures::description("b"));
  testing_support::expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                                 "warning: ws/b/.cproject: project b left out: not an Eclipse project\n");
  EXPECT_EQ(readFile("ws/ws.hzp").count("<project "), 1);
}

// The solution's path is one of the files read, by its name or through a link:
// refused before anything is written.
TEST(HostileInputs, NoInputIsReplacedByItsOwnSolution) {
  const QByteArray workspace = uvision_fixtures::workspace({"p.uvprojx"});
  writeFile("ws.hzp", workspace);
  writeFile("p.uvprojx", uvision_fixtures::project({{}}));
  expectFailure({"uvision2hzp", "ws.hzp"}, "error: ws.hzp: the solution " + testing_support::testDirectory().toUtf8() +
                                               "/ws.hzp would replace this file, which the conversion reads\n");
  EXPECT_EQ(readFile("ws.hzp"), workspace);

  const QByteArray project = uvision_fixtures::project({{.name = "listed as w.hzp"}});
  writeFile("w.uvmpw", uvision_fixtures::workspace({"p.uvprojx", ".\\W.hzp"}));
  writeFile("w.hzp", project);
  expectFailure({"uvision2hzp", "w.uvmpw"}, "error: w.hzp: the solution " + testing_support::testDirectory().toUtf8() +
                                                "/w.hzp would replace this file, which the conversion reads\n");
  EXPECT_EQ(readFile("w.hzp"), project);

  // A link named like the solution leads to the workspace read through it.
  writeFile("fw.eww", iar_fixtures::workspace({"$WS_DIR$\\fw.ewp"}));
  writeFile("fw.ewp", iar_fixtures::project({{}}, {}));
  ASSERT_TRUE(QFile::link("fw.eww", "fw.hzp"));
  expectFailure({"iar2hzp", "-executable-template", "E", "fw.hzp"},
                "error: fw.hzp: the solution " + testing_support::testDirectory().toUtf8() +
                    "/fw.hzp would replace this file, which the conversion reads\n");
  EXPECT_TRUE(QFileInfo("fw.hzp").isSymLink());
}

// A workspace that lists one project file 40,000 times, however spelled, reads
// it once and converts one project, with one warning.
TEST(HostileInputs, AProjectFileListedManyTimesIsReadOnce) {
  QList<QByteArray> iarEntries(40000, "$WS_DIR$\\p.ewp");
  iarEntries.append("$WS_DIR$\\.\\P.ewp");
  writeFile("ws.eww", iar_fixtures::workspace(iarEntries));
  writeFile("p.ewp", iar_fixtures::project({{}}, iar_fixtures::file("$PROJ_DIR$\\main.c")));
  auto result = runQuenport({"iar2hzp", "-executable-template", "E", "ws.eww"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.standardError, "warning: ws.eww: p.ewp is listed more than once; it is read once\n");
  EXPECT_EQ(readFile("ws.hzp").count("<project "), 1);

  QList<QByteArray> uvisionEntries(40000, "p.uvprojx");
  uvisionEntries.prepend("sub\\..\\p.uvprojx");
  writeFile("ws.uvmpw", uvision_fixtures::workspace(uvisionEntries));
  writeFile("p.uvprojx", uvision_fixtures::project({{.groups = uvision_fixtures::group("G", {{"a.c", "a.c"}})}}));
  QDir().mkdir("sub");
  result = runQuenport({"uvision2hzp", "-executable-template", "E", "ws.uvmpw"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.standardError, "warning: ws.uvmpw: p.uvprojx is listed more than once; it is read once\n");
  EXPECT_EQ(readFile("ws.hzp").count("<project "), 1);
}

// A solution is XML, which has no form for control characters: a name holding
// one is left out with a warning where it is found on disk, and a workspace
// whose own name holds one is refused.
TEST(HostileInputs, NamesWithControlCharactersNeverReachTheSolution) {
  writeFile("w\a.uvmpw", uvision_fixtures::workspace({"p.uvprojx"}));
  writeFile("p.uvprojx", uvision_fixtures::project({{}}));
  expectFailure(
      {"uvision2hzp", "-executable-template", "E", "w\a.uvmpw"},
      "error: w\\x07.uvmpw: the workspace's name holds a control character, which a solution file cannot hold\n");
  EXPECT_FALSE(fileExists("w\a.hzp"));
  eclipse_fixtures::writeProject("ws\x1b[2J/demo", "demo", eclipse_fixtures::cproject({{"Debug", {}}}));
  expectFailure(
      {"eclipse2hzp", "-executable-template", "E", "ws\x1b[2J"},
      "error: ws\\x1b[2J: the workspace's name holds a control character, which a solution file cannot hold\n");

  eclipse_fixtures::writeProject("ws/demo", "demo", eclipse_fixtures::cproject({{"Debug", {}}}));
  eclipse_fixtures::writeProject("ws/other\a", "other", eclipse_fixtures::cproject({{"Debug", {}}}));
  for (const char* file : {"ws/demo/main.c", "ws/demo/bell\a.c", "ws/demo/esc\x1b/inner.c", "ws/demo/notes\a.txt~"})
    writeFile(file, "");
  auto result = runQuenport({"eclipse2hzp", "-executable-template", "E", "ws"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.standardError,
            "warning: ws/demo/esc\\x1b: the name holds a control character; it is left out\n"
            "warning: ws/other\\x07: the name holds a control character; it is left out\n"
            "warning: ws/demo/bell\\x07.c: the name holds a control character; it is left out\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), testing_support::expectedSolution("eclipse_names_not_utf8.hzp"));

  // A workspace whose only project is left out for its name converts nothing:
  // the solution written before stays.
  eclipse_fixtures::writeProject("lone/only\a", "only", eclipse_fixtures::cproject({{"Debug", {}}}));
  writeFile("lone/lone.hzp", previous);
  expectFailure({"eclipse2hzp", "-executable-template", "E", "lone"},
                "warning: lone/only\\x07: the name holds a control character; it is left out\n"
                "error: lone: no project could be converted (lone/only\\x07: the name holds a control character; it "
                "is left out)\n");
  EXPECT_EQ(readFile("lone/lone.hzp"), previous);
}
