// How a solution reaches the disk: all at once or not at all, never through a
// symbolic link, with a reported error and the previous file kept when it fails.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <csignal>

#include "e2e/iar_fixtures.h"
#include "e2e/uvision_fixtures.h"
#include "helpers/test_support.h"
#include "support/atomic_write.h"
#include "support/diagnostics.h"

using testing_support::fileExists;
using testing_support::readFile;
using testing_support::runProgram;
using testing_support::runQuenport;
using testing_support::sourcePath;
using testing_support::testDirectory;
using testing_support::writeFile;

namespace {

const QByteArray previous = "<!DOCTYPE Orbelin_Project_File>\n<solution Name=\"previous\" />\n";

QStringList convertExample(const QString& executableTemplate = "STM32_EXE") {
  return {"uvision2hzp", "-executable-template", executableTemplate, "-library-template",
          "STM32_LIB",   "ws/blinky.uvmpw"};
}

// The uVision example in ws/; its solution (9 KB) is larger than the one block
// (512 bytes) that a run under "ulimit -f 1" may write.
void writeExampleWorkspace() {
  for (const char* file : {"blinky.uvmpw", "app/blinky.uvprojx", "lib/drivers.uvprojx"})
    writeFile(QString("ws/") + file, readFile(sourcePath(QString("examples/uvision/") + file)));
}

QByteArray expectedSolution() { return readFile(sourcePath("examples/uvision/expected/blinky.hzp")); }

QString solutionPath() { return testDirectory() + "/ws/blinky.hzp"; }

QStringList entries(const QString& directory) {
  return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

unsigned permissionBits(const char* path) {
  struct stat status {};
  return stat(path, &status) == 0 ? status.st_mode & 0777 : 0xffff;
}

// Runs quenport through the shell after setup (resource limits, signal dispositions).
testing_support::RunResult runQuenportAfter(const QString& setup, const QStringList& arguments) {
  return runProgram("/bin/sh", QStringList{"-c", setup + "; exec \"$0\" \"$@\"", QUENPORT_BINARY} + arguments);
}

}  // namespace

// A full disk, as a file size limit shows it: the write fails part-way; without
// the signal ignored, the kernel ends the process in the middle of its write.
TEST(SolutionWriting, AWriteThatFailsOrIsKilledKeepsThePreviousFile) {
  writeExampleWorkspace();
  writeFile("ws/blinky.hzp", previous);
  const QStringList before = entries("ws");
  auto result = runQuenportAfter("ulimit -f 1; trap '' XFSZ", convertExample());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, "error: cannot write " + solutionPath().toUtf8() + ": File too large\n");
  EXPECT_EQ(readFile("ws/blinky.hzp"), previous);
  EXPECT_EQ(entries("ws"), before);  // the temporary file is gone
  result = runQuenportAfter("ulimit -f 1", convertExample());
  EXPECT_EQ(result.exitCode, -1);
  EXPECT_EQ(readFile("ws/blinky.hzp"), previous);
}

TEST(SolutionWriting, UnwritableDirectoryOrReadOnlyFileIsReportedAndKeepsThePreviousFile) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root from writing";
  writeExampleWorkspace();
  writeFile("ws/blinky.hzp", previous);
  const QByteArray expectedError = "error: cannot write " + solutionPath().toUtf8() + ": Permission denied\n";
  ASSERT_EQ(chmod("ws/blinky.hzp", 0444), 0);
  auto result = runQuenport(convertExample());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, expectedError);
  EXPECT_EQ(readFile("ws/blinky.hzp"), previous);

  ASSERT_EQ(chmod("ws/blinky.hzp", 0644), 0);
  ASSERT_EQ(chmod("ws", 0555), 0);
  result = runQuenport(convertExample());
  chmod("ws", 0755);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, expectedError);
  EXPECT_EQ(readFile("ws/blinky.hzp"), previous);
}

// Projects are written out as they are converted: a project that fails after
// the first was written still leaves the previous solution, and no temporary file.
TEST(SolutionWriting, AnInputThatFailsAfterItsFirstProjectKeepsThePreviousFile) {
  iar_fixtures::copyFixture("failures", "w");
  writeFile("w/both.eww",
            "<workspace>\n  <project><path>$WS_DIR$\\app.ewp</path></project>\n"
            "  <project><path>$WS_DIR$\\lib.ewp</path></project>\n</workspace>\n");
  writeFile("w/both.hzp", previous);
  const QStringList before = entries("w");
  const auto result = runQuenport({"iar2hzp", "-executable-template", "E", "w/both.eww"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(result.standardError.endsWith("error: w/lib.ewp: library template not specified\n"))
      << result.standardError.toStdString();
  EXPECT_EQ(readFile("w/both.hzp"), previous);
  EXPECT_EQ(entries("w"), before);
}

// A workspace unpacked from an archive must not make the tool write anywhere else.
TEST(SolutionWriting, ASymbolicLinkAtTheSolutionPathIsReplacedNotFollowed) {
  writeExampleWorkspace();
  writeFile("elsewhere/kept.txt", "kept");
  ASSERT_TRUE(QFile::link(testDirectory() + "/elsewhere/kept.txt", "ws/blinky.hzp"));
  auto result = runQuenport(convertExample());
  ASSERT_EQ(result.exitCode, 0) << result.standardError.toStdString();
  EXPECT_FALSE(QFileInfo("ws/blinky.hzp").isSymLink());
  EXPECT_EQ(readFile("ws/blinky.hzp"), expectedSolution());
  EXPECT_EQ(readFile("elsewhere/kept.txt"), "kept");

  QFile::remove("ws/blinky.hzp");
  ASSERT_TRUE(QFile::link(testDirectory() + "/missing/created.hzp", "ws/blinky.hzp"));
  result = runQuenport(convertExample());
  ASSERT_EQ(result.exitCode, 0) << result.standardError.toStdString();
  EXPECT_EQ(readFile("ws/blinky.hzp"), expectedSolution());
  EXPECT_FALSE(fileExists("missing"));
}

TEST(SolutionWriting, AReplacedFileKeepsItsPermissionsAndANewOneFollowsTheUmask) {
  writeExampleWorkspace();
  ASSERT_EQ(runQuenportAfter("umask 027", convertExample()).exitCode, 0);
  EXPECT_EQ(permissionBits("ws/blinky.hzp"), 0640u);
  ASSERT_EQ(chmod("ws/blinky.hzp", 0604), 0);
  ASSERT_EQ(runQuenport(convertExample()).exitCode, 0);
  EXPECT_EQ(permissionBits("ws/blinky.hzp"), 0604u);
}

// Each run renames its own complete file into place, so whichever comes last wins whole.
TEST(SolutionWriting, RunsWritingTheSameSolutionAtOnceEachLeaveAWholeFile) {
  writeExampleWorkspace();
  ASSERT_EQ(runQuenport(convertExample("OTHER_TEMPLATE_WITH_A_LONGER_NAME")).exitCode, 0);
  const QByteArray other = readFile("ws/blinky.hzp");
  ASSERT_NE(other, expectedSolution());
  for (int round = 0; round < 5; ++round) {
    QProcess first, second;
    first.start(QUENPORT_BINARY, convertExample());
    second.start(QUENPORT_BINARY, convertExample("OTHER_TEMPLATE_WITH_A_LONGER_NAME"));
    ASSERT_TRUE(first.waitForFinished() && second.waitForFinished());
    const QByteArray written = readFile("ws/blinky.hzp");
    EXPECT_TRUE(written == expectedSolution() || written == other) << written.toStdString();
  }
  EXPECT_EQ(entries("ws"), QStringList({"app", "blinky.hzp", "blinky.uvmpw", "lib"}));
}

// Killed at any moment, by any signal, a conversion leaves the previous solution
// whole or the new one whole, and no temporary file beside it.
TEST(SolutionWriting, AKilledConversionLeavesAWholeSolutionAndNoTemporaryFile) {
  QByteArray groups;
  for (int group = 0; group < 100; ++group) {
    QList<std::pair<QByteArray, QByteArray>> files;
    for (int file = 0; file < 200; ++file) {
      const QByteArray name = "file_" + QByteArray::number(group) + "_" + QByteArray::number(file) + ".c";
      files.append({name, ".\\src\\" + name});
    }
    groups += uvision_fixtures::group("Group" + QByteArray::number(group), files);
  }
  writeFile("big/w.uvmpw", uvision_fixtures::workspace({"p.uvprojx"}));
  writeFile("big/p.uvprojx", uvision_fixtures::project({{.groups = groups}}));
  const QStringList arguments{"uvision2hzp", "-executable-template", "E", "big/w.uvmpw"};
  QElapsedTimer timer;
  timer.start();
  ASSERT_EQ(runQuenport(arguments).exitCode, 0);
  const qint64 runMicroseconds = std::max<qint64>(timer.nsecsElapsed() / 1000, 1000);
  const QByteArray converted = readFile("big/w.hzp");

  QRandomGenerator random(20261207);
  const int endings[] = {SIGINT, SIGTERM, SIGHUP, SIGKILL};
  for (int run = 0; run < 40; ++run) {
    writeFile("big/w.hzp", previous);
    QProcess process;
    process.setWorkingDirectory(testDirectory());
    process.start(QStringLiteral(QUENPORT_BINARY), arguments);
    ASSERT_TRUE(process.waitForStarted());
    QThread::usleep(static_cast<unsigned long>(random.bounded(runMicroseconds * 5 / 4)));
    ::kill(pid_t(process.processId()), endings[run % 4]);
    process.waitForFinished();
    const QByteArray solution = readFile("big/w.hzp");
    EXPECT_TRUE(solution == previous || solution == converted) << "run " << run << ": " << solution.size() << " bytes";
    EXPECT_EQ(QDir("big").entryList({".*~"}, QDir::Files | QDir::Hidden), QStringList()) << "run " << run;
  }
}

// Without /proc (a chroot, a small container; here a directory of descriptor
// links that does not exist) the temporary file is named from the start: it
// shows while it is written, replaces the old file whole, and a write that fails
// part-way (a full disk, as a file size limit shows it) keeps the old file and
// leaves no temporary file.
TEST(SolutionWriting, WithoutProcTheTemporaryFileIsNamedFromTheStart) {
  writeFile("d/s.hzp", previous);
  QStringList whileWritten;
  const ByteProducer produce = [&](const ByteSink& sink) {
    whileWritten = entries("d");
    sink(std::string(4096, 'x'));
  };
  writeFileAtomically("d/s.hzp", produce, "/nonexistent/fd");
  EXPECT_EQ(whileWritten.size(), 2);
  EXPECT_EQ(readFile("d/s.hzp"), QByteArray(4096, 'x'));

  writeFile("d/s.hzp", previous);
  const auto ignored = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit {};
  getrlimit(RLIMIT_FSIZE, &limit);
  const struct rlimit small { 1024, limit.rlim_max };
  setrlimit(RLIMIT_FSIZE, &small);
  QString failure;
  try {
    writeFileAtomically("d/s.hzp", produce, "/nonexistent/fd");
  } catch (const ConversionError& error) {
    failure = error.message();
  }
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, ignored);
  EXPECT_EQ(failure, "cannot write d/s.hzp: File too large");
  EXPECT_EQ(readFile("d/s.hzp"), previous);
  EXPECT_EQ(entries("d"), QStringList({"s.hzp"}));
}
