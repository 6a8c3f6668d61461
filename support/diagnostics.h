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
// - Progress (the Eclipse reader's "cproject found:" and "project name:"
//   lines) is shown on standard output always. With -verbose each input that
//   converts ends with one summary line on standard error.
// - What is shown is also kept (conversion_outcome.h), so that the -report
//   file says the same as the messages, from the same records.
//
// Errors and warnings go to standard error as "error: <file>: <message>" and
// "warning: <file>: <message>" ("error: <message>" when no file is concerned);
// every message is one line whatever it holds, since a name read from a
// foreign file may carry line feeds or terminal escapes, and at most 4 KiB.
// Standard output that cannot be written ends the run with an error.

#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <string>
#include <string_view>

#include "support/conversion_outcome.h"

/// Collects what the run tells its user, prints what the policy above says,
/// and keeps it, input by input, for the -verbose summary and the report.
class Diagnostics {
 public:
  /// Prints to the given streams (standard output and standard error by default).
  explicit Diagnostics(bool verbose = false, std::FILE* output = stdout, std::FILE* errors = stderr);

  /// Whether each input ends with its summary line (-verbose).
  void setVerbose(bool verbose) { verbose_ = verbose; }

  /// An input's conversion starts: what is reported until it is finished or
  /// fails concerns it.
  void beginInput(const QString& input);
  /// A warning about file (empty when it concerns no file), shown once per input.
  void warn(const QString& file, const QString& message);
  /// A project the input's solution gets; returns its index, by which the
  /// mapper fills in its outcome and reports what it cannot carry.
  qsizetype addProject(ProjectOutcome project);
  ProjectOutcome& project(qsizetype index) { return input_.projects[size_t(index)]; }
  /// A setting of the project that the solution cannot carry.
  void notCarried(qsizetype project, const NotCarried& setting);
  /// Shown on standard output at once.
  void progress(const QString& line);
  /// Throws ConversionError when standard output could not take a line (a
  /// full disk, a closed pipe): what it should have shown is lost.
  void checkOutput() const;
  /// Prints the warnings collected so far, the settings not carried grouped at
  /// the end, and files them with the input (or with the run, outside one).
  void flush();
  /// The input's solution is written: its warnings are printed, then with
  /// -verbose its summary line, and the input is done.
  void finishInput(const QString& solution);
  /// Prints the error after the warnings of its input, which it ends (or the
  /// run's, outside an input).
  void error(const ConversionError& error);

  /// The warnings collected since the last flush, as they will be printed
  /// (without "warning: "), in order.
  QStringList pendingWarnings() const;
  /// The warnings collected since the last flush, taken out unprinted: a channel
  /// that collects for others (what loading the templates files warns about, told
  /// again to each input that uses them).
  QList<Warning> takeWarnings();
  /// What has been shown so far, input by input.
  const RunOutcome& run() const { return run_; }

 private:
  /// A line kept to what a printed line shows: its head, and the UTF-8 size of the rest.
  struct BoundedLine {
    QString head;
    qsizetype droppedBytes = 0;
    void append(QStringView piece);
  };
  QList<QList<qsizetype>> notCarriedGroups() const;
  Warning groupedLine(const QList<qsizetype>& reports) const;
  QList<Warning> pendingLines() const;
  QString summaryLine() const;

  bool verbose_;
  int outputError_ = 0;
  std::FILE* output_;
  std::FILE* errors_;
  QList<Warning> warnings_;
  QSet<QString> shown_;
  /// The input at hand (open after beginInput), or what a caller without
  /// inputs (a test of a reader) collects.
  InputOutcome input_;
  bool inputOpen_ = false;
  /// How many of the input's settings not carried are printed already.
  qsizetype notCarriedShown_ = 0;
  RunOutcome run_;
};

/// message with each control byte (below 0x20, and 0x7F) written as an escape:
/// "\n", "\r", "\t", else "\xHH", and each C1 control (U+0080 to U+009F) as
/// "\xc2\xHH". Other bytes, backslashes included, stay.
std::string escapeControlCharacters(std::string_view message);

/// "<file>: <message>", or message alone when file is empty.
QString aboutFile(const QString& file, const QString& message);
