#include <gtest/gtest.h>

#include <QFile>

#include "model_test_support.h"

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
};

}  // namespace

TEST_F(DynamicFolder, RecursesAndExcludesFilesAndDirectoriesAtEveryLevel) {
  for (const char* path : {"lib/a.c", "lib/b.bak", "lib/CVS/Entries", "lib/sub/c.c", "lib/sub/d.bak",
                           "lib/sub/CVS/x.c", "lib/sub/deeper/e.h"})
    writeFile(path, "x");
  ProjectElement* folder = dynamicFolder(project, "lib", "", "Yes", "CVS;*.bak");
  system.populateDynamicFolder(folder);
  EXPECT_EQ(contents(folder), QStringList({"lib/a.c", "folder/sub path=lib/sub", "lib/sub/c.c",
                                           "folder/deeper path=lib/sub/deeper", "lib/sub/deeper/e.h"}));
}

TEST_F(DynamicFolder, FiltersSortsAndStaysFlatWithoutRecurse) {
  for (const char* path : {"src/B.c", "src/a.c", "src/c.h", "src/d.txt", "src/inner/e.c"}) writeFile(path, "x");
  ProjectElement* folder = dynamicFolder(project, "src", "*.c *.h", "No", "");
  system.populateDynamicFolder(folder);
  EXPECT_EQ(contents(folder), QStringList({"src/a.c", "src/B.c", "src/c.h"}));

  ProjectElement* missing = system.findOrAddFolder(project, "Missing", "");
  missing->setProperty("path", "nowhere");
  system.populateDynamicFolder(missing);
  EXPECT_TRUE(contents(missing).isEmpty());
}

TEST_F(DynamicFolder, OutsideProjectsIsBasedOnTheSolutionDirectory) {
  writeFile("top/t.c", "x");
  ProjectElement* folder = dynamicFolder(solution, "top", "*.c", "No", "");
  system.populateDynamicFolder(folder);
  EXPECT_EQ(contents(folder), QStringList{"top/t.c"});
}

TEST_F(DynamicFolder, SymbolicLinkCyclesAreVisitedOnce) {
  writeFile("loop/f.c", "x");
  ASSERT_TRUE(QFile::link(root + "/loop", root + "/loop/again"));
  ProjectElement* folder = dynamicFolder(project, "loop", "", "Yes", "");
  system.populateDynamicFolder(folder);
  EXPECT_EQ(contents(folder), QStringList({"loop/f.c", "folder/again path=loop/again"}));
}
