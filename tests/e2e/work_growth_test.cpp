// Inputs that grow one published form far past what anyone writes: work (as
// valgrind counts it: nothing here is timed) and memory grow in step with them.

#include <gtest/gtest.h>

#include <functional>

#include "e2e/iar_fixtures.h"
#include "e2e/uvision_fixtures.h"
#include "helpers/test_support.h"

using testing_support::readFile;
using testing_support::runQuenport;
using testing_support::writeFile;

namespace {

// Runs quenport on the inputs of sizes 0, n and 4n that write makes: 4n may cost
// at most 6 times what n costs beyond 0 (a quadratic cost is 16 times).
void expectLinearWork(const std::function<QStringList(int size)>& write, int n) {
  std::optional<quint64> counts[3];
  const int sizes[] = {0, n, 4 * n};
  for (int i = 0; i < 3; ++i)
    if (!(counts[i] = testing_support::instructionsOfRun(write(sizes[i]))))
      GTEST_SKIP() << "no valgrind to count the work";
  EXPECT_LT(*counts[2] - *counts[0], 6 * (*counts[1] - *counts[0]))
      << *counts[0] << ", " << *counts[1] << ", " << *counts[2];
}

QStringList writeUVision(const QList<uvision_fixtures::Target>& targets) {
  writeFile("w.uvmpw", uvision_fixtures::workspace({"p.uvprojx"}));
  writeFile("p.uvprojx", uvision_fixtures::project(targets));
  return {"uvision2hzp", "-executable-template", "App", "w.uvmpw"};
}

}  // namespace

// A "Cpu" string of unclosed "A(": each is a token without an argument.
TEST(WorkGrowth, CpuStringOfUnclosedParentheses) {
  const auto write = [](int size) { return writeUVision({{.cpu = QByteArray("A(").repeated(size)}}); };
  expectLinearWork(write, 1000);
  EXPECT_EQ(runQuenport(write(4000)).exitCode, 0);
}

// Targets of one name are numbered on from where the name's numbering stopped.
TEST(WorkGrowth, TargetsOfOneName) {
  const auto write = [](int size) { return writeUVision(QList<uvision_fixtures::Target>(size + 1)); };
  expectLinearWork(write, 500);
  ASSERT_EQ(runQuenport(write(2000)).exitCode, 0);
  EXPECT_TRUE(readFile("w.hzp").contains("<project Name=\"p_T_2001\""));
}

// An ICF of editor symbols that never end (no ";") has no editor symbols.
TEST(WorkGrowth, IcfDefinitionsWithoutEnd) {
  const auto write = [](int size) {
    writeFile("w.eww", iar_fixtures::workspace({"$WS_DIR$\\p.ewp"}));
    const QByteArray icf =
        iar_fixtures::option("IlinkIcfOverride", "1") + iar_fixtures::option("IlinkIcfFile", "$PROJ_DIR$\\l.icf");
    writeFile("p.ewp", iar_fixtures::project({{.linkerOptions = icf}}, {}));
    writeFile("l.icf", QByteArray("define symbol __ICFEDIT_a__=\n").repeated(size));
    return QStringList{"iar2hzp", "-executable-template", "App", "w.eww"};
  };
  expectLinearWork(write, 2000);
  const auto result = runQuenport(write(8000));
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(
      result.standardError.startsWith("warning: p.ewp: not carried: memory layout l.icf (no ICF editor symbols)"));
}

// Every project and configuration template of a templates file under one name:
// the one defined last is used.
TEST(WorkGrowth, TemplatesOfOneName) {
  const auto write = [](int size) {
    writeFile("t.xml",
              "<projects>\n" + QByteArray("<project template_name=\"App\" type=\"Executable\"/>\n").repeated(size) +
                  "<project template_name=\"App\" type=\"Library\"/>\n<configurations>\n" +
                  QByteArray("<configuration name=\"Debug\"/>\n").repeated(size) + "</configurations>\n</projects>\n");
    return writeUVision({{}}) + QStringList{"-templatesfile", "t.xml", "-expand-templates"};
  };
  expectLinearWork(write, 4000);
  ASSERT_EQ(runQuenport(write(16000)).exitCode, 0);
  EXPECT_TRUE(readFile("w.hzp").contains("project_type=\"Library\""));
}

// Values as long as a value may be (1 MiB) take about three times their file's
// growth (the file, each value in UTF-16); a longer value leaves its project
// out, named where the value starts.
TEST(WorkGrowth, MemoryOfLongValues) {
  const auto write = [](int size) {
    return writeUVision(QList<uvision_fixtures::Target>(size, {.define = "D=" + QByteArray((1 << 20) - 2, 'x')}));
  };
  const std::optional<qint64> small = testing_support::peakMemoryOfRun(write(4));
  if (!small) GTEST_SKIP() << "a sanitizer's shadow memory swells every process";
  EXPECT_LT(*testing_support::peakMemoryOfRun(write(16)) - *small, 12 * (7 << 20) / 2);
  const auto result = runQuenport(writeUVision({{.define = QByteArray(4 << 20, 'x')}}));
  EXPECT_EQ(result.exitCode, 1);
  const QByteArray leftOut =
      "p.uvprojx: project p left out: a value longer than 1 MiB, more than any workspace or project file holds line: 5 "
      "column: 348";
  EXPECT_EQ(result.standardError,
            "warning: " + leftOut + "\nerror: w.uvmpw: no project could be converted (" + leftOut + ")\n");
}
