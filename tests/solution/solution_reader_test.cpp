#include "solution/solution_reader.h"

#include <gtest/gtest.h>

#include "helpers/model_fixture.h"
#include "solution/solution_writer.h"
#include "support/diagnostics.h"

using namespace model_testing;
using testing_support::writeFile;

namespace {

const QByteArray header = solutionHeader;

QByteArray textOf(const ModelNode& solution) { return QByteArray::fromStdString(solutionText(solution)); }

class SolutionReading : public ::testing::Test, public ModelFixture {
 protected:
  std::unique_ptr<ModelNode> load(const QString& path) { return reader.loadSolution(root, path); }
  SolutionReader reader{model};
};

}  // namespace

// What the writer writes reads back into the same solution: the text made from the
// loaded tree equals the text made from the original tree, escaped values included.
TEST_F(SolutionReading, ReadsBackWhatTheWriterWrote) {
  model.setConfigurationProperty(project, "c_preprocessor_definitions", "Debug", "A\n\"x\" \xc3\xa9");
  project->setProperty("template_name", "T");
  model.findOrAddFolder(project, "Source Files", "c");
  model.addFile(project, "src/main.c");
  ModelNode* dynamic = model.findOrAddFolder(project, "Dynamic", "");
  dynamic->setProperty("path", "lib");
  const QByteArray text = textOf(*solution);
  saveSolution(*solution);

  std::unique_ptr<ModelNode> loaded = load("Demo.hzp");
  EXPECT_EQ(textOf(*loaded), text);
  EXPECT_EQ(loaded->solutionFile().path(), root + "/Demo.hzp");
  ModelNode* loadedProject = *loaded->children().begin();
  EXPECT_EQ(reader.templatedProjects, QList<ModelNode*>{loadedProject});
  ASSERT_EQ(reader.dynamicFolders.size(), 1);
  EXPECT_EQ(reader.dynamicFolders[0]->property("Name"), "Dynamic");
  EXPECT_TRUE(reader.loadingStack().isEmpty());
}

TEST_F(SolutionReading, UpgradesTheVersionAndEntersConfigurationsUnderTheirNames) {
  writeFile("old.hzp", header +
                           "<solution Name=\"Old\">\n<configuration Name=\"Debug\" a=\"1\"/>"
                           "<configuration Name=\"Debug\" a=\"2\"/><unknown x=\"y\"/></solution>\n");
  std::unique_ptr<ModelNode> loaded = load("old.hzp");
  EXPECT_EQ(loaded->property("version"), "2");
  EXPECT_EQ(loaded->configuration("Debug")->property("a"), "2");  // the later one of a name
  EXPECT_EQ(textOf(*loaded), header +
                                 "<solution Name=\"Old\" target=\"8\" version=\"2\">\n"
                                 "  <configuration Name=\"Debug\" a=\"1\" />\n"
                                 "  <configuration Name=\"Debug\" a=\"2\" />\n"
                                 "  <unknown x=\"y\" />\n"
                                 "</solution>\n");
}

TEST_F(SolutionReading, ImportsAreLoadedWithTheirMacrosAndWrittenBackUnexpanded) {
  const GlobalMacros macros{{}, {{"QUENPORT_TEST_LIBRARY", "lib"}}};
  SolutionModel importing(testSchema(), macros);
  SolutionReader importingReader(importing);
  const auto load = [&](const QString& path) { return importingReader.loadSolution(root, path); };
  writeFile("main.hzp", header +
                            "<solution Name=\"Main\"><import file_name=\"sub/$(QUENPORT_TEST_LIBRARY).hzp\" "
                            "macros=\"Core=M4;Extra=x\"/><project Name=\"P\"/></solution>");
  writeFile("sub/lib.hzp", header +
                               "<solution Name=\"Lib\" version=\"1\"><project Name=\"Lib$(Core)\" "
                               "template_name=\"T\"><folder Name=\"d\" path=\"$(Extra)\"/></project></solution>");
  std::unique_ptr<ModelNode> loaded = load("main.hzp");
  ModelNode* imported = *loaded->children().begin();
  EXPECT_TRUE(imported->imported);
  EXPECT_EQ(imported->kind(), ModelNode::Solution);
  EXPECT_EQ(imported->solutionFile().path(), root + "/sub/lib.hzp");
  EXPECT_EQ(imported->property("file_name"), "sub/$(QUENPORT_TEST_LIBRARY).hzp");
  ModelNode* libraryProject = *imported->children().begin();
  EXPECT_EQ(libraryProject->property("Name"), "LibM4");  // the import's macros expand the imported file
  EXPECT_EQ(importingReader.templatedProjects, QList<ModelNode*>{libraryProject});
  EXPECT_EQ(importingReader.dynamicFolders.value(0)->property("path"), "x");
  EXPECT_EQ(textOf(*loaded), header +
                                 "<solution Name=\"Main\" target=\"8\" version=\"2\">\n"
                                 "  <import file_name=\"sub/$(QUENPORT_TEST_LIBRARY).hzp\" />\n"
                                 "  <project Name=\"P\" />\n"
                                 "</solution>\n");

  // A load that fails after recording elements takes them back: its tree is gone.
  writeFile("failing.hzp", header +
                               "<solution><project Name=\"T\" template_name=\"T\"><folder Name=\"D\" path=\"d\"/>"
                               "</project><import file_name=\"missing.hzp\"/></solution>");
  EXPECT_THROW(load("failing.hzp"), ConversionError);
  EXPECT_EQ(importingReader.templatedProjects, QList<ModelNode*>{libraryProject});
  EXPECT_EQ(importingReader.dynamicFolders.size(), 1);
  EXPECT_TRUE(importingReader.loadingStack().isEmpty());
}

// The content a dynamic folder loses leaves the reader's records: expansion must
// not reach it afterwards.
TEST_F(SolutionReading, RemovedContentLeavesWhatTheReaderRecorded) {
  ModelNode* group = model.findOrAddFolder(solution, "Group", "");
  ModelNode* inner = model.newProject(group, "Inner", root, "Library");
  reader.templatedProjects.append(inner);
  reader.templatedProjects.append(project);
  reader.dynamicFolders.append(model.findOrAddFolder(inner, "Dynamic", ""));
  reader.removeContent(group);
  EXPECT_EQ(reader.templatedProjects, QList<ModelNode*>{project});
  EXPECT_TRUE(reader.dynamicFolders.isEmpty());
  EXPECT_FALSE(group->hasChildren());
}

// The solution file goes through the preprocessor before its nodes are built: loops,
// conditionals and inclusion make model nodes of the kinds their tags name.
TEST_F(SolutionReading, NodesAreBuiltFromThePreprocessedTree) {
  writeFile("part.xml", "<folder Name=\"included\"><file file_name=\"a.c\"/></folder>");
  writeFile("s.hzp", header +
                         "<solution Name=\"s\"><for index=\"i\" start=\"0\" end=\"2\" incr=\"1\">"
                         "<project Name=\"p$(i)\"><configuration Name=\"$(Kind)\"/></project></for>"
                         "<ifdef name=\"Kind\"><include filename=\"part.xml\"/></ifdef></solution>");
  const std::unique_ptr<ModelNode> loaded = reader.loadSolution(root, "s.hzp", "Kind=Debug");
  QStringList seen;
  for (const ModelNode* child : loaded->children()) {
    seen << QString::fromUtf8(child->tagName()) + ":" + child->property("Name");
    ASSERT_TRUE(child->hasChildren());
    EXPECT_EQ((*child->children().begin())->kind(),
              child->kind() == ModelNode::Folder ? ModelNode::File : ModelNode::Configuration);
  }
  EXPECT_EQ(seen, QStringList({"project:p0", "project:p1", "folder:included"}));
  EXPECT_NE((*loaded->children().begin())->configuration("Debug"), nullptr);
}
