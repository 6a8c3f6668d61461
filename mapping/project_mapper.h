#pragma once
// Writes project records into the solution model: the one place for the rules
// every reader shares. It chooses the configurations that become "Debug" and
// "Release" (the others keep their names), moves what all of them share into
// "Common", writes each setting as its property (setting_properties.h), applies
// the command line's definitions, include directories, properties and filters,
// picks the project template, lays out the folders and files with their
// exclusions and settings, and reports what a project holds that the solution
// cannot carry. Each of these is a step (mapping_steps.h), run in order per record.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "readers/common/reader.h"
#include "support/conversion_outcome.h"

class ConversionContext;
class ModelNode;
class SolutionModel;
struct MappingOptions;

/// Writes the records of one input into the model's solution.
class ProjectMapper : public RecordSink {
 public:
  /// All outlive the mapper; rules: the reader's.
  ProjectMapper(SolutionModel& model, ConversionContext& context, const MappingOptions& options,
                const MappingRules& rules);

  /// Takes each project completed while no later one is started, in the
  /// solution's order; true when it wrote the project out, which then leaves the
  /// model, so that the model holds one project at a time.
  using CompletedProjectSink = std::function<bool(const ModelNode& project)>;
  void handCompletedProjectsTo(CompletedProjectSink sink) { completedProjects_ = std::move(sink); }
  /// Takes each project that is still incomplete when the next one starts (it
  /// waits for links to later projects); true when it set the project's folders
  /// and files aside, which then leave the model (SolutionStream::setAsideItems).
  using WaitingProjectSink = std::function<bool(const ModelNode& project)>;
  void handWaitingProjectsTo(WaitingProjectSink sink) { waitingProjects_ = std::move(sink); }

  /// Makes the model's solution.
  void beginSolution(const QString& name, const QString& directory, const QString& workspaceFile) override;
  /// Adds the project of record to the solution, all but its links. A project,
  /// file or folder whose name holds a control character, which a solution file
  /// cannot hold, is left out with a warning. When a template is needed and none
  /// is given, completeProject throws ConversionError "<file>: library template not
  /// specified" (or "executable template not specified").
  qsizetype startProject(const ProjectRecord& record) override;
  /// Writes the project's links and hands what is said about it to the diagnostics.
  void completeProject(qsizetype project, const ProjectLinks& links) override;
  /// Declares the configurations beyond Debug and Release that the projects
  /// carry, so that they can be built. When the workspace names projects, or some
  /// were left out, and none was added, throws ConversionError "<workspace>: no
  /// project could be converted": an empty solution would pass for a conversion.
  void finish(qsizetype projectsNamed) override;

 private:
  /// A project written into the model whose report waits for completeProject.
  struct StartedProject {
    /// Null for a project left out.
    ModelNode* project = nullptr;
    /// The warning that leaves the project out.
    std::optional<Warning> leftOut;
    ProjectOutcome outcome;
    QList<Warning> warnings;
    QList<NotCarried> notCarried;
    /// What ended writing it.
    std::optional<ConversionError> error;
  };

  void reportNotCarried(qsizetype outcome, NotCarried setting);
  void setAsideItemsOfWaitingProject();

  SolutionModel& model_;
  ConversionContext& context_;
  const MappingOptions& options_;
  const MappingRules& rules_;
  ModelNode* solution_ = nullptr;
  QString workspaceFile_;
  QStringList otherConfigurations_;
  qsizetype projectsAdded_ = 0;
  /// Every project started, by its number; emptied as it is completed.
  std::vector<StartedProject> started_;
  CompletedProjectSink completedProjects_;
  WaitingProjectSink waitingProjects_;
  /// Each project's libraries not linked, by its index among the input's outcomes.
  QList<QPair<qsizetype, NotCarried>> librariesNotLinked_;
};
