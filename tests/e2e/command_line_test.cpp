// The command line as a user meets it: usage, unknown commands and options,
// option arguments, and the exit status.

#include <gtest/gtest.h>

#include <QDir>

#include "support/test_support.h"

using testing_support::runQuenport;

namespace {

// The usage text, kept whole under tests/e2e/expected.
const QByteArray usage = testing_support::readFile(testing_support::sourcePath("tests/e2e/expected/usage.txt"));

void expectRun(const QStringList& arguments, int status, const QByteArray& standardError) {
  const auto result = runQuenport(arguments);
  EXPECT_EQ(result.exitCode, status) << arguments.join(' ').toStdString();
  EXPECT_EQ(result.standardError, standardError) << arguments.join(' ').toStdString();
  EXPECT_EQ(result.standardOutput, "");
}

}  // namespace

TEST(CommandLine, UsageAndUnknownCommands) {
  ASSERT_FALSE(usage.isEmpty());
  expectRun({}, 1, usage);
  expectRun({"foo"}, 1, "unknown command 'foo'\n\n" + usage);
  expectRun({"-help"}, 1, "unknown command '-help'\n\n" + usage);
  expectRun({"UVISION2HZP"}, 1, "unknown command 'UVISION2HZP'\n\n" + usage);
}

// What users type by habit: the usage text on standard output, and the version
// of CMakeLists.txt. After a command these stay unknown options.
TEST(CommandLine, HelpAndVersion) {
  for (const char* word : {"--help", "-h", "help"}) {
    const auto result = runQuenport({word});
    EXPECT_EQ(result.exitCode, 0) << word;
    EXPECT_EQ(result.standardOutput, usage) << word;
    EXPECT_EQ(result.standardError, "") << word;
  }
  const auto version = runQuenport({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.standardOutput, "quenport " QUENPORT_VERSION "\n");
  expectRun({"iar2hzp", "--help"}, 1, "error: unknown option --help\n");
}

// A value that a solution file cannot hold is refused before anything is
// converted; a -verbose line that cannot be written ends the run with an error.
TEST(CommandLine, ValuesASolutionCannotHoldAndLostOutput) {
  testing_support::writeFile("w.eww", "<workspace/>");
  expectRun({"iar2hzp", "-D", "A\aB", "w.eww"}, 1,
            "error: -D A\\x07B: holds a control character, which a solution file cannot hold\n");
  expectRun({"iar2hzp", "-executable-template", "\x1b[2J", "w.eww"}, 1,
            "error: -executable-template \\x1b[2J: holds a control character, which a solution file cannot hold\n");
  EXPECT_FALSE(testing_support::fileExists("w.hzp"));
  const auto full = testing_support::runProgram("/bin/sh", {"-c", QString("'%1' iar2hzp -verbose w.eww > /dev/full").arg(QUENPORT_BINARY)});
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_EQ(full.standardError, "error: cannot write standard output: No space left on device\n");
}

// All options are read before anything is converted.
TEST(CommandLine, OptionErrors) {
  testing_support::writeFile("w.eww", "<workspace/>");
  expectRun({"uvision2hzp", "-D"}, 1, "error: argument expected\n");
  expectRun({"iar2hzp", "-rootuserdir"}, 1, "error: argument expected\n");
  expectRun({"iar2hzp", "-c-vector-table"}, 1, "error: unknown option -c-vector-table\n");
  expectRun({"eclipse2hzp", "-c-vector-table"}, 1, "error: unknown option -c-vector-table\n");
  expectRun({"uvision2hzp", "-help"}, 1, "error: unknown option -help\n");
  expectRun({"uvision2hzp", "--verbose"}, 1, "error: unknown option --verbose\n");
  expectRun({"iar2hzp", "w.eww", "-x"}, 1, "error: unknown option -x\n");
  EXPECT_FALSE(testing_support::fileExists("w.hzp"));
}

// The test's folder as the user sees it: start-up's user data directory left aside.
static QStringList workingDirectoryEntries() {
  QStringList entries = QDir::current().entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
  entries.removeAll("user");
  return entries;
}

TEST(CommandLine, AcceptedOptionsWithoutInputsWriteNothing) {
  const QStringList before = workingDirectoryEntries();
  expectRun({"iar2hzp", "-expand-templates"}, 0, "");
  expectRun({"uvision2hzp", "-c-vector-table", "-verbose", "-I", "-D", "-D", "A=1", "-P", "x=y",
             "-filter-file", "*.txt", "-filter-definition", "DEBUG*", "-executable-template", "E",
             "-library-template", "L", "-templatesfile", "a.xml", "-addtemplatesfile", "b.xml", "-rootuserdir", "r"},
            0, "warning: -D, -I, -P, -filter-definition: not applied by uvision2hzp, ignored\n");
  EXPECT_EQ(workingDirectoryEntries(), before);
}

// "-verbose": a line per solution written, with its path and what it holds.
TEST(CommandLine, VerbosePrintsOneLinePerSolutionWritten) {
  testing_support::writeFile("a.eww", "<workspace/>");
  testing_support::copyTree(testing_support::sourcePath("tests/e2e/fixtures/uvision/one_file"), "sub");
  const QString here = QDir::currentPath();
  auto result = runQuenport({"iar2hzp", "-verbose", "a.eww"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.standardOutput, here.toUtf8() + "/a.hzp: 0 projects, 0 folders, 0 files\n");
  result = runQuenport({"uvision2hzp", "sub/w.uvmpw", "-verbose", "sub/w.uvmpw"});  // the second writes nothing
  EXPECT_EQ(result.standardOutput, (here + "/sub/w.hzp: 1 project, 2 folders, 1 file\n").toUtf8());
  EXPECT_EQ(runQuenport({"uvision2hzp", "sub/w.uvmpw"}).standardOutput, "");
}
