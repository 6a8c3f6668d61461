#include <gtest/gtest.h>

#include "helpers/model_fixture.h"
#include "solution/solution_load_error.h"
#include "solution/solution_reader.h"
#include "solution/solution_text.h"
#include "solution/solution_writer.h"

using namespace model_testing;
using testing_support::writeFile;

namespace {

const QByteArray header = solutionHeader;

QByteArray textOf(const ProjectElement& solution) { return QByteArray::fromStdString(solutionText(solution)); }

class SolutionReading : public ::testing::Test, public ModelFixture {
 protected:
  std::unique_ptr<ProjectElement> load(const QString& path) { return reader.loadSolution(root, path); }
  SolutionReader reader{system};
};

}  // namespace

// What the writer writes reads back into the same solution: the text made from the
// loaded tree equals the text made from the original tree, escaped values included.
TEST_F(SolutionReading, ReadsBackWhatTheWriterWrote) {
  system.setConfigurationProperty(project, "c_preprocessor_definitions", "Debug", "A\n\"x\" \xc3\xa9");
  system.setElementProperty(project, "template_name", "T");
  system.findOrAddFolder(project, "Source Files", "c");
  system.addFile(project, "src/main.c");
  ProjectElement* dynamic = system.findOrAddFolder(project, "Dynamic", "");
  dynamic->setProperty("path", "lib");
  const QByteArray text = textOf(*solution);
  ASSERT_TRUE(saveSolution(*solution));

  std::unique_ptr<ProjectElement> loaded = load("Demo.hzp");
  EXPECT_EQ(textOf(*loaded), text);
  EXPECT_EQ(loaded->location().path(), root + "/Demo.hzp");
  EXPECT_TRUE(loaded->lastModified.isValid());
  ProjectElement* loadedProject = *loaded->children().begin();
  EXPECT_EQ(reader.templatedProjects, QList<ProjectElement*>{loadedProject});
  ASSERT_EQ(reader.dynamicFolders.size(), 1);
  EXPECT_EQ(reader.dynamicFolders[0]->name(), "Dynamic");
  EXPECT_TRUE(reader.loadingStack().isEmpty());
  EXPECT_TRUE(loadedProject->attributes().empty());  // the properties hold the values
}

TEST_F(SolutionReading, UpgradesTheVersionAndEntersConfigurationsUnderTheirNames) {
  writeFile("old.hzp", header + "<solution Name=\"Old\">\n<configuration Name=\"Debug\" a=\"1\"/>"
                                "<configuration Name=\"Debug\" a=\"2\"/><unknown x=\"y\"/></solution>\n");
  std::unique_ptr<ProjectElement> loaded = load("old.hzp");
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
  ProjectSystem importing(GlobalMacros{{}, {{"QUENPORT_TEST_LIBRARY", "lib"}}});
  SolutionReader importingReader(importing);
  const auto load = [&](const QString& path) { return importingReader.loadSolution(root, path); };
  writeFile("main.hzp", header + "<solution Name=\"Main\"><import file_name=\"sub/$(QUENPORT_TEST_LIBRARY).hzp\" "
                                 "macros=\"Core=M4;Extra=x\"/><project Name=\"P\"/></solution>");
  writeFile("sub/lib.hzp", header + "<solution Name=\"Lib\" version=\"1\"><project Name=\"Lib$(Core)\" "
                                    "template_name=\"T\"><folder Name=\"d\" path=\"$(Extra)\"/></project></solution>");
  std::unique_ptr<ProjectElement> loaded = load("main.hzp");
  ProjectElement* imported = *loaded->children().begin();
  EXPECT_TRUE(imported->imported);
  EXPECT_EQ(imported->kind(), ProjectElement::Solution);
  EXPECT_EQ(imported->location().path(), root + "/sub/lib.hzp");
  EXPECT_EQ(imported->property("file_name"), "sub/$(QUENPORT_TEST_LIBRARY).hzp");
  ProjectElement* libraryProject = *imported->children().begin();
  EXPECT_EQ(libraryProject->name(), "LibM4");  // the import's macros expand the imported file
  EXPECT_EQ(importingReader.templatedProjects, QList<ProjectElement*>{libraryProject});
  EXPECT_EQ(importingReader.dynamicFolders.value(0)->property("path"), "x");
  EXPECT_EQ(textOf(*loaded), header +
                                       "<solution Name=\"Main\" target=\"8\" version=\"2\">\n"
                                       "  <import file_name=\"sub/$(QUENPORT_TEST_LIBRARY).hzp\" />\n"
                                       "  <project Name=\"P\" />\n"
                                       "</solution>\n");

  // A load that fails after recording elements takes them back: its tree is gone.
  writeFile("failing.hzp", header + "<solution><project Name=\"T\" template_name=\"T\"><folder Name=\"D\" path=\"d\"/>"
                                    "</project><import file_name=\"missing.hzp\"/></solution>");
  EXPECT_THROW(load("failing.hzp"), SolutionLoadError);
  EXPECT_EQ(importingReader.templatedProjects, QList<ProjectElement*>{libraryProject});
  EXPECT_EQ(importingReader.dynamicFolders.size(), 1);
  EXPECT_TRUE(importingReader.loadingStack().isEmpty());
}

// Two imports of one file on every level: read anew each time, 16 levels made
// 65,536 reads of the last file (18 levels: 13 s and 539 MB). Each file is read
// once, and an empty solution stands for it where it is imported again, so the
// text written back keeps every reference.
TEST_F(SolutionReading, ADiamondOfImportsReadsEachFileOnce) {
  const int levels = 16;
  for (int level = 0; level < levels; ++level) {
    const QByteArray next = "level" + QByteArray::number(level + 1) + ".hzp";
    writeFile("level" + QString::number(level) + ".hzp",
              header + "<solution Name=\"L\"><import file_name=\"" + next + "\"/><import file_name=\"./" + next +
                  "\"/></solution>");
  }
  writeFile("level16.hzp", header + "<solution Name=\"Last\"><project Name=\"P\" template_name=\"T\"/></solution>");
  std::unique_ptr<ProjectElement> loaded = load("level0.hzp");
  EXPECT_EQ(reader.templatedProjects.size(), 1);
  const ProjectElement* first = *loaded->children().begin();
  const ProjectElement* again = *std::next(loaded->children().begin());
  EXPECT_TRUE(first->firstChild() && again->imported && !again->firstChild());
  EXPECT_EQ(again->location().path(), root + "/level1.hzp");
  EXPECT_EQ(textOf(*loaded), header +
                                       "<solution Name=\"L\" target=\"8\" version=\"2\">\n"
                                       "  <import file_name=\"level1.hzp\" />\n"
                                       "  <import file_name=\"./level1.hzp\" />\n"
                                       "</solution>\n");
}

// An element destroyed through the reader leaves its records: expansion must not
// reach it afterwards.
TEST_F(SolutionReading, DeletingThroughTheReaderForgetsWhatItRecorded) {
  reader.templatedProjects.append(project);
  reader.dynamicFolders.append(system.findOrAddFolder(project, "Dynamic", ""));
  ProjectElement* other = system.newProject(solution, "Other", root, "Library");
  reader.templatedProjects.append(other);
  reader.deleteElement(project);
  EXPECT_EQ(reader.templatedProjects, QList<ProjectElement*>{other});
  EXPECT_TRUE(reader.dynamicFolders.isEmpty());
  EXPECT_EQ(system.findProject("App"), nullptr);
}
