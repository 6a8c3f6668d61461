// eclipse2hzp on hostile or odd workspaces: the directory named "ws/", "." or
// "..", symbolic links that lead out of the workspace or multiply the tree,
// deeply nested options, names that are not UTF-8, and "-P" names that cannot
// be attribute names. Output stays bounded and true to what it claims.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

#include "e2e/eclipse_fixtures.h"
#include "helpers/test_support.h"

using namespace eclipse_fixtures;
using testing_support::expectedSolution;
using testing_support::expectSuccess;
using testing_support::fileExists;
using testing_support::readFile;
using testing_support::runQuenport;
using testing_support::writeFile;

// Issue 12, item 5: the solution is named after the directory itself.
TEST(EclipseBounds, AWorkspaceNamedWithATrailingSlashOrDotsNamesItsSolution) {
  copyFixture("demo", "ws/demo");
  QDir().mkpath("ws/sub");
  const std::pair<const char*, const char*> runs[] = {{"ws/", ""}, {".", "ws"}, {"..", "ws/sub"}};
  for (const auto& [workspace, workingDirectory] : runs) {
    QFile::remove("ws/ws.hzp");
    expectSuccess({"eclipse2hzp", "-executable-template", "E", workspace}, {}, workingDirectory);
    EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_named_by_directory.hzp")) << workspace;
  }
  EXPECT_FALSE(fileExists("ws/.hzp"));
  EXPECT_FALSE(fileExists("ws/..hzp"));
  EXPECT_FALSE(fileExists("...hzp"));
}

// Issue 12, item 6: a link out of the workspace is not followed, and links that
// double at every level reach each directory once.
TEST(EclipseBounds, SymbolicLinksStayInsideTheWorkspaceAndEachDirectoryIsVisitedOnce) {
  copyFixture("demo", "ws/demo");
  ASSERT_TRUE(QFile::link("/", "ws/demo/root"));
  const int levels = 18;
  for (int level = 0; level < levels; ++level) {
    QDir().mkpath(QString("ws/levels/%1").arg(level));
    const QString next = QString("../%1").arg(level + 1);
    ASSERT_TRUE(QFile::link(next, QString("ws/levels/%1/a").arg(level)));
    ASSERT_TRUE(QFile::link(next, QString("ws/levels/%1/b").arg(level)));
  }
  writeFile(QString("ws/levels/%1/f.c").arg(levels), "");
  ASSERT_TRUE(QFile::link("../levels/0", "ws/demo/src"));
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/demo/root: symbolic link not followed: its target / lies outside the workspace\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_links_inside_workspace.hzp"));
}

// Issue 12, item 7: options nested inside options count each entry once.
TEST(EclipseBounds, NestedOptionsCountEachEntryOnce) {
  const int depth = 2000;
  QByteArray options;
  for (int level = 0; level < depth; ++level)
    options += "<option valueType=\"definedSymbols\"><listOptionValue builtIn=\"false\" value=\"D" +
               QByteArray::number(level) + "\"/>";
  for (int level = 0; level < depth; ++level) options += "</option>";
  writeProject("ws/demo", "demo", cproject({{"Debug", options}}));
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"});
  const QByteArray solution = readFile("ws/ws.hzp");
  EXPECT_EQ(solution.count(";D"), depth - 1);
  EXPECT_LT(solution.size(), 40000);
}

// Issue 12, item 10: names that are not UTF-8 cannot go into a solution; each
// is reported instead of vanishing.
TEST(EclipseBounds, NamesThatAreNotUtf8AreReportedOneByOne) {
  copyFixture("demo", "ws/demo");
  writeFile("ws/demo/main.c", "");
  // Qt cannot name these, so the removal of the test's directory cannot reach them: rm does.
  const struct Cleanup {
    ~Cleanup() { testing_support::runProgram("/bin/rm", {"-rf", "ws/demo"}); }
  } cleanup;
  ASSERT_EQ(::mkdir("ws/demo/d\xe9p\xc3", 0755), 0);
  for (const char* name : {"ws/demo/caf\xe9.c", "ws/demo/notes\xff.bin", "ws/demo/d\xe9p\xc3/inner.c"})
    ASSERT_EQ(::close(::open(name, O_CREAT | O_WRONLY, 0644)), 0);  // notes: no source file either way
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/demo/d\\xe9p\\xc3: the name is not valid UTF-8; it is left out\n"
                "warning: ws/demo/caf\\xe9.c: the name is not valid UTF-8; it is left out\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_names_not_utf8.hzp"));
}

// Issue 12, item 9: a "-P" name becomes an attribute name; one that cannot be
// is refused before anything is converted, an unknown one is set with a warning.
// The properties go to every project's "Common", with its dependencies.
TEST(EclipseBounds, ProjectPropertyNamesAreCheckedBeforeConverting) {
  copyFixture("project_properties");  // demo names the projects lib, "" and core
  for (const QString& entry :
       {QString("a b=1"), QString("<x=1"), QString("9lives=1"), QString("-x=1"), QString("caf\u00e9=1")}) {
    const auto result = runQuenport({"eclipse2hzp", "-executable-template", "E", "-P", entry, "ws"});
    EXPECT_EQ(result.exitCode, 1) << entry.toStdString();
    const QString name = entry.left(entry.indexOf('='));
    EXPECT_EQ(QString::fromUtf8(result.standardError),
              "error: -P " + entry + ": '" + name +
                  "' cannot be a property name (letters, digits, '_', '-' and '.', starting with a letter or '_')\n");
    EXPECT_EQ(result.standardOutput, "");
    EXPECT_FALSE(fileExists("ws/ws.hzp"));
  }
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "-P", "my.setting_2=on", "-P", "build_quietly=Yes", "-P",
                 "a=b=c", "ws"},
                "warning: -P my.setting_2=on: 'my.setting_2' is not a known property; it is set all the same\n"
                "warning: -P a=b=c: 'a' is not a known property; it is set all the same\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_project_properties.hzp"));
}

// Issue 27, item 3: a linked folder to the root of the file system, however
// written, or to a directory holding the workspace is left out; one that leads
// out of the workspace to a tree of its own is listed.
TEST(EclipseBounds, LinkedFoldersThatHoldTheWorkspaceAreLeftOut) {
  copyFixture("linked_folder_bounds", ".");  // ws/demo links root, up, uri, around and lib
  const QByteArray around = QFileInfo(".").canonicalFilePath().toUtf8();
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/demo/.project: link root left out: it leads to /, the root of the file system\n"
                "warning: ws/demo/.project: link up left out: it leads to /, the root of the file system\n"
                "warning: ws/demo/.project: link uri left out: it leads to /, the root of the file system\n"
                "warning: ws/demo/.project: link around left out: it leads to " +
                    around + ", which holds the workspace\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_linked_folder_bounds.hzp"));
}

// Issue 27, item 12: what looks like a project but cannot be read, and a file
// linked out of the workspace, are named instead of vanishing; a file the
// project links itself ("linkedResources") may lie anywhere.
TEST(EclipseBounds, EntriesLeftOutOfATreeAreNamed) {
  copyFixture("tree_omissions", ".");  // ws/demo links outside/ext.c
  ASSERT_TRUE(QFile::link("../../outside/out.c", "ws/demo/out.c"));
  ASSERT_TRUE(QFile::link("../shared/in.c", "ws/demo/in.c"));
  for (const char* directory : {"ws/dir/.project", "ws/fifo", "ws/dangling", "ws/loop"}) QDir().mkpath(directory);
  ASSERT_EQ(::mkfifo("ws/fifo/.project", 0644), 0);
  ASSERT_TRUE(QFile::link("missing", "ws/dangling/.project"));
  ASSERT_TRUE(QFile::link(".project", "ws/loop/.project"));
  ASSERT_TRUE(QFile::link("missing.xml", "ws/nocp/.cproject"));
  const QByteArray outside = QFileInfo("outside/out.c").canonicalFilePath().toUtf8();
  expectSuccess(
      {"eclipse2hzp", "-executable-template", "E", "ws"},
      "warning: ws/dangling/.project: not read: it is a symbolic link that leads nowhere\n"
      "warning: ws/dir/.project: not read: it is a directory\n"
      "warning: ws/fifo/.project: not read: it is a named pipe\n"
      "warning: ws/loop/.project: not read: it is a symbolic link loop\n"
      "warning: ws/demo/out.c: symbolic link not followed: its target " +
          outside +
          " lies outside the workspace\n"
          "warning: ws/nocp/.cproject: not read: it is a symbolic link that leads nowhere; project nocp left out\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_tree_omissions.hzp"));
}

// Issue 27, item 12: a directory that cannot be read is named. Root reads any
// directory, so as root the conversion runs as the user "nobody".
TEST(EclipseBounds, AnUnreadableDirectoryIsNamed) {
  copyFixture("demo", "ws/demo");
  writeFile("ws/demo/main.c", "");
  writeFile("ws/demo/secret/s.c", "");
  ASSERT_EQ(::chmod("ws/demo/secret", 0), 0);
  QStringList command{QUENPORT_BINARY, "eclipse2hzp", "-executable-template", "E", "ws"};
  if (geteuid() == 0) {
    for (const char* directory : {".", "ws", "home", "user"}) {
      QDir().mkpath(directory);
      ASSERT_EQ(::chmod(directory, 0777), 0);
    }
    command = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups"} + command;
    command.prepend("/usr/bin/setpriv");
  }
  const auto result = testing_support::runProgram(command.takeFirst(), command);
  ::chmod("ws/demo/secret", 0755);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.standardError,
            "warning: ws/demo/secret: cannot be read (Permission denied); its content is left out\n");
  EXPECT_EQ(readFile("ws/ws.hzp").count("file_name"), 1);
}

// Issue 34, cases 1, 2, 3 and 10: what a project's files nest, expand or match
// past its bounds is named with the file, and the line where one is known; a
// regular expression that backtracks past its limit ends the run.
TEST(EclipseBounds, WhatPassesItsBoundIsNamedWithItsFileAndLine) {
  const auto name = [](const QByteArray& pattern) {
    return "<matcher><id>org.eclipse.ui.ide.multiFilter</id><arguments>1.0-name-matches-true-true-" + pattern +
           "</arguments></matcher>";
  };
  const auto project = [](const QByteArray& matcher) {
    return "<projectDescription>\n<name>demo</name>\n<linkedResources><link><name>l</name><type>1</type><locationURI>"
           "A/x.c</locationURI></link></linkedResources>\n<variableList><variable><name>A</name><value>B</value>"
           "</variable><variable><name>B</name><value>${A}</value></variable></variableList>\n<filteredResources>"
           "<filter><name></name><type>6</type>\n" +
           matcher + "</filter></filteredResources></projectDescription>\n";
  };
  QByteArray nested = name("x");
  for (int level = 0; level < 100; ++level)
    nested = "<matcher><id>org.eclipse.ui.ide.orFilterMatcher</id><arguments>" + nested + "</arguments></matcher>";
  writeProject("ws/demo", "demo",
               cproject({{"Debug", "<macros><stringMacro name=\"A\" value=\"${A}${A}\"/></macros>" +
                                       listOption("definedSymbols", {"X=${A}"})}}));
  writeFile("ws/demo/.project", project(nested));
  writeFile("ws/demo/" + QString(30, 'a') + ".c", "");
  expectSuccess(
      {"eclipse2hzp", "-executable-template", "E", "ws"},
      "warning: ws/demo/.cproject: build variable A is defined through itself; ${A} is left as written\n"
      "warning: ws/demo/.project:6: resource filter on the project left out: its matchers nest deeper than 64 levels\n"
      "warning: ws/demo/.project: link l left out: path variable A is defined through itself\n");
  writeFile("ws/demo/.project", project(name("(a+)+")));
  const auto result = runQuenport({"eclipse2hzp", "-executable-template", "E", "ws"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError,
            "warning: ws/demo/.cproject: build variable A is defined through itself; ${A} is left as "
            "written\nerror: ws/demo/.project:6: resource filter pattern (a+)+ gave up on " +
                QByteArray(30, 'a') + ".c: match limit exceeded\n");
}

// Issue 34, case 9: directories are known by device and inode, so "/" mounted
// again (read-only, in a mount namespace of the run's own) is "/", whether a
// project links it or it lies in the tree.
TEST(EclipseBounds, TheRootMountedAgainIsTheRoot) {
  if (testing_support::runProgram("/usr/bin/unshare", {"-m", "true"}).exitCode != 0)
    GTEST_SKIP() << "no mount namespace";
  copyFixture("demo", "ws/demo");
  writeFile("ws/demo/.project",
            "<projectDescription><name>demo</name><linkedResources><link><name>root</name><type>2"
            "</type><locationURI>PARENT-2-PROJECT_LOC/view</locationURI></link></linkedResources>"
            "</projectDescription>");
  for (const char* directory : {"view", "ws/demo/inner"}) QDir().mkpath(directory);
  const auto result = testing_support::runProgram(
      "/usr/bin/unshare", {"-m", "sh", "-c",
                           "mount -o bind,ro / view && mount -o bind,ro / ws/demo/inner && exec " +
                               QString(QUENPORT_BINARY) + " eclipse2hzp -executable-template E ws"});
  EXPECT_EQ(result.standardError,
            "warning: ws/demo/inner: not entered: it is a directory holding the workspace, mounted "
            "again\nwarning: ws/demo/.project: link root left out: it leads to " +
                QFileInfo("view").canonicalFilePath().toUtf8() + ", the root of the file system\n");
  EXPECT_EQ(readFile("ws/ws.hzp").count("<folder"), 1);
  EXPECT_TRUE(QDir("view").isEmpty());  // the mounts ended with the run
}
