// The directory scans: each directory is known by the device and inode of what
// was opened, whatever path led there, and trees deeper than the scan holds
// directories open are still read whole.

#include "readers/eclipse/eclipse_source_tree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "helpers/test_support.h"
#include "mapping/mapping_options.h"
#include "readers/common/conversion_context.h"
#include "readers/eclipse/directory_visits.h"
#include "support/directory_listing.h"

using testing_support::writeFile;

namespace {

// The ".project" files below workspace as the workspace search finds them, and
// the warnings it gives.
QStringList projectFiles(const QString& workspace, QStringList& warnings) {
  const ReaderOptions options;
  Diagnostics diagnostics;
  ConversionContext context(options, diagnostics);
  DirectoryVisits visits(context, workspace);
  QStringList found;
  findFiles(context, visits, workspace, ".", ".project", found);
  warnings = diagnostics.pendingWarnings();
  return found;
}

}  // namespace

// The workspace is named through a link ("alias"), so no path of the scan is the
// real one; a link back up spelled as an absolute real path, a link to a
// directory listed under its own name, and a link that sorts before its target
// each reach a directory once.
TEST(EclipseSourceTree, LinksAreKnownByTheDirectoryTheyLeadTo) {
  writeFile("ws/demo/a/.project", "");
  writeFile("ws/demo/z/.project", "");
  const QString realDemo = QFileInfo("ws/demo").canonicalFilePath();
  ASSERT_TRUE(QFile::link("ws", "alias"));
  ASSERT_TRUE(QFile::link("a", "ws/demo/b"));          // after its target
  ASSERT_TRUE(QFile::link("z", "ws/demo/0first"));     // before its target
  ASSERT_TRUE(QFile::link(realDemo, "ws/demo/a/up"));  // a cycle, by another spelling
  ASSERT_TRUE(QFile::link(QFileInfo("ws").canonicalFilePath() + "/..", "ws/demo/out"));
  QStringList warnings;
  EXPECT_EQ(projectFiles("alias", warnings), QStringList({"./demo/0first/.project", "./demo/a/.project"}));
  EXPECT_EQ(warnings, QStringList({"alias/demo/out: symbolic link not followed: its target " +
                                   QFileInfo("ws/..").canonicalFilePath() + " lies outside the workspace"}));
}

// Below the depth the scan holds open, directories are opened by path; the
// links there are still checked and the directories still entered once.
TEST(EclipseSourceTree, TreesDeeperThanTheDirectoriesHeldOpenAreReadWhole) {
  const int depth = directoriesHeldOpenAtMost() + 20;
  QString path = "ws";
  QString reported = ".";
  QStringList expected;
  for (int level = 0; level < depth; ++level) {
    path += "/d";
    reported += "/d";
    if (level == depth / 2 || level == depth - 1) {
      writeFile(path + "/.project", "");
      expected.append(reported + "/.project");
    }
  }
  ASSERT_TRUE(QFile::link("../../..", path + "/loop"));
  QStringList warnings;
  EXPECT_EQ(projectFiles("ws", warnings), expected);
  EXPECT_TRUE(warnings.isEmpty()) << warnings.join("\n").toStdString();
}

// The scans of one workspace share a budget of listed files and folders: the
// scan that spends it stops there and says so, a later one lists nothing.
TEST(EclipseSourceTree, ScansStopAtTheWorkspacesBudgetOfListedItems) {
  for (const char* file : {"ws/a/1.c", "ws/a/2.c", "ws/a/sub/3.c", "ws/a/sub/4.c", "ws/a/z.c", "ws/b/5.c"})
    writeFile(file, "");
  const ReaderOptions options;
  Diagnostics diagnostics;
  ConversionContext context(options, diagnostics);
  ListingBudget budget(5);
  DirectoryVisits visits(context, "ws", nullptr, &budget);
  std::vector<SourceItem> items;
  EXPECT_FALSE(addSourceTree(context, visits, items, "ws/a", ".", {}));
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[2].name, "sub");
  EXPECT_EQ(items[2].items.size(), 2u);  // 1.c, 2.c, sub, 3.c, 4.c: z.c is beyond
  std::vector<SourceItem> later;
  EXPECT_FALSE(addSourceTree(context, visits, later, "ws/b", ".", {}));
  EXPECT_TRUE(later.empty());
  EXPECT_EQ(visits.budgetSpent(), "reached the 5 files and folders a workspace may list; the rest is left out");
}
