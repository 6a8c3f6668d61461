// eclipse2hzp end to end: Eclipse workspaces of CDT projects copied from
// tests/e2e/fixtures/eclipse into the test's directory, converted by the
// binary, and the solution files compared.

#include <gtest/gtest.h>

#include <QFile>

#include "e2e/eclipse_fixtures.h"
#include "helpers/test_support.h"

using testing_support::expectedSolution;
using testing_support::expectSuccess;
using testing_support::fileExists;
using testing_support::readFile;
using testing_support::runQuenport;

using namespace eclipse_fixtures;

namespace {

/// Converts the workspace given by its absolute path; expects success without warnings.
QByteArray convert(const QStringList& options, const QString& workspace = "ws") {
  expectSuccess(QStringList{"eclipse2hzp"} + options + QStringList{absolute(workspace)});
  return readFile(workspace + "/" + workspace + ".hzp");
}

}  // namespace

// Hidden folders are searched; a ".project" without ".cproject" is no project.
TEST(EclipseImport, PrintsTwoLinesPerProjectInSearchOrder) {
  copyFixture("search_order");
  EXPECT_EQ(expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"}).standardOutput,
            "cproject found: ./.hidden/.project\nproject name: hidden\n"
            "cproject found: ./a/.project\nproject name: alpha\n"
            "cproject found: ./a/inner/.project\nproject name: inner\n"
            "cproject found: ./B/.project\nproject name: beta\n");
  // The nested project is a project of its own and a folder of the enclosing one.
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_search_order.hzp"));
}

TEST(EclipseImport, WithoutADirectoryTheWorkingDirectoryIsTheWorkspace) {
  copyFixture("workspace_here");
  for (const QStringList& inputs : {QStringList{}, QStringList{""}}) {
    const auto result =
        expectSuccess(QStringList{"eclipse2hzp", "-executable-template", "E"} + inputs, {}, absolute("ws"));
    EXPECT_EQ(result.standardOutput, "cproject found: ./.project\nproject name: top\n");
    EXPECT_EQ(readFile("ws/project.hzp"), expectedSolution("eclipse_workspace_here.hzp"));
    QFile::remove("ws/project.hzp");
  }
}

// Built-in entries and those without "builtIn" are left out.
TEST(EclipseImport, ListOptionsKeepUserEntriesAndAppendTheCommandLine) {
  copyFixture("list_options");
  // A value made only of "=" names nothing and is dropped, with or without filters.
  EXPECT_EQ(
      convert({"-executable-template", "E", "-filter-definition", "DEBUG*", "-D", "DEBUG_TRACE=1", "-I", "../extra"}),
      expectedSolution("eclipse_list_options_filtered.hzp"));
  EXPECT_EQ(convert({"-executable-template", "E"}), expectedSolution("eclipse_list_options.hzp"));
}

TEST(EclipseImport, TemplateChoiceFollowsTypeOptionsAndMicrocontroller) {
  copyFixture("template_by_device");  // b names no device and inherits a's STM32F4
  EXPECT_EQ(convert({"-library-template", "L"}), expectedSolution("eclipse_template_by_device.hzp"));

  // An executable template wins; the device is the Target all the same.
  EXPECT_EQ(convert({"-executable-template", "E", "-library-template", "L"}),
            expectedSolution("eclipse_template_given.hzp"));

  // The last "Microcontroller" read wins: lib's MCU100 is read before ws2/z.
  copyFixture("template_last_device", "ws2");
  EXPECT_EQ(convert({"-library-template", "L"}, "ws2"), expectedSolution("eclipse_template_last_device.hzp"));
}

// What a user must fix on the command line ends the run; each message names
// the file concerned. A ".project" or ".cproject" that does not parse leaves
// out its project, named with the line, and ends the run only when no project
// converts. A ".project" is read before its ".cproject" is looked for; progress
// lines of the projects before the failing one stay on standard output.
TEST(EclipseImport, FailuresThatEndTheRunNameTheirFile) {
  copyFixture("run_failures", ".");  // bad/b/.project and bad2/a/.cproject end too soon
  const QByteArray demo = "cproject found: ./demo/.project\nproject name: demo\n";
  const struct {
    QStringList arguments;
    QByteArray output;
    QByteArray error;
  } cases[] = {
      {{"-executable-template", "E", "lib"}, demo, "lib/demo/.cproject: library template not specified"},
      {{"-library-template", "L", "exe"}, demo, "exe/demo/.cproject: executable template not specified"},
      {{"-executable-template", "E", "-P", "build_quietly=", "exe"}, "", "-P build_quietly=: expected property=value"},
      {{"-executable-template", "E", "bad2"},
       "",
       "bad2: no project could be converted (bad2/a/.cproject: project a left out: Premature end of document. "
       "line: 1 column: 10)"},
      {{"nowhere"}, "", "directory nowhere does not exist"},
      {{"plain"}, "", "plain: not a directory"},
  };
  for (const auto& c : cases) {
    const auto result = runQuenport(QStringList{"eclipse2hzp"} + c.arguments);
    EXPECT_EQ(result.exitCode, 1) << c.error.toStdString();
    EXPECT_EQ(result.standardOutput, c.output);
    EXPECT_TRUE(result.standardError.endsWith("error: " + c.error + "\n")) << result.standardError.toStdString();
    const QString workspace = c.arguments.last();
    EXPECT_FALSE(fileExists(workspace + "/" + workspace + ".hzp")) << c.error.toStdString();
  }
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "bad"},
                "warning: bad/b/.project: project b left out: Premature end of document. line: 3 column: 0\n");
  EXPECT_EQ(readFile("bad/bad.hzp").count("<project "), 1);
}

TEST(EclipseImport, SourceTreeMirrorsTheProjectDirectoryAndLinkedFilesFollow) {
  // demo links the files x.c, z.c and second.c, and Board/skip_b.h in the virtual folder Board.
  copyFixture("source_tree");
  EXPECT_EQ(convert({"-executable-template", "E", "-filter-file", "skip_*"}),
            expectedSolution("eclipse_source_tree.hzp"));
}

TEST(EclipseImport, SymbolicLinkCyclesEndBothScans) {
  copyFixture("link_cycles");
  ASSERT_TRUE(QFile::link("..", "ws/demo/src/loop"));  // back to the project directory
  ASSERT_TRUE(QFile::link("..", "ws/demo/up"));        // the workspace, holding the project
  EXPECT_EQ(expectSuccess({"eclipse2hzp", "-executable-template", "E", absolute("ws")}).standardOutput,
            "cproject found: ./demo/.project\nproject name: demo\n");
  // A link back to a directory being mirrored gets no folder; other links are followed.
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_link_cycles.hzp"));
}
