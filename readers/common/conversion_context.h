#pragma once
// The state of one input's conversion, shared by its reader and the mapper: the
// readers' options, the diagnostics channel, the directory of the workspace, the
// resolver of the paths its files name, the files it has read, the projects left
// out and the bounds of its work. A new context is made for every input, so
// nothing carries over from one input to the next.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include "foreign/foreign_path.h"
#include "readers/common/work_budget.h"
#include "support/diagnostics.h"
#include "support/input_files.h"

/// The most characters that variables (build and path variables) may add to
/// the texts of one input's files: 16 Mi, a thousand times what a large real
/// workspace adds, yet at most 32 MiB of memory however the variables nest.
inline constexpr qsizetype maximumAddedCharacters = qsizetype(1) << 24;
/// The most steps matching the patterns of one input's files (resource filters,
/// exclusion patterns) against names may take: about a second or two of work,
/// a hundred times what a project of 100,000 files with a few filters needs.
inline constexpr qsizetype maximumPatternSteps = qsizetype(1) << 30;

/// What the command line tells the readers.
struct ReaderOptions {
  QStringList argumentVariables;      // "-argvar" name=value (IAR)
  QStringList argumentVariableFiles;  // "-custom-argvars" (IAR)
};

/// The conversion state of one input.
class ConversionContext {
 public:
  /// options: the run's; both outlive the context.
  ConversionContext(const ReaderOptions& options, Diagnostics& diagnostics)
      : options_(options), diagnostics_(diagnostics) {}

  const ReaderOptions& options() const { return options_; }
  Diagnostics& diagnostics() { return diagnostics_; }
  /// A warning about file (see Diagnostics::warn).
  void warn(const QString& file, const QString& message) { diagnostics_.warn(file, message); }
  /// A project the input names that cannot be converted, whatever the reason
  /// (a file that is missing or does not parse, its kind, its name): warned
  /// about file, and counted for "no project could be converted".
  void leaveOutProject(const QString& file, const QString& message);
  /// How many projects were left out, and the warning about the first: the file and the message.
  int projectsLeftOut() const { return projectsLeftOut_; }
  const QPair<QString, QString>& firstProjectLeftOut() const { return firstProjectLeftOut_; }

  /// The directory that the workspace's own relative paths are based on, as the
  /// user named it ("" for the working directory).
  void setWorkspaceDirectory(const QString& directory) { workspaceDirectory_ = directory; }
  const QString& workspaceDirectory() const { return workspaceDirectory_; }

  /// The resolver every reader uses for the paths its files name.
  ForeignPathResolver& paths() { return paths_; }

  /// The files the input's conversion has read, which its solution must not replace.
  InputFiles& inputFiles() { return inputFiles_; }
  const InputFiles& inputFiles() const { return inputFiles_; }

  /// What variables may still add to the texts of the input's files, in characters.
  WorkBudget& addedCharacters() { return addedCharacters_; }
  /// What matching patterns against names may still take, in steps.
  WorkBudget& patternSteps() { return patternSteps_; }

 private:
  const ReaderOptions& options_;
  Diagnostics& diagnostics_;
  QString workspaceDirectory_;
  int projectsLeftOut_ = 0;
  QPair<QString, QString> firstProjectLeftOut_;
  ForeignPathResolver paths_;
  InputFiles inputFiles_;
  WorkBudget addedCharacters_{maximumAddedCharacters};
  WorkBudget patternSteps_{maximumPatternSteps};
};
