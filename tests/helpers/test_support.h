#pragma once
// Shared helpers for quenport's tests: every test runs in a fresh temporary
// directory (its working directory) with HOME and MARROWFEN_ROOT_USER_DIR inside it.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <ostream>
#include <string_view>

// Readable values in test failure messages.
inline void PrintTo(const QByteArray& bytes, std::ostream* stream) { *stream << '"' << bytes.toStdString() << '"'; }
inline void PrintTo(const QString& text, std::ostream* stream) { *stream << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* stream) {
  *stream << '{' << list.join(", ").toStdString() << '}';
}

namespace testing_support {

/// The temporary directory of the running test (also its working directory).
QString testDirectory();

/// Why text is not well-formed XML to Qt's stream reader; empty when it is.
QString xmlError(const QByteArray& text);

/// Writes bytes to path (relative to the test directory unless absolute), creating parent folders.
void writeFile(const QString& path, const QByteArray& contents);

/// The whole content of a file; an empty array when it cannot be read. A
/// solution file (".hzp" starting with the DOCTYPE line) is also checked to be
/// well-formed XML, as a test expectation.
QByteArray readFile(const QString& path);

bool fileExists(const QString& path);

/// What a run of the built quenport binary produced.
struct RunResult {
  int exitCode = -1;
  QByteArray standardOutput;
  QByteArray standardError;
};

/// Runs program with arguments in workingDirectory (the test directory when empty);
/// extraEnvironment entries are "NAME=value" to set or "NAME" to unset.
RunResult runProgram(const QString& program, const QStringList& arguments, const QString& workingDirectory = {},
                     const QStringList& extraEnvironment = {});

/// Runs the built quenport binary the same way.
RunResult runQuenport(const QStringList& arguments, const QString& workingDirectory = {},
                      const QStringList& extraEnvironment = {});

/// Runs the built quenport binary and expects it to succeed with exactly warnings
/// on standard error; the run is returned for further checks.
RunResult expectSuccess(const QStringList& arguments, const QByteArray& warnings = {},
                        const QString& workingDirectory = {});

/// The instructions a run of the built quenport binary executes as valgrind counts
/// them: work measured independently of the machine's speed and load. Nothing
/// where valgrind is missing or cannot run it (a build with a sanitizer).
std::optional<quint64> instructionsOfRun(const QStringList& arguments);
/// The peak resident memory of a successful run, in bytes, its output dropped;
/// nothing in a build with a sanitizer, whose shadow memory swells every process.
std::optional<qint64> peakMemoryOfRun(const QStringList& arguments);

/// Path of a file or folder in the source tree (examples, fixtures).
QString sourcePath(const QString& relative);

/// Copies every file below the folder from into the folder to, keeping their relative paths.
void copyTree(const QString& from, const QString& to);

/// The first line of every solution file.
inline constexpr char solutionHeader[] = "<!DOCTYPE Orbelin_Project_File>\n";

/// The whole file of a solution without content, as written for name.
inline QByteArray emptySolution(const QByteArray& name) {
  return solutionHeader + ("<solution Name=\"" + name + "\" target=\"8\" version=\"2\" />\n");
}

/// A whole solution file kept under tests/e2e/expected, for byte-for-byte comparisons.
QByteArray expectedSolution(const QString& name);

/// One input kept in a committed fuzz corpus.
struct CorpusInput {
  QString name;
  QByteArray bytes;

  /// The bytes as a fuzz check takes them.
  std::string_view view() const { return {bytes.constData(), size_t(bytes.size())}; }
};

/// Every input of fuzz/corpus/<target>, so a test can replay what the fuzzer kept.
QList<CorpusInput> fuzzCorpus(const QString& target);

}  // namespace testing_support
