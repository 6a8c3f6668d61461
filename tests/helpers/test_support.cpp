#include "helpers/test_support.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <vector>

namespace testing_support {

QString testDirectory() { return QDir::currentPath(); }

void writeFile(const QString& path, const QByteArray& contents) {
  QFileInfo info(path);
  QDir().mkpath(info.absolutePath());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write %s", qPrintable(path));
  file.write(contents);
}

QString xmlError(const QByteArray& text) {
  QXmlStreamReader reader(text);
  while (!reader.atEnd()) reader.readNext();
  if (!reader.hasError()) return QString();
  return QString("%1 at line %2, column %3")
      .arg(reader.errorString())
      .arg(reader.lineNumber())
      .arg(reader.columnNumber());
}

// Every solution file a test reads, written by the program or kept as expected,
// must be well-formed XML to an independent parser (Qt's, not the program's own).
QByteArray readFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray text = file.readAll();
  if (path.endsWith(".hzp") && text.startsWith(solutionHeader)) {
    const QString error = xmlError(text);
    EXPECT_TRUE(error.isEmpty()) << path.toStdString() << " is not well-formed XML: " << error.toStdString();
  }
  return text;
}

bool fileExists(const QString& path) { return QFileInfo::exists(path); }

RunResult runQuenport(const QStringList& arguments, const QString& workingDirectory,
                      const QStringList& extraEnvironment) {
  return runProgram(QStringLiteral(QUENPORT_BINARY), arguments, workingDirectory, extraEnvironment);
}

RunResult expectSuccess(const QStringList& arguments, const QByteArray& warnings, const QString& workingDirectory) {
  RunResult result = runQuenport(arguments, workingDirectory);
  EXPECT_EQ(result.exitCode, 0) << qPrintable(arguments.join(' ')) << ": " << result.standardError.toStdString();
  EXPECT_EQ(result.standardError, warnings) << qPrintable(arguments.join(' '));
  return result;
}

RunResult runProgram(const QString& program, const QStringList& arguments, const QString& workingDirectory,
                     const QStringList& extraEnvironment) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const QString& assignment : extraEnvironment) {
    const qsizetype equals = assignment.indexOf('=');
    if (equals < 0)
      environment.remove(assignment);
    else
      environment.insert(assignment.left(equals), assignment.mid(equals + 1));
  }
  process.setProcessEnvironment(environment);
  process.setWorkingDirectory(workingDirectory.isEmpty() ? testDirectory() : workingDirectory);
  process.start(program, arguments);
  RunResult result;
  if (!process.waitForFinished(120000)) {
    process.kill();
    process.waitForFinished();
    return result;
  }
  result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  result.standardOutput = process.readAllStandardOutput();
  result.standardError = process.readAllStandardError();
  return result;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool sanitizedBuild = true;
#else
constexpr bool sanitizedBuild = false;
#endif

std::optional<quint64> instructionsOfRun(const QStringList& arguments) {
  if (sanitizedBuild) return std::nullopt;
  const QString log = testDirectory() + "/valgrind.log";
  runProgram("valgrind", QStringList{"--tool=cachegrind", "--cache-sim=no", "--cachegrind-out-file=/dev/null",
                                     "--log-file=" + log, QUENPORT_BINARY} +
                             arguments);
  const QRegularExpressionMatch count = QRegularExpression("I\\s+refs:\\s+([\\d,]+)").match(readFile(log));
  if (!count.hasMatch()) return std::nullopt;  // no valgrind
  return count.captured(1).remove(',').toULongLong();
}

// The shell gives its process to quenport (exec), so the peak is quenport's.
std::optional<qint64> peakMemoryOfRun(const QStringList& arguments) {
  if (sanitizedBuild) return std::nullopt;
  QByteArrayList words{"sh", "-c", "exec \"$0\" \"$@\" >/dev/null 2>&1", QUENPORT_BINARY};
  for (const QString& argument : arguments) words.append(argument.toLocal8Bit());
  std::vector<char*> argv;
  for (QByteArray& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    execv("/bin/sh", argv.data());
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  EXPECT_TRUE(child > 0 && wait4(child, &status, 0, &usage) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0);
  return qint64(usage.ru_maxrss) * 1024;
}

QString sourcePath(const QString& relative) { return QStringLiteral(QUENPORT_SOURCE_DIR) + '/' + relative; }

void copyTree(const QString& from, const QString& to) {
  QDirIterator entries(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (entries.hasNext()) {
    const QString path = entries.next();
    writeFile(to + path.mid(from.size()), readFile(path));
  }
}

QByteArray expectedSolution(const QString& name) {
  const QByteArray expected = readFile(sourcePath("tests/e2e/expected/" + name));
  if (expected.isEmpty()) qFatal("missing expected solution %s", qPrintable(name));
  return expected;
}

QList<CorpusInput> fuzzCorpus(const QString& target) {
  const QDir corpus(sourcePath(QStringLiteral("fuzz/corpus/") + target));
  QList<CorpusInput> inputs;
  for (const QString& name : corpus.entryList(QDir::Files)) inputs.append({name, readFile(corpus.filePath(name))});
  return inputs;
}

}  // namespace testing_support
