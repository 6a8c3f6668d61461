#pragma once
// What a run did, as the diagnostics channel records it: the warnings it
// showed, the projects each input gave and what they carried or could not
// carry. The printed messages, the -verbose summary and the -report file are
// all made from these records.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

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
  /// Why the solution cannot carry it.
  QString reason = QStringLiteral("the solution has no setting for it");

  friend bool operator==(const NotCarried&, const NotCarried&) = default;
};

/// A warning as it is shown: the file it concerns (empty for none) and what it says.
struct Warning {
  QString file;
  QString message;
  /// The UTF-8 bytes of the message left out of what is kept (a not-carried
  /// line naming values as long as their files).
  qsizetype droppedBytes = 0;
};

/// A configuration of a converted project: the source configuration it is
/// read from, why that one, and what the solution got of it.
struct ConfigurationOutcome {
  /// Its name in the solution ("Debug", "Release", or the source's own).
  QString name;
  QString source;
  QString reason;
  /// Property and value, as written for this configuration (shared values included).
  QList<QPair<QString, QString>> settings;
  /// The files and folders it leaves out of its build.
  QStringList excluded;
};

/// A project added to a solution.
struct ProjectOutcome {
  QString name;
  /// "executable", "static library", "shared library" or "unknown".
  QString kind;
  /// The file the project comes from, as messages name it.
  QString sourceFile;
  int files = 0;
  int folders = 0;
  std::vector<ConfigurationOutcome> configurations;
};

/// A setting not carried, with the project (an index into the input's projects) that holds it.
struct NotCarriedInProject {
  qsizetype project;
  NotCarried setting;
};

/// What became of one input.
struct InputOutcome {
  /// The input as given ("." for the working directory).
  QString input;
  /// The solution file written; empty when none was.
  QString solution;
  /// What ended the input, when it failed.
  std::optional<ConversionError> error;
  /// Every warning shown for it, in order.
  QList<Warning> warnings;
  std::vector<ProjectOutcome> projects;
  /// In the order reported.
  QList<NotCarriedInProject> notCarried;
};

/// What became of a run, input by input.
struct RunOutcome {
  /// The warnings shown outside any input (start-up, options).
  QList<Warning> warnings;
  /// What ended the run outside any input.
  std::optional<ConversionError> error;
  /// The inputs the run reached, in order.
  std::vector<InputOutcome> inputs;
};
