// eclipse2hzp on hostile or odd workspaces: the directory named "ws/", "." or
// "..", symbolic links that lead out of the workspace or multiply the tree,
// deeply nested options, names that are not UTF-8, and "-P" names that cannot
// be attribute names. Output stays bounded and true to what it claims.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <utility>
#include <vector>

#include "e2e/eclipse_fixtures.h"
#include "support/test_support.h"

using namespace eclipse_fixtures;
using testing_support::expectSuccess;
using testing_support::fileExists;
using testing_support::readFile;
using testing_support::runQuenport;
using testing_support::writeFile;

namespace {

// Files and directories whose names hold bytes that are not UTF-8, which Qt
// cannot name: made and removed by their bytes.
class RawEntries {
 public:
  ~RawEntries() {
    for (auto entry = created_.rbegin(); entry != created_.rend(); ++entry)
      entry->second ? ::rmdir(entry->first.constData()) : ::unlink(entry->first.constData());
  }
  void create(const QByteArray& path, bool directory) {
    if (directory) {
      ASSERT_EQ(::mkdir(path.constData(), 0755), 0);
    } else {
      const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
      ASSERT_GE(fd, 0);
      ::close(fd);
    }
    created_.emplace_back(path, directory);
  }

 private:
  std::vector<std::pair<QByteArray, bool>> created_;
};

}  // namespace

// Issue 12, item 5: the solution is named after the directory itself.
TEST(EclipseBounds, AWorkspaceNamedWithATrailingSlashOrDotsNamesItsSolution) {
  writeProject("ws/demo", "demo", cproject({{"Debug", {}}}));
  QDir().mkpath("ws/sub");
  const std::pair<const char*, const char*> runs[] = {{"ws/", ""}, {".", "ws"}, {"..", "ws/sub"}};
  for (const auto& [workspace, workingDirectory] : runs) {
    QFile::remove("ws/ws.hzp");
    expectSuccess({"eclipse2hzp", "-executable-template", "E", workspace}, {}, workingDirectory);
    EXPECT_TRUE(readFile("ws/ws.hzp").startsWith(QByteArray(solutionHeader) + "<solution Name=\"ws\" ")) << workspace;
  }
  EXPECT_TRUE(readFile("ws/ws.hzp").contains("project_directory=\"demo\""));
  EXPECT_FALSE(fileExists("ws/.hzp"));
  EXPECT_FALSE(fileExists("ws/..hzp"));
  EXPECT_FALSE(fileExists("...hzp"));
}

// Issue 12, item 6: a link out of the workspace is not followed, and links that
// double at every level reach each directory once.
TEST(EclipseBounds, SymbolicLinksStayInsideTheWorkspaceAndEachDirectoryIsVisitedOnce) {
  writeProject("ws/demo", "demo", cproject({{"Debug", {}}}));
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
  const QByteArray solution = readFile("ws/ws.hzp");
  EXPECT_EQ(solution.count("<file "), 1);
  EXPECT_TRUE(solution.contains("<file file_name=\"./src" + QByteArray("/a").repeated(levels) + "/f.c\" />"));
  EXPECT_FALSE(solution.contains("Name=\"root\""));
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
  const QByteArray solution = convert({"-executable-template", "E"});
  EXPECT_EQ(solution.count(";D"), depth - 1);
  EXPECT_LT(solution.size(), 40000);
}

// Issue 12, item 10: names that are not UTF-8 cannot go into a solution; each
// is reported instead of vanishing.
TEST(EclipseBounds, NamesThatAreNotUtf8AreReportedOneByOne) {
  writeProject("ws/demo", "demo", cproject({{"Debug", {}}}));
  writeFile("ws/demo/main.c", "");
  RawEntries raw;
  raw.create("ws/demo/caf\xe9.c", false);
  raw.create("ws/demo/notes\xff.bin", false);  // not a source file either way
  raw.create("ws/demo/d\xe9p\xc3", true);
  raw.create("ws/demo/d\xe9p\xc3/inner.c", false);
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/demo/d\\xe9p\\xc3: the name is not valid UTF-8; it is left out\n"
            "warning: ws/demo/caf\\xe9.c: the name is not valid UTF-8; it is left out\n");
  EXPECT_EQ(sourceFiles(readFile("ws/ws.hzp")),
            "    <folder Name=\"Source Files\">\n"
            "      <file file_name=\"./main.c\" />\n"
            "    </folder>\n");
}

// Issue 12, item 9: a "-P" name becomes an attribute name; one that cannot be
// is refused before anything is converted, an unknown one is set with a warning.
// The properties go to every project's "Common", with its dependencies.
TEST(EclipseBounds, ProjectPropertyNamesAreCheckedBeforeConverting) {
  writeProject("ws/demo", "demo", cproject({{"Debug", {}}}),
               "<projects><project>lib</project><project></project><project>core</project></projects>\n");
  writeProject("ws/lib", "lib", cproject({{"Debug", {}}}));
  for (const QString& entry : {QString("a b=1"), QString("<x=1"), QString("9lives=1"), QString("-x=1"),
                               QString("caf\u00e9=1")}) {
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
  const QByteArray solution = readFile("ws/ws.hzp");
  const QByteArray properties =
      "      Name=\"Common\"\n      a=\"b\"\n      build_quietly=\"Yes\"\n      my.setting_2=\"on\"\n";
  EXPECT_TRUE(
      solution.contains(properties + "      project_dependencies=\"lib;core\"\n      project_directory=\"demo\"\n"))
      << solution.toStdString();
  EXPECT_TRUE(solution.contains(properties + "      project_directory=\"lib\"\n"));
}
