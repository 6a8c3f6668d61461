#include <gtest/gtest.h>

#include <QFileInfo>

#include "model_test_support.h"

using namespace model_testing;

namespace {

class SolutionModel : public ::testing::Test, public ModelFixture {};

QString commonValue(ProjectElement* element, const QString& name) {
  ProjectElement* configuration = element->configuration(common);
  return configuration ? configuration->property(name) : QStringLiteral("<no Common>");
}

}  // namespace

TEST(NewSolution, ItsDirectoryIsCreatedWithAncestorsWhenSaved) {
  MyProjectSystem system{QString(), QStringList()};
  const QString directory = testing_support::testDirectory() + "/a/b/c";
  ProjectElement* solution = system.newSolution("Demo", directory);
  EXPECT_FALSE(QFileInfo::exists(testing_support::testDirectory() + "/a"));
  EXPECT_EQ(system.solution(), solution);
  EXPECT_EQ(system.solutionFilePath(), directory + "/Demo.hzp");
  EXPECT_FALSE(solution->lastModified.isValid());  // no file yet
  EXPECT_TRUE(system.saveSolution(solution));
  EXPECT_TRUE(QFileInfo(directory + "/Demo.hzp").isFile());
}

TEST_F(SolutionModel, NewProjectStoresItsDirectoryRelativeToTheSolution) {
  EXPECT_EQ(commonValue(project, "project_directory"), "");
  EXPECT_EQ(commonValue(project, "project_type"), "Executable");
  EXPECT_EQ(system.findProject("App"), project);

  const auto directoryOf = [&](const QString& name, const QString& directory) {
    return commonValue(system.newProject(solution, name, directory, ""), "project_directory");
  };
  EXPECT_EQ(directoryOf("Sub", root + "/sub"), "sub");
  EXPECT_EQ(directoryOf("Sibling", root + "/../x"), "../x");
  EXPECT_EQ(directoryOf("Dot", "."), "");
  const QString otherRoot = root.startsWith("/opt") ? "/srv/x" : "/opt/x";
  EXPECT_EQ(directoryOf("Other", otherRoot), otherRoot);  // another root stays absolute
  EXPECT_TRUE(system.findProject("Other")->configuration(common)->hasProperty("project_type"));

  QString result;
  EXPECT_TRUE(ProjectSystem::makeRelativePath("/a/b/c", "/a", result));
  EXPECT_EQ(result, "../..");
  EXPECT_TRUE(ProjectSystem::makeRelativePath("/", "/a", result));
  EXPECT_EQ(result, "a");
}

TEST_F(SolutionModel, AddFileChoosesAFolderByLowerCasedSuffix) {
  ProjectElement* sources = system.findOrAddFolder(project, "Source Files", "c;cpp");
  ProjectElement* headers = system.findOrAddFolder(project, "Header Files", "h");
  ProjectElement* shouting = system.findOrAddFolder(project, "Shouting", "C;H");
  ProjectElement* archives = system.findOrAddFolder(project, "Archives", "tgz,gz");

  ProjectElement* main = system.addFile(project, "src/Main.C");
  EXPECT_EQ(main->parentElement(), sources);
  EXPECT_EQ(main->property("file_name"), "src/Main.C");
  EXPECT_EQ(system.addFile(project, "readme")->parentElement(), project);
  EXPECT_EQ(system.addFile(project, "x.txt")->parentElement(), project);
  EXPECT_EQ(system.addFile(project, "a.tar.gz")->parentElement(), archives);
  EXPECT_EQ(system.addFile(project, "dir.h/readme")->parentElement(), project);
  EXPECT_EQ(system.addFile(project, "y.H")->parentElement(), headers);
  EXPECT_FALSE(shouting->firstChild()->nextSibling());  // only its configuration
  // A folder parent takes every file, and the folder's own "filter" counts too.
  EXPECT_EQ(system.addFile(headers, "z.c")->parentElement(), headers);
  ProjectElement* own = system.findOrAddFolder(solution, "Own", "");
  own->setProperty("filter", "txt");
  EXPECT_EQ(system.addFile(solution, "notes.txt")->parentElement(), own);
}

TEST_F(SolutionModel, FindOrAddFolderKeepsAnExistingFolderAndItsFilter) {
  ProjectElement* folder = system.findOrAddFolder(project, "Src", "c");
  EXPECT_EQ(system.findOrAddFolder(project, "Src", "cpp"), folder);
  EXPECT_EQ(commonValue(folder, "filter"), "c");
  EXPECT_EQ(system.findFolder(project, "src"), nullptr);
  EXPECT_EQ(system.findOrAddFolder(project, "Plain", "")->firstChild(), nullptr);
  // An empty name is never found (an unnamed folder is "<NULL>"): each call adds one.
  EXPECT_NE(system.findOrAddFolder(project, "", ""), system.findOrAddFolder(project, "", ""));
  EXPECT_NE(system.findFolder(project, "<NULL>"), nullptr);
}

// Random changes of the child list and of names, each followed by every lookup
// checked against a scan of the children.
TEST_F(SolutionModel, FindFolderAgreesWithAScanOfTheChildren) {
  const QStringList names{"a", "b", "c", "d"};
  std::vector<ProjectElement*> folders;
  uint32_t state = 12345;
  const auto next = [&state](uint32_t bound) { return (state = state * 1103515245u + 12345u) / 65536u % bound; };
  for (int step = 0; step < 500; ++step) {
    const QString name = names[next(4)];
    const uint32_t change = folders.empty() ? 0 : next(5);
    if (change == 0) {
      ProjectElement* folder = system.findOrAddFolder(project, name + QString::number(next(2)), "");
      if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
    } else if (change == 1) {
      folders[next(folders.size())]->setName(name);
    } else if (change == 2) {
      const size_t index = next(folders.size());
      system.deleteElement(folders[index]);
      folders.erase(folders.begin() + index);
    } else {
      auto added = system.createElement("folder");
      added->setName(name);
      folders.push_back(added.get());
      if (change == 3)
        project->insertAfter(folders[next(folders.size())], std::move(added));
      else
        project->prependChild(std::move(added));
    }
    for (const QString& asked : names + QStringList{"a0", "a1", "b0", "c1"}) {
      ProjectElement* scanned = nullptr;
      for (ProjectElement* child : project->children())
        if (!scanned && child->kind() == ProjectElement::Folder && child->name() == asked) scanned = child;
      ASSERT_EQ(system.findFolder(project, asked), scanned) << step;
    }
  }
  project->clearChildren();
  EXPECT_EQ(system.findFolder(project, "a"), nullptr);
}

// Without "Name", an element is called after its "file_name": the last part of the
// text when it holds macros, else of the resolved location; else "<NULL>".
TEST_F(SolutionModel, FolderNamesFromFileNamesAreFoundToo) {
  ProjectElement* folder = system.findOrAddFolder(project, "A", "");
  folder->setName("");
  folder->setProperty("file_name", "$(Gen)/generated");
  EXPECT_EQ(system.findFolder(project, "generated"), folder);
  folder->setProperty("file_name", "sub/..");
  EXPECT_EQ(system.findFolder(project, QFileInfo(root).fileName()), folder);
  folder->removeProperty("file_name");
  EXPECT_EQ(folder->name(), "<NULL>");
  EXPECT_EQ(system.addFile(project, "src/x.c")->name(), "x.c");
}

TEST_F(SolutionModel, ConfigurationMapFollowsChildren) {
  ProjectElement* first = system.newConfiguration(project, "Debug");
  ProjectElement* second = system.newConfiguration(project, "Debug");
  EXPECT_EQ(project->configuration("Debug"), second);
  // Removing either duplicate drops the name; the other stays a child, unmapped.
  std::unique_ptr<ProjectElement> removed = project->removeElementChild(first);
  EXPECT_EQ(removed.get(), first);
  EXPECT_EQ(project->configuration("Debug"), nullptr);
  EXPECT_EQ(second->parent(), project);
  EXPECT_EQ(project->removeElementChild(first), nullptr);
}

TEST_F(SolutionModel, DeleteElementDetachesOrReleases) {
  system.templatedProjects.append(project);
  system.dynamicFolders.append(system.findOrAddFolder(project, "Dynamic", ""));
  system.addFile(project, "a.c");
  system.deleteElement(project);
  EXPECT_EQ(solution->firstChild(), nullptr);
  EXPECT_TRUE(system.templatedProjects.isEmpty());
  EXPECT_TRUE(system.dynamicFolders.isEmpty());
  EXPECT_EQ(system.findProject("App"), nullptr);
  system.deleteElement(nullptr);
  system.deleteElement(solution);
  EXPECT_EQ(system.solution(), nullptr);
  EXPECT_EQ(system.solutionDirectory(), "");
}
