// eclipse2hzp end to end: Eclipse workspaces of CDT projects built in the test's
// directory, converted by the binary, and the solution files compared.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "e2e/eclipse_fixtures.h"
#include "support/test_support.h"

using testing_support::expectSuccess;
using testing_support::expectedSolution;
using testing_support::fileExists;
using testing_support::readFile;
using testing_support::runQuenport;
using testing_support::writeFile;

using namespace eclipse_fixtures;

TEST(EclipseImport, PrintsTwoLinesPerProjectInSearchOrder) {
  writeProject("ws/B", "beta", cproject({{"Debug", {}}}));
  writeProject("ws/a", "alpha", cproject({{"Debug", {}}}));
  writeProject("ws/a/inner", "inner", cproject({{"Debug", {}}}));
  writeFile("ws/a/inner/in.c", "");
  writeProject("ws/.hidden", "hidden", cproject({{"Debug", {}}}));
  writeFile("ws/c/.project", description("no cdt settings"));
  EXPECT_EQ(expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"}).standardOutput,
            "cproject found: ./.hidden/.project\nproject name: hidden\n"
            "cproject found: ./a/.project\nproject name: alpha\n"
            "cproject found: ./a/inner/.project\nproject name: inner\n"
            "cproject found: ./B/.project\nproject name: beta\n");
  // The nested project is a project of its own and a folder of the enclosing one.
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_search_order.hzp"));
}

TEST(EclipseImport, WithoutADirectoryTheWorkingDirectoryIsTheWorkspace) {
  writeProject("ws", "top", cproject({{"Release", listOption("definedSymbols", {"NDEBUG"})}}));
  writeFile("ws/main.c", "");
  for (const QStringList& inputs : {QStringList{}, QStringList{""}}) {
    const auto result =
        expectSuccess(QStringList{"eclipse2hzp", "-executable-template", "E"} + inputs, {}, absolute("ws"));
    EXPECT_EQ(result.standardOutput, "cproject found: ./.project\nproject name: top\n");
    EXPECT_EQ(readFile("ws/project.hzp"), expectedSolution("eclipse_workspace_here.hzp"));
    QFile::remove("ws/project.hzp");
  }
}

TEST(EclipseImport, ListOptionsKeepUserEntriesAndAppendTheCommandLine) {
  const QByteArray builtIn = "<listOptionValue builtIn=\"true\" value=\"../builtin\"/><listOptionValue value=\"../unmarked\"/>";
  writeProject("ws/demo", "demo",
               cproject({{"Debug", listOption("includePath", {"../inc", "..\\drivers\\inc"}) +
                                       "<option valueType=\"includePath\">" + builtIn + "</option>" +
                                       listOption("definedSymbols", {"DEBUG_LEVEL=2", "NDEBUG", "=DEBUG", "", "=",
                                                                     "==", "CLOCK_HZ=8000000"}) +
                                       "<option valueType=\"definedSymbols\">" + builtIn + "</option>"}}));
  // A value made only of "=" names nothing and is dropped, with or without filters.
  EXPECT_EQ(
      convert({"-executable-template", "E", "-filter-definition", "DEBUG*", "-D", "DEBUG_TRACE=1", "-I", "../extra"}),
      expectedSolution("eclipse_list_options_filtered.hzp"));
  EXPECT_EQ(convert({"-executable-template", "E"}), expectedSolution("eclipse_list_options.hzp"));
}

TEST(EclipseImport, TemplateChoiceFollowsTypeOptionsAndMicrocontroller) {
  writeProject("ws/a", "a", cproject({{"Debug", microcontroller("STM32F4")}}));
  writeProject("ws/b", "b", cproject({{"Debug", {}}}));  // inherits STM32F4 from a
  writeProject("ws/lib", "lib", cproject({{"Release", microcontroller("MCU100")}}, "Static Library"));
  EXPECT_EQ(convert({"-library-template", "L"}), expectedSolution("eclipse_template_by_device.hzp"));

  // An executable template wins; the device is the Target all the same.
  EXPECT_EQ(convert({"-executable-template", "E", "-library-template", "L"}),
            expectedSolution("eclipse_template_given.hzp"));

  // The last "Microcontroller" read wins: lib's MCU100 is read before ws2/z.
  writeProject("ws2/lib", "lib", cproject({{"Release", microcontroller("MCU100")}}, "Static Library"));
  writeProject("ws2/z", "z", cproject({{"Debug", {}}}));
  EXPECT_EQ(convert({"-library-template", "L"}, "ws2"), expectedSolution("eclipse_template_last_device.hzp"));
}

// What a user must fix on the command line, or files that cannot be read, end
// the run; each message names the file concerned. A ".project" is read before
// its ".cproject" is looked for; progress lines of the projects before the
// failing one stay on standard output.
TEST(EclipseImport, FailuresThatEndTheRunNameTheirFile) {
  writeProject("lib/demo", "demo", cproject({{"Debug", {}}}, "Static Library"));
  writeProject("exe/demo", "demo", cproject({{"Debug", {}}}));
  writeProject("bad/a", "a", cproject({{"Debug", {}}}));
  writeFile("bad/b/.project", "<projectDescription>\n<name>b</name>\n");
  writeProject("bad2/a", "a", "<cproject>");
  writeFile("plain", "");
  const QByteArray demo = "cproject found: ./demo/.project\nproject name: demo\n";
  const struct {
    QStringList arguments;
    QByteArray output;
    QByteArray error;
  } cases[] = {
      {{"-executable-template", "E", "lib"}, demo, "lib/demo/.cproject: library template not specified"},
      {{"-library-template", "L", "exe"}, demo, "exe/demo/.cproject: executable template not specified"},
      {{"-executable-template", "E", "-P", "build_quietly=", "exe"}, "", "-P build_quietly=: expected property=value"},
      {{"-executable-template", "E", "bad"}, "cproject found: ./a/.project\nproject name: a\n",
       "bad/b/.project: Premature end of document. line: 3 column: 0"},
      {{"-executable-template", "E", "bad2"}, "", "bad2/a/.cproject: Premature end of document. line: 1 column: 10"},
      {{"nowhere"}, "", "directory nowhere does not exist"},
      {{"plain"}, "", "plain: not a directory"},
  };
  for (const auto& c : cases) {
    const auto result = runQuenport(QStringList{"eclipse2hzp"} + c.arguments);
    EXPECT_EQ(result.exitCode, 1) << c.error.toStdString();
    EXPECT_EQ(result.standardOutput, c.output);
    EXPECT_EQ(result.standardError, "error: " + c.error + "\n");
    const QString workspace = c.arguments.last();
    EXPECT_FALSE(fileExists(workspace + "/" + workspace + ".hzp")) << c.error.toStdString();
  }
}

TEST(EclipseImport, SourceTreeMirrorsTheProjectDirectoryAndLinkedFilesFollow) {
  const QByteArray links = "\t<linkedResources>\n" + link("x.c", "1", "<locationURI>PARENT-0-PROJECT_LOC/x.c</locationURI>") +
                           link("z.c", "1", "<locationURI>PARENT-2-PROJECT_LOC/lib/z.c</locationURI>") +
                           link("Board", "2", "<locationURI>virtual:/virtual</locationURI>") +
                           link("Board/skip_b.h", "1", "<locationURI>PARENT-1-PROJECT_LOC/inc/skip_b.h</locationURI>") +
                           "\t</linkedResources>\n\t<linkedResources>\n" +
                           link("second.c", "1", "<locationURI>second.c</locationURI>") + "\t</linkedResources>\n";
  writeProject("ws/demo", "demo", cproject({{"Debug", {}}}), links);
  for (const char* name : {"main.c", "README.txt", "startup.s", "main.C", "startup.S", "test.main.c", "Makefile",
                           "skip_me.c", "src/drivers/uart.c", "src/drivers/uart.h", "src/App.cpp", ".settings/x.c",
                           ".hidden.c", "Debug/makefile", "Debug/main.o"})
    writeFile(QString("ws/demo/") + name, "");
  const QByteArray solution = convert({"-executable-template", "E", "-filter-file", "skip_*"});
  EXPECT_EQ(solution, expectedSolution("eclipse_source_tree.hzp"));
}

TEST(EclipseImport, SymbolicLinkCyclesEndBothScans) {
  writeProject("ws/demo", "demo", cproject({{"Debug", {}}}));
  writeFile("ws/demo/src/a.c", "");
  writeFile("ws/top.c", "");
  ASSERT_TRUE(QFile::link("..", "ws/demo/src/loop"));  // back to the project directory
  ASSERT_TRUE(QFile::link("..", "ws/demo/up"));        // the workspace, holding the project
  EXPECT_EQ(expectSuccess({"eclipse2hzp", "-executable-template", "E", absolute("ws")}).standardOutput,
            "cproject found: ./demo/.project\nproject name: demo\n");
  // A link back to a directory being mirrored gets no folder; other links are followed.
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_link_cycles.hzp"));
}
