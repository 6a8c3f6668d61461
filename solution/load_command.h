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
/// At most maximumLineBytes of a line are held: a longer line is handed on in
/// pieces of that size, its end with the last piece.
class OutputLineSplitter {
 public:
  /// Takes a line's bytes; lineEnds is false for a piece whose line goes on.
  using PieceHandler = std::function<void(const QByteArray& bytes, bool lineEnds)>;
  /// A program's output line is a message or a path; one this long has no end in sight.
  static constexpr qsizetype maximumLineBytes = 64 * 1024;

  explicit OutputLineSplitter(PieceHandler handler) : handler_(std::move(handler)) {}
  void append(const char* bytes, size_t size);
  /// At the end of the stream: a last line without an ending is handed on only when
  /// a complete line came before it, or a piece of it was handed on already.
  void finish();

 private:
  void handOn(bool lineEnds);

  PieceHandler handler_;
  QByteArray pending_;
  bool skipNext_ = false;
  bool hadLine_ = false;
  bool lineStarted_ = false;  // a piece of the pending line was handed on
};

/// The program file a load command names by name: a name holding a "/" as it
/// stands (relative to workingDirectory); any other name is looked up, as a shell
/// does, in the directories of searchPath (PATH's value, ":"-separated) in order:
/// the first that holds a regular executable file of that name. Empty and
/// relative entries are skipped: they would name workingDirectory, the solution's,
/// where a program the workspace ships would run instead of the system's. Empty
/// when no directory holds the program.
QString findProgram(const QString& name, const QString& searchPath, const QString& workingDirectory);

/// Runs command (already macro-expanded) in the directory of solutionFile and waits
/// for it. Lines of a redirected stream go to its file, each followed by a line feed;
/// other lines are dropped. The program is found by findProgram on PATH (the C
/// library's default path when PATH is unset). No shell is involved. The command runs
/// in a process group of its own, which an interruption of the converter ends too (see
/// runChildProcess). Throws the load error about solutionFile when it cannot run or
/// does not exit with status 0: "solution load command failed (<status>)", "cannot
/// start solution load command <program>: <reason>", "solution load command crashed
/// (<program>)" or "solution load command output: cannot write <file>: <reason>".
void runLoadCommand(const QString& command, const QString& solutionFile);
