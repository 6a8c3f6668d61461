#pragma once
// The one channel for what the program tells its user, and its policy.
//
// - An error ends the run. It is thrown as a ConversionError where it is found
//   (a file that cannot be read, a template that must be given, a bad option)
//   and reported by the run sequence, after the warnings of the same input. The
//   input at hand writes no solution, so a previous file stays as it was; the
//   inputs converted before it keep their solutions; the exit status is 1.
// - A warning says what was left out or read differently; the conversion goes
//   on and the exit status stays 0. The same warning is shown once per input.
//   Settings a project holds but the solution cannot carry are collected per
//   project and shown grouped at the end of the input: one warning per file and
//   kind of setting, naming the values and the configurations they come from.
// - Progress (the Eclipse importer's "cproject found:" and "project name:"
//   lines) is shown on standard output always, verbose lines only with -verbose.
//
// Errors and warnings go to standard error as "error: <file>: <message>" and
// "warning: <file>: <message>" ("error: <message>" when no file is concerned);
// every message is one line whatever it holds, since a name read from a
// foreign file may carry line feeds or terminal escapes, and at most 4 KiB.
// Standard output that cannot be written ends the run with an error.

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

/// A failure that ends the run, with the file it concerns (empty for none).
class ConversionError {
 public:
  ConversionError(QString file, QString message) : file_(std::move(file)), message_(std::move(message)) {}
  /// A failure that concerns no file (a command-line mistake).
  explicit ConversionError(QString message) : message_(std::move(message)) {}

  const QString& file() const { return file_; }
  const QString& message() const { return message_; }

 private:
  QString file_;
  QString message_;
};

/// A setting a project holds that the solution cannot carry.
struct NotCarried {
  /// What kind of setting it is ("scatter file", "core"), the grouping key.
  QString kind;
  /// The value as the project holds it.
  QString value;
  /// The source configurations that hold it.
  QStringList configurations;
  /// What the source calls its configurations ("target" in uVision).
  QString configurationWord = QStringLiteral("configuration");

  friend bool operator==(const NotCarried&, const NotCarried&) = default;
};

/// Collects the warnings of one input and prints what the policy above says.
class Diagnostics {
 public:
  /// Prints to the given streams (standard output and standard error by default).
  explicit Diagnostics(bool verbose = false, std::FILE* output = stdout, std::FILE* errors = stderr);

  /// Whether verbose lines are shown (-verbose).
  void setVerbose(bool verbose) { verbose_ = verbose; }
  bool showsVerbose() const { return verbose_; }

  /// A warning about file (empty when it concerns no file), shown once per input.
  void warn(const QString& file, const QString& message);
  /// A setting of the project file that the solution cannot carry.
  void notCarried(const QString& file, const NotCarried& setting);
  /// Shown on standard output at once.
  void progress(const QString& line);
  /// Shown on standard output at once, only with -verbose.
  void verbose(const QString& line);
  /// Throws ConversionError when standard output could not take a line (a
  /// full disk, a closed pipe): what it should have shown is lost.
  void checkOutput() const;
  /// Prints the warnings collected so far, the settings not carried grouped at
  /// the end, and forgets them: an input is done.
  void flush();
  /// Prints the error after the warnings of its input.
  void error(const ConversionError& error);

  /// The warnings collected since the last flush, as they will be printed
  /// (without "warning: "), in order.
  QStringList pendingWarnings() const;

 private:
  struct Report {
    QString file;
    NotCarried setting;
  };
  /// A line kept to what a printed line shows: its head, and the UTF-8 size of the rest.
  struct BoundedLine {
    QString head;
    qsizetype droppedBytes = 0;
    void append(QStringView piece);
  };
  QList<QList<qsizetype>> notCarriedGroups() const;
  BoundedLine groupedLine(const QList<qsizetype>& reports) const;

  bool verbose_;
  int outputError_ = 0;
  std::FILE* output_;
  std::FILE* errors_;
  QStringList warnings_;
  QSet<QString> shown_;
  QList<Report> notCarried_;
};

/// message with each control byte (below 0x20, and 0x7F) written as an escape:
/// "\n", "\r", "\t", else "\xHH", and each C1 control (U+0080 to U+009F) as
/// "\xc2\xHH". Other bytes, backslashes included, stay.
std::string escapeControlCharacters(std::string_view message);

/// "<file>: <message>", or message alone when file is empty.
QString aboutFile(const QString& file, const QString& message);
