#pragma once
// What a reader is to the rest of the program: the entry that reads one input's
// files into project records, the sink that takes them, and the rules by which
// the mapper writes its records. Adding a reader means one folder under readers/
// with an entry of this form and one row of the command table (tool/reader_table.cpp).

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "support/conversion_outcome.h"

class ConversionContext;
struct ProjectRecord;

/// What a project links that another project of the input may build: in a
/// workspace that lists a library's project after the projects that link it,
/// known only once every project is read.
struct ProjectLinks {
  /// The names of the projects it depends on, in order; nothing where the source
  /// says nothing of them.
  std::optional<QStringList> dependencies;
  /// Libraries it links as files whatever the configuration (the workspace builds none of them).
  QStringList linkedLibraryFiles;
  /// Libraries it links that no project of the workspace builds and the solution
  /// cannot link: reported together, once every project of the input is written.
  QList<NotCarried> librariesNotLinked;
};

/// Takes the records of one input in workspace order: in a conversion, the mapper.
class RecordSink {
 public:
  virtual ~RecordSink() = default;
  /// The solution the input becomes: its name, the directory its file is written
  /// to, and the workspace as messages name it. Called once, before any project.
  virtual void beginSolution(const QString& name, const QString& directory, const QString& workspaceFile) = 0;
  /// One project of the solution, its links those of the record; the reader may
  /// drop the record's sources afterwards.
  void addProject(const ProjectRecord& record);
  /// One project whose links are known only once every project is read. It is
  /// written at once, so that the reader may drop the record's sources before it
  /// reads the next project; its links follow with completeProject. What is said
  /// about the project (its warnings, its outcome, an error met writing it) waits
  /// for completeProject too: the messages come in the order of a reader that read
  /// every project first, and one that fails part-way reports no project. Returns
  /// the number completeProject takes.
  virtual qsizetype startProject(const ProjectRecord& record) = 0;
  /// The links of a started project; the projects are completed in the order they
  /// were started, and before finish.
  virtual void completeProject(qsizetype project, const ProjectLinks& links) = 0;
  /// Every project is handed over. projectsNamed: how many the workspace names.
  virtual void finish(qsizetype projectsNamed) = 0;
};

/// A reader: reads the input's files into records and hands them to sink. Throws
/// ConversionError for every failure that ends the input.
using ReaderEntry = void (*)(ConversionContext& context, const QString& input, RecordSink& sink);

/// The start of a reader whose input is one workspace file: begins the solution
/// named after the file (without its last suffix), in the file's directory, and
/// makes that directory the workspace directory of context.
void beginWorkspaceFileSolution(ConversionContext& context, const QString& workspaceFile, RecordSink& sink);

/// Where one reader's projects differ in the solution from the others'.
struct MappingRules {
  /// The configurations of a record are chosen as "Debug" and "Release" by their
  /// names, with a warning where a name is not exactly that; otherwise a record
  /// has one configuration (a uVision target), read as both without a word.
  bool choosesConfigurationsByName = true;
  /// "-D", "-I", "-P" and "-filter-definition" apply to its projects.
  bool appliesCommandLineSettings = true;
  /// Include directories stay in "Debug" and "Release" even where they agree.
  bool keepsIncludeDirectoriesPerConfiguration = false;
  /// The template follows the kind alone and may be empty; otherwise a missing
  /// template is an error unless the device stands in for it.
  bool templateMayBeEmpty = false;
  /// What the source calls its configurations, in messages ("target").
  const char* configurationWord = "configuration";
};
