// The command line as a user meets it: usage, unknown commands and options,
// option arguments, and the exit status.

#include <gtest/gtest.h>

#include <QDir>

#include "helpers/test_support.h"

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
// of CMakeLists.txt. After a command they ask for that command's usage text,
// where it stands: an option before it is read first.
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
  const QByteArray uvisionUsage =
      testing_support::readFile(testing_support::sourcePath("tests/e2e/expected/usage_uvision2hzp.txt"));
  for (const char* word : {"-help", "--help", "-h"}) {
    const auto result = runQuenport({"uvision2hzp", "-D", "A", word, "-x", "w.uvmpw"});
    EXPECT_EQ(result.exitCode, 0) << word;
    EXPECT_EQ(result.standardOutput, uvisionUsage) << word;
    EXPECT_EQ(result.standardError, "") << word;
  }
  // Commands that apply every option list them all, and ignore none.
  const auto iar = runQuenport({"iar2hzp", "-h"});
  EXPECT_TRUE(iar.standardOutput.startsWith("Usage:\n  quenport iar2hzp [options] workspace.eww...\n"));
  EXPECT_TRUE(iar.standardOutput.contains("\n  -D name=value ") && !iar.standardOutput.contains("Ignored"));
  expectRun({"iar2hzp", "-x", "-h"}, 1, "error: unknown option -x\n");
  EXPECT_FALSE(testing_support::fileExists("w.hzp"));
}

// A value that a solution file cannot hold is refused before anything is
// converted; a progress line that cannot be written ends the run with an error.
TEST(CommandLine, ValuesASolutionCannotHoldAndLostOutput) {
  testing_support::writeFile("w.eww", "<workspace/>");
  expectRun({"iar2hzp", "-D", "A\aB", "w.eww"}, 1,
            "error: -D A\\x07B: holds a control character, which a solution file cannot hold\n");
  expectRun({"iar2hzp", "-executable-template", "\x1b[2J", "w.eww"}, 1,
            "error: -executable-template \\x1b[2J: holds a control character, which a solution file cannot hold\n");
  EXPECT_FALSE(testing_support::fileExists("w.hzp"));
  testing_support::copyTree(testing_support::sourcePath("tests/e2e/fixtures/eclipse/several_inputs/ws1"), "ws");
  const auto full =
      testing_support::runProgram("/bin/sh", {"-c", QString("'%1' eclipse2hzp ws > /dev/full").arg(QUENPORT_BINARY)});
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_TRUE(full.standardError.endsWith("\nerror: cannot write standard output: No space left on device\n"));
}

// All options are read before anything is converted.
TEST(CommandLine, OptionErrors) {
  testing_support::writeFile("w.eww", "<workspace/>");
  expectRun({"uvision2hzp", "-D"}, 1, "error: argument expected\n");
  expectRun({"iar2hzp", "-rootuserdir"}, 1, "error: argument expected\n");
  expectRun({"iar2hzp", "-c-vector-table"}, 1, "error: unknown option -c-vector-table\n");
  expectRun({"eclipse2hzp", "-c-vector-table"}, 1, "error: unknown option -c-vector-table\n");
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
  const QStringList everyOption =
      QString(
          "uvision2hzp -c-vector-table -verbose -I -D -D A=1 -P x=y -filter-file *.txt -filter-definition DEBUG* "
          "-executable-template E -library-template L -templatesfile a.xml -addtemplatesfile b.xml -rootuserdir r "
          "-argvar SDK=/sdk -custom-argvars a.custom_argvars")
          .split(' ');
  expectRun(everyOption, 0,
            "warning: -D, -I, -P, -filter-definition, -argvar, -custom-argvars: not applied by uvision2hzp, ignored\n");
  EXPECT_EQ(workingDirectoryEntries(), before);
}

// "-verbose": each input that converts ends with a line after its warnings,
// with its solution's path and what it holds.
TEST(CommandLine, VerboseEndsEachInputWithItsSummary) {
  testing_support::writeFile("a.eww", "<workspace/>");
  testing_support::copyTree(testing_support::sourcePath("examples/iar"), "sub");
  const QString here = QDir::currentPath();
  auto result = runQuenport({"iar2hzp", "-verbose", "a.eww"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.standardError,
            here.toUtf8() + "/a.hzp: 0 projects, 0 files, 0 configurations; 0 settings not carried\n");
  result =
      runQuenport({"iar2hzp", "sub/firmware.eww", "-verbose", "-executable-template", "E", "-library-template", "L"});
  EXPECT_TRUE(result.standardError.endsWith(
      "(configuration RAM)\n" + here.toUtf8() +
      "/sub/firmware.hzp: 2 projects, 8 files, 3 configurations; 4 settings not carried\n"));
  EXPECT_EQ(result.standardOutput, "");
}
