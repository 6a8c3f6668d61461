#include <gtest/gtest.h>

#include <QFile>

#include "helpers/model_fixture.h"
#include "solution/dynamic_folder.h"
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
  ModelNode* dynamicFolder(ModelNode* parent, const QString& path, const QString& filter,
                                const QString& recurse, const QString& exclude) {
    ModelNode* folder = model.findOrAddFolder(parent, "Dynamic", "");
    folder->setProperty("path", path);
    folder->setProperty("filter", filter);
    folder->setProperty("recurse", recurse);
    folder->setProperty("exclude", exclude);
    return folder;
  }
};

}  // namespace

// Excludes apply to files and directories at every level. Each directory is listed
// once, however many links lead to it (a link back to a folder being filled, two
// links to one directory), and a link out of the folder's directory is not followed.
TEST_F(DynamicFolder, RecursesAndExcludesAtEveryLevelAndVisitsEachDirectoryOnce) {
  for (const char* path : {"lib/a.c", "lib/b.bak", "lib/CVS/Entries", "lib/sub/c.c", "lib/sub/d.bak",
                           "lib/sub/CVS/x.c", "lib/sub/deeper/e.h"})
    writeFile(path, "x");
  Diagnostics diagnostics;
  ModelNode* folder = dynamicFolder(project, "lib", "", "Yes", "CVS;*.bak");
  populateDynamicFolder(model, folder, diagnostics);
  EXPECT_EQ(contents(folder), QStringList({"lib/a.c", "folder/sub path=lib/sub", "lib/sub/c.c",
                                           "folder/deeper path=lib/sub/deeper", "lib/sub/deeper/e.h"}));
  writeFile("loop/f.c", "x");
  writeFile("loop/shared/g.c", "x");
  ASSERT_TRUE(QFile::link(root + "/loop", root + "/loop/again"));
  ASSERT_TRUE(QFile::link(root + "/loop/shared", root + "/loop/link1"));
  ASSERT_TRUE(QFile::link(root + "/loop/shared", root + "/loop/link2"));
  ASSERT_TRUE(QFile::link(root + "/lib", root + "/loop/outside"));
  ModelNode* loop = dynamicFolder(solution, "loop", "", "Yes", "");
  populateDynamicFolder(model, loop, diagnostics);
  EXPECT_EQ(contents(loop), QStringList({"loop/f.c", "folder/link1 path=loop/link1", "loop/link1/g.c"}));
  EXPECT_EQ(diagnostics.pendingWarnings(), QStringList({root + "/loop/outside: link to a directory outside " + root +
                                   "/loop not followed"}));
}
