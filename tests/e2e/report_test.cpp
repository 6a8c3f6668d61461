// The -report file: whole reports compared with the expected ones, each valid
// against doc/report.schema.json, a failing input in it with its error, and
// written like a solution, all at once or not at all.

#include <gtest/gtest.h>

#include <QDir>

#include "helpers/test_support.h"

using testing_support::readFile;
using testing_support::sourcePath;

namespace {

// Debian's python3-jsonschema (scripts/bootstrap installs it), on the schema's own draft.
const char validator[] =
    "import json, sys, jsonschema\n"
    "schema = json.load(open(sys.argv[1]))\n"
    "jsonschema.Draft202012Validator.check_schema(schema)\n"
    "jsonschema.Draft202012Validator(schema).validate(json.load(open(sys.argv[2])))\n";

/// The report the run wrote, checked against the schema, with the test's
/// directory written as "<test>" so that it compares with an expected file.
QByteArray checkedReport(const QString& path) {
  const auto check =
      testing_support::runProgram("/usr/bin/python3", {"-c", validator, sourcePath("doc/report.schema.json"), path});
  EXPECT_EQ(check.exitCode, 0) << check.standardError.toStdString();
  return readFile(path).replace(testing_support::testDirectory().toUtf8(), "<test>");
}

/// Runs quenport in folder with "-report report.json" added, expecting status;
/// the report must equal tests/e2e/expected/<expected>.
void expectReport(const QStringList& arguments, const QString& folder, int status, const QString& expected) {
  const auto run = testing_support::runQuenport(arguments + QStringList{"-report", "report.json"}, folder);
  EXPECT_EQ(run.exitCode, status) << run.standardError.toStdString();
  EXPECT_EQ(checkedReport(folder + "/report.json"), readFile(sourcePath("tests/e2e/expected/" + expected)))
      << expected.toStdString();
}

void copy(const QString& from, const QString& to) {
  testing_support::copyTree(sourcePath(from), QDir::current().absoluteFilePath(to));
}

}  // namespace

// The examples and fixtures where configurations are chosen by their names, a
// library is linked that no project builds, items are left out of builds and
// settings are not carried.
TEST(Report, ConvertedWorkspacesAreReportedWhole) {
  const QString here = QDir::currentPath();
  const QStringList templates{"-executable-template", "STM32_EXE", "-library-template", "STM32_LIB"};
  copy("examples/uvision", "uvision");
  expectReport(QStringList{"uvision2hzp"} + templates + QStringList{"blinky.uvmpw"}, here + "/uvision", 0,
               "report_uvision_example.json");
  copy("examples/iar", "iar");
  expectReport(QStringList{"iar2hzp", "-expand-templates"} + templates + QStringList{"firmware.eww"}, here + "/iar", 0,
               "report_iar_example.json");
  copy("examples/eclipse", "eclipse");
  expectReport({"eclipse2hzp", "-library-template", "STM32_LIB", "eclipse"}, here, 0, "report_eclipse_example.json");
  copy("tests/e2e/fixtures/uvision/dependencies", "dependencies");
  expectReport({"uvision2hzp", "w.uvmpw", "lonely.uvmpw"}, here + "/dependencies", 0,
               "report_uvision_dependencies.json");
  copy("tests/e2e/fixtures/iar/configuration_names", "names");
  expectReport({"iar2hzp", "-executable-template", "E", "ws.eww"}, here + "/names", 0,
               "report_iar_configuration_names.json");
}

// The run stops at the input that fails: the report says which converted,
// which failed and why (also on its project), and which were not reached.
TEST(Report, AFailingInputIsReportedWithItsError) {
  copy("tests/e2e/fixtures/eclipse/several_inputs", "fail");
  expectReport({"eclipse2hzp", "ws1", "ws2", "ws1"}, QDir::currentPath() + "/fail", 1, "report_failing_input.json");
}

// A report too large for the file size limit fails to be written: the error
// says so, and the previous report stays whole, with nothing beside it. One
// named as a file the run reads is refused and not written.
TEST(Report, AReportThatCannotBeWrittenKeepsThePreviousOne) {
  for (const char* workspace : {"w.eww", "x.eww", "y.eww", "z.eww"})
    testing_support::writeFile(workspace, "<workspace/>");
  testing_support::writeFile("report.json", "previous");
  const auto run =
      testing_support::runProgram("/bin/sh", {"-c", "ulimit -f 1; trap '' XFSZ; exec \"$0\" \"$@\"", QUENPORT_BINARY,
                                              "iar2hzp", "-report", "report.json", "w.eww", "x.eww", "y.eww", "z.eww"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.standardError, "error: cannot write report.json: File too large\n");
  EXPECT_EQ(readFile("report.json"), "previous");
  EXPECT_EQ(QDir::current().entryList({"report*"}, QDir::AllEntries | QDir::Hidden), QStringList{"report.json"});
  const auto refused = testing_support::runQuenport({"iar2hzp", "-report", "w.eww", "w.eww"});
  EXPECT_EQ(refused.standardError,
            "error: w.eww: the report w.eww would replace this file, which the conversion reads\n");
  EXPECT_EQ(readFile("w.eww"), "<workspace/>");
}
