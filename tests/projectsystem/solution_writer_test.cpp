#include <gtest/gtest.h>

#include "model_test_support.h"
#include "xml/xml_node.h"

using namespace model_testing;
using testing_support::readFile;

namespace {

class SolutionWriter : public ::testing::Test, public ModelFixture {
 protected:
  QByteArray saved() {
    EXPECT_TRUE(system.saveSolution(solution));
    return readFile(root + "/Demo.hzp");
  }
};

const QByteArray emptyDemo = "<!DOCTYPE Orbelin_Project_File>\n<solution Name=\"Demo\" target=\"8\" version=\"2\" />\n";

}  // namespace

TEST_F(SolutionWriter, WritesANewSolutionAndAnImportedOneAsASolutionOfItsOwn) {
  system.deleteElement(project);
  QList<Path> savedPaths;
  QObject::connect(&system, &ProjectSystem::fileSaved, [&](const Path& path) { savedPaths.append(path); });
  EXPECT_EQ(saved(), emptyDemo);
  EXPECT_EQ(solution->property("target"), "8");
  EXPECT_FALSE(solution->isModified());
  EXPECT_TRUE(solution->lastModified.isValid());
  EXPECT_EQ(savedPaths, QList<Path>{solution->location()});

  solution->imported = true;
  solution->setProperty("file_name", "demo.hzp");
  EXPECT_EQ(saved(), emptyDemo);
  EXPECT_TRUE(solution->imported);
  EXPECT_EQ(solution->property("file_name"), "demo.hzp");
}

TEST_F(SolutionWriter, WritesProjectsFoldersFilesAndConfigurations) {
  system.setConfigurationProperty(project, "c_preprocessor_definitions", "Debug", "DEBUG");
  system.findOrAddFolder(project, "Source Files", "c;cpp");
  system.addFile(project, "main.c");
  system.addFile(project, "readme.txt");
  project->appendChild(std::make_unique<XMLCDATASection>("not a model element"));
  solution->setProperty("target", "7");
  EXPECT_EQ(saved(),
            "<!DOCTYPE Orbelin_Project_File>\n"
            "<solution Name=\"Demo\" target=\"7\" version=\"2\">\n"
            "  <project Name=\"App\">\n"
            "    <configuration\n"
            "      Name=\"Common\"\n"
            "      project_directory=\"\"\n"
            "      project_type=\"Executable\" />\n"
            "    <configuration Name=\"Debug\" c_preprocessor_definitions=\"DEBUG\" />\n"
            "    <folder Name=\"Source Files\">\n"
            "      <configuration Name=\"Common\" filter=\"c;cpp\" />\n"
            "      <file file_name=\"main.c\" />\n"
            "    </folder>\n"
            "    <file file_name=\"readme.txt\" />\n"
            "  </project>\n"
            "</solution>\n");
  EXPECT_FALSE(project->isModified());
}

TEST_F(SolutionWriter, DropsEmptyNamesAndFolderFileNamesButKeepsDynamicFoldersWhole) {
  system.deleteElement(project);
  ProjectElement* folder = system.findOrAddFolder(solution, "", "");
  folder->setProperty("file_name", "f");
  folder->setProperty("flag", "x");
  ProjectElement* dynamicFolder = solution->addChild(system.createElement("folder"));
  dynamicFolder->setName("");
  dynamicFolder->setProperty("path", "lib");
  system.addFile(dynamicFolder, "lib/a.c");
  system.setConfigurationProperty(dynamicFolder, "c_preprocessor_definitions", common, "X");
  system.findOrAddFolder(dynamicFolder, "sub", "");
  EXPECT_EQ(saved(),
            "<!DOCTYPE Orbelin_Project_File>\n"
            "<solution Name=\"Demo\" target=\"8\" version=\"2\">\n"
            "  <folder flag=\"x\" />\n"
            "  <folder Name=\"\" path=\"lib\">\n"
            "    <configuration Name=\"Common\" c_preprocessor_definitions=\"X\" />\n"
            "  </folder>\n"
            "</solution>\n");
  EXPECT_FALSE(folder->hasProperty("Name"));
  EXPECT_FALSE(folder->hasProperty("file_name"));
}

TEST_F(SolutionWriter, EscapesValuesAndWritesImportsAsReferences) {
  system.deleteElement(project);
  solution->setProperty("note", QString::fromUtf8("a\nb\t\"c\"\xc3\xa9<&>"));
  solution->setProperty("description", "long enough to push the start tag over the line width");
  ProjectElement* imported = solution->addChild(system.createElement("solution"));
  imported->imported = true;
  imported->setName("Other");
  imported->setProperty("file_name", "$(Dir)/other.hzp");
  EXPECT_EQ(saved(),
            "<!DOCTYPE Orbelin_Project_File>\n"
            "<solution\n"
            "  Name=\"Demo\"\n"
            "  description=\"long enough to push the start tag over the line width\"\n"
            "  note=\"a&#xa;b&#x9;&quot;c&quot;&#xc3;&#xa9;&lt;&amp;&gt;\"\n"
            "  target=\"8\"\n"
            "  version=\"2\">\n"
            "  <import file_name=\"$(Dir)/other.hzp\" />\n"
            "</solution>\n");
}

TEST_F(SolutionWriter, ReportsAFileThatCannotBeWritten) {
  testing_support::writeFile(root + "/Demo.hzp/blocker", "x");  // a directory where the file should go
  QString error;
  EXPECT_FALSE(system.saveSolution(solution, &error));
  EXPECT_EQ(error, "cannot write " + root + "/Demo.hzp: Is a directory");
  EXPECT_TRUE(solution->isModified());
}
