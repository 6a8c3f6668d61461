#pragma once
// Writes project records into the solution model: the one place for the rules
// every importer shares. It chooses the configurations that become "Debug" and
// "Release" (the others keep their names), moves what all of them share into
// "Common", writes each setting as its property (setting_properties.h), applies
// the command line's definitions, include directories, properties and filters,
// picks the project template, lays out the folders and files with their
// exclusions and settings, and reports what a project holds that the solution
// cannot carry.

#include <QHash>
#include <QString>
#include <QStringList>

#include "readers/common/project_record.h"

class ConversionContext;
class ModelNode;
class SolutionModel;

/// Where one importer's projects differ in the solution from the others'.
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

/// Writes the records of one input into its solution.
class ProjectMapper {
 public:
  /// workspaceFile: the input as messages name it.
  ProjectMapper(SolutionModel& model, ConversionContext& context, const MappingRules& rules,
                ModelNode* solution, QString workspaceFile);

  /// Adds the project of record to the solution and returns it. Throws
  /// ConversionError "<file>: library template not specified" (or "executable
  /// template not specified") when a template is needed and none is given.
  /// A project, file or folder whose name holds a control character, which a
  /// solution file cannot hold, is left out with a warning (null for a project).
  ModelNode* addProject(const ProjectRecord& record);
  /// Sets the project's "project_dependencies" in "Common" to names joined with
  /// ";", also when there are none (for dependencies known only once every
  /// project of the input is read).
  void setDependencies(ModelNode* project, const QStringList& names);
  /// Reports a setting of project (one addProject returned) that the solution
  /// cannot carry, with what was found while writing it.
  void notCarried(const ModelNode* project, const NotCarried& setting);
  /// Adds files to the project's "linker_additional_files" in "Common" (for
  /// libraries known only once every project of the input is read).
  void addLinkerFiles(ModelNode* project, const QStringList& files);
  /// Declares the configurations beyond Debug and Release that the projects
  /// carry, so that they can be built; called once every project is added.
  /// projectsNamed: how many projects the workspace names. When it names some
  /// (or some were left out, see ConversionContext::leaveOutProject) and none
  /// was added, throws ConversionError "<workspace>: no project could be
  /// converted (<why the first was left out>)": an empty solution would pass
  /// for a conversion.
  void finish(qsizetype projectsNamed);

 private:
  class ProjectWriter;

  void notCarried(qsizetype outcome, NotCarried setting);

  SolutionModel& model_;
  ConversionContext& context_;
  const MappingRules& rules_;
  ModelNode* solution_;
  QString workspaceFile_;
  QStringList otherConfigurations_;
  qsizetype projectsAdded_ = 0;
  /// Each added project's index among the input's outcomes.
  QHash<const ModelNode*, qsizetype> outcomes_;
};
