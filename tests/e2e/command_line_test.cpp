// The command line as a user meets it: usage, unknown commands and options,
// option arguments, and the exit status.

#include <gtest/gtest.h>

#include <QDir>

#include "e2e/uvision_fixtures.h"
#include "support/test_support.h"

using testing_support::runQuenport;

namespace {

const char usage[] =
    "Usage:\n"
    "  quenport command [options] pdsc_file(s)\n"
    "\n"
    "Commands:\n"
    "  eclipse2hzp       Convert Eclipse workspace to hzp file\n"
    "  uvision2hzp       Convert uVision workspace to hzp file\n"
    "  iar2hzp           Convert IAR workspace to hzp file\n"
    "\n"
    "Common options:\n"
    "  -addtemplatesfile file          Specify additional templates files\n"
    "  -D name=value                   Specify additional preprocessor definition\n"
    "  -I path                         Specify additional include path\n"
    "  -executable-template name       Specify project template to use for executable projects\n"
    "  -expand-templates               Expand project templates\n"
    "  -filter-file wildcard           Specify files to exclude from project\n"
    "  -filter-definition definition   Specify preprocessor definitions to exclude from project\n"
    "  -help                           Display help page\n"
    "  -library-template name          Specify project template to use for library projects\n"
    "  -P property=value               Specify additional project properties\n"
    "  -rootuserdir directory          Set the root user data directory\n"
    "  -templatesfile path             Set the project template file path\n"
    "  -verbose                        Enable verbose output\n"
    "\n";

void expectRun(const QStringList& arguments, int status, const QByteArray& standardError) {
  const auto result = runQuenport(arguments);
  EXPECT_EQ(result.exitCode, status) << arguments.join(' ').toStdString();
  EXPECT_EQ(result.standardError, standardError) << arguments.join(' ').toStdString();
  EXPECT_EQ(result.standardOutput, "");
}

}  // namespace

TEST(CommandLine, UsageAndUnknownCommands) {
  expectRun({}, 1, usage);
  expectRun({"foo"}, 1, QByteArray("unknown command 'foo'\n\n") + usage);
  expectRun({"-help"}, 1, QByteArray("unknown command '-help'\n\n") + usage);
  expectRun({"UVISION2HZP"}, 1, QByteArray("unknown command 'UVISION2HZP'\n\n") + usage);
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
            0, "");
  EXPECT_EQ(workingDirectoryEntries(), before);
}

// "-verbose": a line per solution written, with its path and what it holds.
TEST(CommandLine, VerbosePrintsOneLinePerSolutionWritten) {
  using namespace uvision_fixtures;
  testing_support::writeFile("a.eww", "<workspace/>");
  testing_support::writeFile("sub/w.uvmpw", workspace({"p.uvprojx"}));
  Target target;
  target.groups = group("G", {{"a.c", "a.c"}});
  testing_support::writeFile("sub/p.uvprojx", project({target}));
  const QString here = QDir::currentPath();
  auto result = runQuenport({"iar2hzp", "-verbose", "a.eww"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.standardOutput, here.toUtf8() + "/a.hzp: 0 projects, 0 folders, 0 files\n");
  result = runQuenport({"uvision2hzp", "sub/w.uvmpw", "-verbose", "sub/w.uvmpw"});
  EXPECT_EQ(result.standardOutput, (here + "/sub/w.hzp: 1 project, 2 folders, 1 file\n").toUtf8().repeated(2));
  EXPECT_EQ(runQuenport({"uvision2hzp", "sub/w.uvmpw"}).standardOutput, "");
}
