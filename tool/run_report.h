#pragma once
// The -report file: what a run did, input by input and project by project, as
// JSON. Its form is versioned ("format": 1) and described by
// doc/report.schema.json; it is made from the records of the diagnostics
// channel, so it says what the messages said.

#include <QByteArray>
#include <QString>
#include <QStringList>

struct RunOutcome;

/// What the report is made of.
struct RunReport {
  /// The command word.
  QString command;
  /// Every input the command line gave, also those the run did not reach.
  QStringList inputs;
  const RunOutcome& outcome;
  /// The run's exit status.
  int status;
};

/// The report as the file holds it.
QByteArray reportText(const RunReport& report);

/// Writes text to path as a solution is written: all at once or not at all,
/// creating its directory. Throws ConversionError "cannot write <path>: <reason>".
void writeReport(const QString& path, const QByteArray& text);
