#include <gtest/gtest.h>

#include <QFile>

#include "model_test_support.h"
#include "projectsystem/dynamic_folder.h"

using namespace model_testing;
using testing_support::writeFile;

namespace {

class DynamicFolder : public ::testing::Test, public ModelFixture {
 protected:
  // "folder/name" for subfolders and the stored file name for files, depth first.
  static QStringList contents(const ProjectElement* folder) {
    QStringList listed;
    for (ProjectElement* child : folder->children()) {
      if (child->kind() == ProjectElement::File) listed.append(child->property("file_name"));
      if (child->kind() != ProjectElement::Folder) continue;
      listed.append("folder/" + child->name() + " path=" + child->property("path"));
      listed += contents(child);
    }
    return listed;
  }
  ProjectElement* dynamicFolder(ProjectElement* parent, const QString& path, const QString& filter,
                                const QString& recurse, const QString& exclude) {
    ProjectElement* folder = system.findOrAddFolder(parent, "Dynamic", "");
    folder->setProperty("path", path);
    folder->setProperty("filter", filter);
    folder->setProperty("recurse", recurse);
    folder->setProperty("exclude", exclude);
    return folder;
  }

  QStringList warnings;
  DynamicFolderBudget budget;
  const WarningSink collect = [this](const QString& file, const QString& message) { warnings.append(file + ": " + message); };
};

}  // namespace

// Excludes apply to files and directories at every level. Each directory is listed
// once, however many links lead to it (a link back to a folder being filled, two
// links to one directory), and a link out of the folder's directory is not followed.
TEST_F(DynamicFolder, RecursesAndExcludesAtEveryLevelAndVisitsEachDirectoryOnce) {
  for (const char* path : {"lib/a.c", "lib/b.bak", "lib/CVS/Entries", "lib/sub/c.c", "lib/sub/d.bak",
                           "lib/sub/CVS/x.c", "lib/sub/deeper/e.h"})
    writeFile(path, "x");
  ProjectElement* folder = dynamicFolder(project, "lib", "", "Yes", "CVS;*.bak");
  populateDynamicFolder(system, folder, collect, budget);
  EXPECT_EQ(contents(folder), QStringList({"lib/a.c", "folder/sub path=lib/sub", "lib/sub/c.c",
                                           "folder/deeper path=lib/sub/deeper", "lib/sub/deeper/e.h"}));
  writeFile("loop/f.c", "x");
  writeFile("loop/shared/g.c", "x");
  ASSERT_TRUE(QFile::link(root + "/loop", root + "/loop/again"));
  ASSERT_TRUE(QFile::link(root + "/loop/shared", root + "/loop/link1"));
  ASSERT_TRUE(QFile::link(root + "/loop/shared", root + "/loop/link2"));
  ASSERT_TRUE(QFile::link(root + "/lib", root + "/loop/outside"));
  ProjectElement* loop = dynamicFolder(solution, "loop", "", "Yes", "");
  populateDynamicFolder(system, loop, collect, budget);
  EXPECT_EQ(contents(loop), QStringList({"loop/f.c", "folder/link1 path=loop/link1", "loop/link1/g.c"}));
  EXPECT_EQ(warnings, QStringList({root + "/loop/outside: link to a directory outside " + root +
                                   "/loop not followed"}));
}

// The dynamic folders of one expansion share one budget of files and folders:
// trees of 20 entries and of 80 add the same 15; what was added stays, the rest
// is left out with one warning, and a folder populated after adds nothing.
TEST_F(DynamicFolder, TheFoldersOfAnExpansionShareOneBudget) {
  for (int directory = 0; directory < 50; ++directory)
    writeFile(directory < 10 ? QString("small/d0%1/f.c").arg(directory) : QString("large/d%1/f.c").arg(directory - 10, 2, 10, QChar('0')), "x");
  for (const char* tree : {"small", "large"}) {
    budget = {.limit = 15};
    warnings.clear();
    ProjectElement* folder = dynamicFolder(system.findOrAddFolder(project, tree, ""), tree, "", "Yes", "");
    ProjectElement* later = dynamicFolder(system.findOrAddFolder(solution, tree, ""), tree, "", "Yes", "");
    populateDynamicFolder(system, folder, collect, budget);
    populateDynamicFolder(system, later, collect, budget);
    EXPECT_EQ(contents(folder).size(), 15) << tree;
    EXPECT_TRUE(contents(later).isEmpty()) << tree;
    EXPECT_EQ(warnings, QStringList({root + "/" + tree + "/d07: dynamic folders reached the 15 files and folders an "
                                                          "expansion may list; the rest is left out"}));
  }
}
