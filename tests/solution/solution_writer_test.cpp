// What the writer leaves out; whole converted solutions, escaping and write
// errors are shown end to end (tests/e2e), the escaping rules by the XML writer.

#include "solution/solution_writer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <csignal>

#include "helpers/model_fixture.h"

using namespace model_testing;
using testing_support::readFile;

namespace {

class SolutionWriter : public ::testing::Test, public ModelFixture {
 protected:
  // The bytes as written, unchecked: a case below writes a property name
  // outside ASCII, which the file format writes as a Latin-1 byte.
  QByteArray saved() {
    saveSolution(*solution);
    QFile file(root + "/Demo.hzp");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  // A project of some hundred kilobytes of text.
  ModelNode* addLargeProject(const QString& name) {
    ModelNode* added = model.newProject(solution, name, root + "/" + name, "Library");
    for (int i = 0; i < 5000; ++i) model.addFile(added, QStringLiteral("src/some/directory/file%1.c").arg(i));
    return added;
  }
};

}  // namespace

// An imported solution saved on its own is written as a solution, not as a reference.
TEST_F(SolutionWriter, WritesANewSolutionAndAnImportedOneAsASolutionOfItsOwn) {
  const QByteArray emptyDemo = testing_support::emptySolution("Demo");
  model.deleteNode(project);
  EXPECT_EQ(saved(), emptyDemo);
  solution->imported = true;
  solution->setProperty("file_name", "demo.hzp");
  EXPECT_EQ(saved(), emptyDemo);
}

// Empty names and a folder's "file_name" are left out, and the model keeps them;
// a dynamic folder keeps only its own settings, not what it was filled with.
TEST_F(SolutionWriter, DropsEmptyNamesAndFolderFileNamesButKeepsDynamicFoldersWhole) {
  model.deleteNode(project);
  solution->setProperty("target", "7");
  ModelNode* folder = model.findOrAddFolder(solution, "", "");
  folder->setProperty("file_name", "f");
  folder->setProperty("flag", "x");
  ModelNode* dynamicFolder = solution->addChild(std::make_unique<ModelNode>(ModelNode::Folder));
  dynamicFolder->setName("");
  dynamicFolder->setProperty("path", "lib");
  model.addFile(dynamicFolder, "lib/a.c");
  model.setConfigurationProperty(dynamicFolder, "c_preprocessor_definitions", common, "X");
  model.findOrAddFolder(dynamicFolder, "sub", "");
  EXPECT_EQ(saved(), QByteArray(solutionHeader) +
                         "<solution Name=\"Demo\" target=\"7\" version=\"2\">\n"
                         "  <folder flag=\"x\" />\n"
                         "  <folder Name=\"\" path=\"lib\">\n"
                         "    <configuration Name=\"Common\" c_preprocessor_definitions=\"X\" />\n"
                         "  </folder>\n"
                         "</solution>\n");
  EXPECT_TRUE(folder->hasProperty("Name"));
  EXPECT_TRUE(folder->hasProperty("file_name"));
}

// Values outside ASCII are written as UTF-8 bytes, each escaped (names as Latin-1),
// and a start tag wider than the line is wrapped one attribute per line.
TEST_F(SolutionWriter, WritesTextOutsideAsciiAndWrapsWideStartTags) {
  model.deleteNode(project);
  ModelNode* folder = model.findOrAddFolder(solution, QString::fromUtf8("Gr\u00fc\u00dfe \U0001D11E"), "");
  folder->setProperty(QString::fromUtf8("n\u00e9"), "<\"&'>");
  model.setConfigurationProperty(folder, "c_preprocessor_definitions", common,
                                 "A_VERY_LONG_DEFINITION_THAT_FILLS_THE_LINE;ANOTHER_ONE");
  EXPECT_EQ(
      saved(),
      QByteArray(solutionHeader) +
          "<solution Name=\"Demo\" target=\"8\" version=\"2\">\n"
          "  <folder Name=\"Gr&#xc3;&#xbc;&#xc3;&#x9f;e &#xf0;&#x9d;&#x84;&#x9e;\" n\xe9=\"&lt;&quot;&amp;'&gt;\">\n"
          "    <configuration\n"
          "      Name=\"Common\"\n"
          "      c_preprocessor_definitions=\"A_VERY_LONG_DEFINITION_THAT_FILLS_THE_LINE;ANOTHER_ONE\" />\n"
          "  </folder>\n"
          "</solution>\n");
}

// Saving hands the text to the file in pieces: a solution of several pieces is
// saved as the same bytes as the text made in memory, a value longer than a piece
// (with attributes after it) included.
TEST_F(SolutionWriter, ALargeSolutionIsSavedAsItsWholeText) {
  project->setProperty("a_long_value", QString(300 * 1024, u'x') + u'&');
  project->setProperty("b_after_it", "<>");
  ModelNode* folder = model.findOrAddFolder(project, "Source Files", "");
  for (int i = 0; i < 20000; ++i) model.addFile(folder, QStringLiteral("src/some/directory/file%1.c").arg(i));
  const std::string text = solutionText(*solution);
  ASSERT_GT(text.size(), size_t(3 * 256 * 1024));
  EXPECT_NE(text.find("xxx&amp;\"\n    b_after_it=\"&lt;&gt;\""), std::string::npos);
  EXPECT_EQ(saved(), QByteArray::fromStdString(text));
}

// Projects streamed (in pieces) and let go, then the rest saved, give the bytes of
// the solution written whole; a project with one before it waits for the save.
TEST_F(SolutionWriter, AStreamedSolutionIsTheTextOfTheWholeSolution) {
  ModelNode* library = addLargeProject("Lib");
  addLargeProject("Last");
  model.newConfiguration(solution, "Other");
  const std::string whole = solutionText(*solution);
  ASSERT_GT(whole.size(), size_t(2 * 256 * 1024));

  SolutionStream stream;
  EXPECT_FALSE(stream.writeProject(*library));
  for (ModelNode* written : {project, library}) {
    ASSERT_TRUE(stream.writeProject(*written));
    model.deleteNode(written);
  }
  stream.save(*solution);
  EXPECT_EQ(readFile(root + "/Demo.hzp"), QByteArray::fromStdString(whole));
}

// Projects that wait for later ones have their folders and files set aside as
// text and dropped from the model; their configurations, changed after that (as
// links change them), come before that text: the bytes are those of the solution
// written whole. A project with a configuration after its files keeps them.
TEST_F(SolutionWriter, ItemsSetAsideFollowTheConfigurationsChangedSince) {
  ModelNode* library = model.newProject(solution, "Lib", root + "/Lib", "Library");
  for (ModelNode* waiting : {project, library}) {
    model.newConfiguration(waiting, "Common");
    ModelNode* folder = model.findOrAddFolder(waiting, "Source Files", "");
    for (int i = 0; i < 3000; ++i) model.addFile(folder, QStringLiteral("src/file%1.c").arg(i));
  }
  ModelNode* last = addLargeProject("Last");
  model.newConfiguration(last, "Debug");
  const auto link = [&](const QString& value) {
    for (ModelNode* waiting : {project, library})
      model.setConfigurationProperty(waiting, "project_dependencies", "Common", value);
  };
  link("Last");
  const std::string whole = solutionText(*solution);
  link("");

  SolutionStream stream;
  for (ModelNode* waiting : {project, library}) {
    ASSERT_TRUE(stream.setAsideItems(*waiting));
    std::vector<ModelNode*> items;
    for (ModelNode* child : waiting->children())
      if (child->kind() != ModelNode::Configuration) items.push_back(child);
    for (ModelNode* item : items) model.deleteNode(item);
  }
  EXPECT_FALSE(stream.setAsideItems(*last));
  link("Last");
  stream.save(*solution);
  EXPECT_EQ(readFile(root + "/Demo.hzp"), QByteArray::fromStdString(whole));
}

// A write that fails while projects are streamed (a full disk, as a file size
// limit shows it) is reported when the solution is saved, with the words of a
// solution written whole; the previous file stays and no temporary file is left.
TEST_F(SolutionWriter, AWriteThatFailsWhileStreamingIsReportedWhenSaving) {
  testing_support::writeFile(root + "/Demo.hzp", "previous");
  ModelNode* library = addLargeProject("Lib");
  const auto ignored = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit {};
  getrlimit(RLIMIT_FSIZE, &limit);
  const struct rlimit small { 64 * 1024, limit.rlim_max };
  setrlimit(RLIMIT_FSIZE, &small);
  SolutionStream stream;
  const bool written = stream.writeProject(*project) && stream.writeProject(*library);
  QString failure;
  try {
    stream.save(*solution);
  } catch (const ConversionError& error) {
    failure = error.message();
  }
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, ignored);
  EXPECT_FALSE(written);
  EXPECT_EQ(failure, "cannot write " + root + "/Demo.hzp: File too large");
  EXPECT_EQ(readFile(root + "/Demo.hzp"), "previous");
  EXPECT_EQ(QDir(root).entryList(QDir::Files | QDir::Hidden), QStringList({"Demo.hzp"}));
}
