#include <gtest/gtest.h>

#include <QFileInfo>

#include "helpers/model_fixture.h"
#include "solution/solution_reader.h"
#include "solution/solution_writer.h"

using namespace model_testing;

namespace {

class SolutionModel : public ::testing::Test, public ModelFixture {};

QString commonValue(ProjectElement* element, const QString& name) {
  ProjectElement* configuration = element->configuration(common);
  return configuration ? configuration->property(name) : QStringLiteral("<no Common>");
}

}  // namespace

TEST(NewSolution, ItsDirectoryIsCreatedWithAncestorsWhenSaved) {
  ProjectSystem system{GlobalMacros()};
  const QString directory = testing_support::testDirectory() + "/a/b/c";
  ProjectElement* solution = system.newSolution("Demo", directory);
  EXPECT_FALSE(QFileInfo::exists(testing_support::testDirectory() + "/a"));
  EXPECT_EQ(system.solution(), solution);
  EXPECT_EQ(system.solutionFilePath(), directory + "/Demo.hzp");
  EXPECT_FALSE(solution->lastModified.isValid());  // no file yet
  EXPECT_TRUE(saveSolution(*solution));
  EXPECT_TRUE(QFileInfo(directory + "/Demo.hzp").isFile());
}

TEST_F(SolutionModel, NewProjectStoresItsDirectoryRelativeToTheSolution) {
  EXPECT_EQ(commonValue(project, "project_directory"), "");
  EXPECT_EQ(commonValue(project, "project_type"), "Executable");
  EXPECT_EQ(system.findProject("App"), project);

  const auto directoryOf = [&](const QString& name, const QString& directory) {
    return commonValue(system.newProject(solution, name, directory, ""), "project_directory");
  };
  // Directories below the solution's are shown end to end.
  EXPECT_EQ(directoryOf("Sibling", root + "/../x"), "../x");
  const QString otherRoot = root.startsWith("/opt") ? "/srv/x" : "/opt/x";
  EXPECT_EQ(directoryOf("Other", otherRoot), otherRoot);  // another root stays absolute
  EXPECT_TRUE(system.findProject("Other")->configuration(common)->hasProperty("project_type"));

  QString result;
  EXPECT_TRUE(ProjectSystem::makeRelativePath("/a/b/c", "/a", result));
  EXPECT_EQ(result, "../..");
  EXPECT_TRUE(ProjectSystem::makeRelativePath("/", "/a", result));
  EXPECT_EQ(result, "a");
}

// The index of projects by name answers with the first project of a name in tree
// order, however the tree was changed since the last lookup.
TEST_F(SolutionModel, FindProjectFollowsAddsRemovesRenamesAndReplacedTrees) {
  const auto projectIn = [&](ProjectElement* parent, const char* name) {
    ProjectElement* added = parent->addChild(system.createElement("project"));
    added->setName(name);
    return added;
  };
  ProjectElement* rootDup = system.newProject(solution, "Dup", root, "");
  EXPECT_EQ(system.findProject("Dup"), rootDup);
  ProjectElement* group = system.findOrAddFolder(solution, "Group", "");
  ProjectElement* groupDup = projectIn(group, "Dup");
  EXPECT_EQ(system.findProject("Dup"), rootDup);
  // A folder put in front of everything comes first in tree order.
  auto front = system.createElement("folder");
  ProjectElement* frontFolder = front.get();
  solution->prependChild(std::move(front));
  ProjectElement* frontDup = projectIn(frontFolder, "Dup");
  EXPECT_EQ(system.findProject("Dup"), frontDup);
  // Projects added after a change of the tree are indexed as well.
  ProjectElement* late = system.newProject(solution, "Late", root, "");
  EXPECT_EQ(system.findProject("Late"), late);

  frontDup->setName("Renamed");
  EXPECT_EQ(system.findProject("Dup"), rootDup);
  EXPECT_EQ(system.findProject("Renamed"), frontDup);
  frontDup->removeProperty("Name");
  EXPECT_EQ(system.findProject("Renamed"), nullptr);
  system.deleteElement(rootDup);
  EXPECT_EQ(system.findProject("Dup"), groupDup);
  const std::unique_ptr<XMLNode> taken = group->takeChildren();
  EXPECT_EQ(system.findProject("Dup"), nullptr);
  EXPECT_EQ(system.findProject("App"), project);

  // A solution read in replaces the whole tree, as template expansion does.
  const std::string text = std::string(solutionHeader) + "<solution Name=\"Read\"><folder Name=\"F\"><project Name=\"App\"/>"
                           "</folder><project Name=\"App\"/></solution>";
  ProjectElement* read = system.adoptSolution(SolutionReader(system).loadSolutionText(root + "/read.hzp", text));
  ProjectElement* readApp = system.findProject("App");
  ASSERT_NE(readApp, nullptr);
  EXPECT_EQ(readApp->parentElement()->parentElement(), read);
  EXPECT_EQ(system.findProject("Late"), nullptr);
  EXPECT_EQ(system.newProject(read, "App", root, "")->parentElement(), read);
  EXPECT_EQ(system.findProject("App"), readApp);
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

// Folders are found through an index of the child folders, which follows every
// change: the first folder of a name in child order is found, by its current name.
TEST_F(SolutionModel, FindFolderFollowsEveryChangeOfTheChildren) {
  const auto folder = [&](const char* name) {
    auto added = system.createElement("folder");
    added->setName(name);
    return added;
  };
  ProjectElement* a = system.findOrAddFolder(project, "a", "");
  ProjectElement* b = system.findOrAddFolder(project, "b", "");
  b->setName("a");
  EXPECT_EQ(system.findFolder(project, "a"), a);
  EXPECT_EQ(system.findFolder(project, "b"), nullptr);
  system.deleteElement(a);
  EXPECT_EQ(system.findFolder(project, "a"), b);
  project->prependChild(folder("a"));
  ProjectElement* first = ProjectElement::fromNode(project->firstChild());
  EXPECT_EQ(system.findFolder(project, "a"), first);
  project->insertAfter(first, folder("c"));
  EXPECT_NE(system.findFolder(project, "c"), nullptr);
  const std::unique_ptr<XMLNode> replaced = project->replaceChild(first, folder("d"));
  EXPECT_EQ(system.findFolder(project, "a"), b);
  EXPECT_NE(system.findFolder(project, "d"), nullptr);
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
  system.addFile(project, "a.c");
  system.deleteElement(project);
  EXPECT_EQ(solution->firstChild(), nullptr);
  EXPECT_EQ(system.findProject("App"), nullptr);
  system.deleteElement(nullptr);
  system.deleteElement(solution);
  EXPECT_EQ(system.solution(), nullptr);
  EXPECT_EQ(system.solutionDirectory(), "");
}
