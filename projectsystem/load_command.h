#pragma once
// A solution's load command: split into program and arguments, its output
// redirections, and its run in the solution file's directory.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

/// Splits a command into words: a backslash directly before a double quote adds a
/// literal quote, any other double quote switches quoting on or off, and a blank
/// (space or tab) outside quotes ends a word. Empty words are dropped; other
/// backslashes stay, so Windows paths pass through.
QStringList splitCommandWords(const QString& command);

/// Where a load command's two output streams go; an empty file name drops the stream.
struct OutputRedirections {
  QString outputFile;
  bool appendOutput = false;
  QString errorFile;
  bool appendError = false;
};

/// Removes the words from the first redirection operator (">", "1>", ">>", "1>>",
/// "2>", "2>>", "&>", "&>>") on and reads them as (operator, file) pairs. A stream
/// keeps the first file it is given; "&>" and "&>>" act only while standard output
/// has none. A pair whose first word is no operator, and a last operator without a
/// file, are ignored.
OutputRedirections takeRedirections(QStringList& words);

/// Cuts one output stream into lines as its bytes arrive: a line feed ends a line,
/// and so does a carriage return, whose next byte is then skipped (also when it
/// arrives in a later chunk). The line's bytes are handed on without the ending.
class OutputLineSplitter {
 public:
  using LineHandler = std::function<void(const QByteArray& line)>;

  explicit OutputLineSplitter(LineHandler handler) : handler_(std::move(handler)) {}
  void append(const QByteArray& chunk);
  /// At the end of the stream: a last line without an ending is handed on only when
  /// a complete line came before it.
  void finish();

 private:
  LineHandler handler_;
  QByteArray pending_;
  bool skipNext_ = false;
  bool hadLine_ = false;
};

/// How a load command ended.
struct LoadCommandResult {
  enum Outcome { Exited, FailedToStart, Crashed, RedirectionFailed };
  Outcome outcome = Exited;
  int exitStatus = 0;
  /// For the failures: what went wrong, for the message.
  QString detail;
};

/// Runs command (already macro-expanded) with workingDirectory as working directory
/// and waits for it. Lines of a redirected stream go to its file, each followed by a
/// line feed; other lines are dropped. A program named without a "/" is looked for
/// in workingDirectory first, then on PATH. No shell is involved.
LoadCommandResult runLoadCommand(const QString& command, const QString& workingDirectory);
