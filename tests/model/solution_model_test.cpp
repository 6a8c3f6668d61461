#include <gtest/gtest.h>

#include <QFileInfo>

#include "helpers/model_fixture.h"
#include "solution/solution_writer.h"

using namespace model_testing;

namespace {

class Model : public ::testing::Test, public ModelFixture {};

QString commonValue(ModelNode* node, const QString& name) {
  ModelNode* configuration = node->configuration(common);
  return configuration ? configuration->property(name) : QStringLiteral("<no Common>");
}

qsizetype childCount(const ModelNode* node) {
  qsizetype count = 0;
  for (const ModelNode* child : node->children()) count += child ? 1 : 0;
  return count;
}

}  // namespace

TEST(NewSolution, ItsDirectoryIsCreatedWithAncestorsWhenSaved) {
  SolutionModel model{testSchema(), noGlobalMacros};
  const QString directory = testing_support::testDirectory() + "/a/b/c";
  ModelNode* solution = model.newSolution("Demo", directory);
  EXPECT_FALSE(QFileInfo::exists(testing_support::testDirectory() + "/a"));
  EXPECT_EQ(model.solution(), solution);
  EXPECT_EQ(solution->solutionFile().path(), directory + "/Demo.hzp");
  saveSolution(*solution);
  EXPECT_TRUE(QFileInfo(directory + "/Demo.hzp").isFile());
}

TEST_F(Model, NewProjectStoresItsDirectoryRelativeToTheSolution) {
  EXPECT_EQ(commonValue(project, "project_directory"), "");
  EXPECT_EQ(commonValue(project, "project_type"), "Executable");
  EXPECT_EQ(project->parent(), solution);

  const auto directoryOf = [&](const QString& name, const QString& directory) {
    return commonValue(model.newProject(solution, name, directory, ""), "project_directory");
  };
  // Directories below the solution's are shown end to end.
  EXPECT_EQ(directoryOf("Sibling", root + "/../x"), "../x");
  const QString otherRoot = root.startsWith("/opt") ? "/srv/x" : "/opt/x";
  EXPECT_EQ(directoryOf("Other", otherRoot), otherRoot);  // another root stays absolute
}

TEST_F(Model, AddFileChoosesAFolderByLowerCasedSuffix) {
  ModelNode* sources = model.findOrAddFolder(project, "Source Files", "c;cpp");
  ModelNode* headers = model.findOrAddFolder(project, "Header Files", "h");
  ModelNode* shouting = model.findOrAddFolder(project, "Shouting", "C;H");
  ModelNode* archives = model.findOrAddFolder(project, "Archives", "tgz,gz");

  ModelNode* main = model.addFile(project, "src/Main.C");
  EXPECT_EQ(main->parent(), sources);
  EXPECT_EQ(main->property("file_name"), "src/Main.C");
  EXPECT_EQ(model.addFile(project, "readme")->parent(), project);
  EXPECT_EQ(model.addFile(project, "x.txt")->parent(), project);
  EXPECT_EQ(model.addFile(project, "a.tar.gz")->parent(), archives);
  EXPECT_EQ(model.addFile(project, "dir.h/readme")->parent(), project);
  EXPECT_EQ(model.addFile(project, "y.H")->parent(), headers);
  EXPECT_EQ(childCount(shouting), 1);  // only its configuration
  // A folder parent takes every file, and the folder's own "filter" counts too.
  EXPECT_EQ(model.addFile(headers, "z.c")->parent(), headers);
  ModelNode* own = model.findOrAddFolder(solution, "Own", "");
  own->setProperty("filter", "txt");
  EXPECT_EQ(model.addFile(solution, "notes.txt")->parent(), own);
}

TEST_F(Model, FindOrAddFolderKeepsAnExistingFolderAndItsFilter) {
  ModelNode* folder = model.findOrAddFolder(project, "Src", "c");
  EXPECT_EQ(model.findOrAddFolder(project, "Src", "cpp"), folder);
  EXPECT_EQ(commonValue(folder, "filter"), "c");
  EXPECT_EQ(model.findFolder(project, "src"), nullptr);
  EXPECT_FALSE(model.findOrAddFolder(project, "Plain", "")->hasChildren());
  // An empty name is never found (an unnamed folder is "<NULL>"): each call adds one.
  EXPECT_NE(model.findOrAddFolder(project, "", ""), model.findOrAddFolder(project, "", ""));
  EXPECT_NE(model.findFolder(project, "<NULL>"), nullptr);
}

// Folders are found through an index of the child folders, which follows every
// change: the first folder of a name in child order is found, by its current name.
TEST_F(Model, FindFolderFollowsEveryChangeOfTheChildren) {
  ModelNode* a = model.findOrAddFolder(project, "a", "");
  ModelNode* b = model.findOrAddFolder(project, "b", "");
  b->setName("a");
  EXPECT_EQ(model.findFolder(project, "a"), a);
  EXPECT_EQ(model.findFolder(project, "b"), nullptr);
  model.deleteNode(a);
  EXPECT_EQ(model.findFolder(project, "a"), b);
  auto replacement = std::make_unique<ModelNode>(ModelNode::Folder);
  replacement->setName("d");
  project->replaceChild(b, std::move(replacement));
  EXPECT_EQ(model.findFolder(project, "a"), nullptr);
  EXPECT_NE(model.findFolder(project, "d"), nullptr);
  project->removeContent();
  EXPECT_EQ(model.findFolder(project, "d"), nullptr);
  EXPECT_NE(project->configuration(common), nullptr);
}

// Without "Name", a node is called after its "file_name": the last part of the
// text when it holds macros, else of the resolved location; else "<NULL>".
TEST_F(Model, FolderNamesFromFileNamesAreFoundToo) {
  ModelNode* folder = model.findOrAddFolder(project, "A", "");
  folder->setName("");
  folder->setProperty("file_name", "$(Gen)/generated");
  EXPECT_EQ(model.findFolder(project, "generated"), folder);
  folder->setProperty("file_name", "sub/..");
  EXPECT_EQ(model.findFolder(project, QFileInfo(root).fileName()), folder);
  folder->removeProperty("file_name");
  EXPECT_EQ(model.macros().nameOf(*folder), "<NULL>");
  EXPECT_EQ(model.macros().nameOf(*model.addFile(project, "src/x.c")), "x.c");
}

TEST_F(Model, ConfigurationMapFollowsChildren) {
  ModelNode* first = model.newConfiguration(project, "Debug");
  ModelNode* second = model.newConfiguration(project, "Debug");
  EXPECT_EQ(project->configuration("Debug"), second);
  // Removing either duplicate drops the name; the other stays a child, unmapped.
  std::unique_ptr<ModelNode> removed = project->removeChild(first);
  EXPECT_EQ(removed.get(), first);
  EXPECT_EQ(project->configuration("Debug"), nullptr);
  EXPECT_EQ(second->parent(), project);
  EXPECT_EQ(project->removeChild(first), nullptr);
  // A configuration left with its name alone goes with its last property.
  model.setConfigurationProperty(project, "x", "Release", "1");
  model.removeConfigurationProperty(project, "x", "Release");
  EXPECT_EQ(project->configuration("Release"), nullptr);
}

// A model's nodes live in its memory; a tree taken out of the model outlives it,
// nodes freed and made again in between, and another model's nodes join it.
TEST(NewSolution, ATreeTakenOutOfItsModelOutlivesIt) {
  std::unique_ptr<ModelNode> solution;
  ModelNode* folder = nullptr;
  {
    SolutionModel model{testSchema(), noGlobalMacros};
    ModelNode* project = model.newProject(model.newSolution("Demo", testing_support::testDirectory()), "P", "", "");
    folder = model.findOrAddFolder(project, "Source Files", "");
    for (int round = 0; round < 3; ++round) {
      for (int file = 0; file < 2000; ++file) model.addFile(folder, QString("f%1.c").arg(file));
      if (round < 2) folder->removeContent();
    }
    SolutionModel other{testSchema(), noGlobalMacros};
    other.newSolution("Other", testing_support::testDirectory());
    project->addChild(other.takeSolution());
    solution = model.takeSolution();
  }
  EXPECT_EQ(std::distance(folder->children().begin(), folder->children().end()), 2000);
  EXPECT_EQ((*std::next(folder->children().begin(), 1999))->property("file_name"), "f1999.c");
}
