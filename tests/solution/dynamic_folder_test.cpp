#include "solution/dynamic_folder.h"

#include <gtest/gtest.h>

#include <QFile>

#include "helpers/model_fixture.h"
#include "support/diagnostics.h"

using namespace model_testing;
using testing_support::writeFile;

namespace {

class DynamicFolder : public ::testing::Test, public ModelFixture {
 protected:
  // "folder/name" for subfolders and the stored file name for files, depth first.
  static QStringList contents(const ModelNode* folder) {
    QStringList listed;
    for (ModelNode* child : folder->children()) {
      if (child->kind() == ModelNode::File) listed.append(child->property("file_name"));
      if (child->kind() != ModelNode::Folder) continue;
      listed.append("folder/" + child->property("Name") + " path=" + child->property("path"));
      listed += contents(child);
    }
    return listed;
  }
  ModelNode* dynamicFolder(ModelNode* parent, const QString& path, const QString& filter, const QString& recurse,
                           const QString& exclude) {
    ModelNode* folder = model.findOrAddFolder(parent, "Dynamic", "");
    folder->setProperty("path", path);
    folder->setProperty("filter", filter);
    folder->setProperty("recurse", recurse);
    folder->setProperty("exclude", exclude);
    return folder;
  }

  Diagnostics diagnostics;
  DynamicFolderBudget budget;
};

}  // namespace

// Excludes apply to files and directories at every level. Each directory is listed
// once, however many links lead to it (a link back to a folder being filled, two
// links to one directory), and a link out of the folder's directory is not followed.
TEST_F(DynamicFolder, RecursesAndExcludesAtEveryLevelAndVisitsEachDirectoryOnce) {
  for (const char* path : {"lib/a.c", "lib/b.bak", "lib/CVS/Entries", "lib/sub/c.c", "lib/sub/d.bak", "lib/sub/CVS/x.c",
                           "lib/sub/deeper/e.h"})
    writeFile(path, "x");
  ModelNode* folder = dynamicFolder(project, "lib", "", "Yes", "CVS;*.bak");
  populateDynamicFolder(model, folder, diagnostics, budget);
  EXPECT_EQ(contents(folder), QStringList({"lib/a.c", "folder/sub path=lib/sub", "lib/sub/c.c",
                                           "folder/deeper path=lib/sub/deeper", "lib/sub/deeper/e.h"}));
  writeFile("loop/f.c", "x");
  writeFile("loop/shared/g.c", "x");
  ASSERT_TRUE(QFile::link(root + "/loop", root + "/loop/again"));
  ASSERT_TRUE(QFile::link(root + "/loop/shared", root + "/loop/link1"));
  ASSERT_TRUE(QFile::link(root + "/loop/shared", root + "/loop/link2"));
  ASSERT_TRUE(QFile::link(root + "/lib", root + "/loop/outside"));
  ModelNode* loop = dynamicFolder(solution, "loop", "", "Yes", "");
  populateDynamicFolder(model, loop, diagnostics, budget);
  EXPECT_EQ(contents(loop), QStringList({"loop/f.c", "folder/link1 path=loop/link1", "loop/link1/g.c"}));
  EXPECT_EQ(diagnostics.pendingWarnings(),
            QStringList({root + "/loop/outside: link to a directory outside " + root + "/loop not followed"}));
}

// The dynamic folders of one expansion share one budget of files and folders:
// trees of 20 entries and of 80 add the same 15; what was added stays, the rest
// is left out with one warning, and a folder populated after adds nothing.
TEST_F(DynamicFolder, TheFoldersOfAnExpansionShareOneBudget) {
  for (int directory = 0; directory < 50; ++directory)
    writeFile(directory < 10 ? QString("small/d0%1/f.c").arg(directory)
                             : QString("large/d%1/f.c").arg(directory - 10, 2, 10, QChar('0')),
              "x");
  for (const char* tree : {"small", "large"}) {
    budget = {.limit = 15};
    diagnostics.takeWarnings();
    ModelNode* folder = dynamicFolder(model.findOrAddFolder(project, tree, ""), tree, "", "Yes", "");
    ModelNode* later = dynamicFolder(model.findOrAddFolder(solution, tree, ""), tree, "", "Yes", "");
    populateDynamicFolder(model, folder, diagnostics, budget);
    populateDynamicFolder(model, later, diagnostics, budget);
    EXPECT_EQ(contents(folder).size(), 15) << tree;
    EXPECT_TRUE(contents(later).isEmpty()) << tree;
    EXPECT_EQ(diagnostics.pendingWarnings(), QStringList({root + "/" + tree +
                                                          "/d07: dynamic folders reached the 15 "
                                                          "files and folders an expansion may "
                                                          "list; the rest is left out"}));
  }
}
