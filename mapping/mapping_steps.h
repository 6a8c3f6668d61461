#pragma once
// The steps that write one project record into the solution, each a function over
// the state they share; the mapper runs them in order (project_mapper.cpp).

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

#include "mapping/setting_properties.h"
#include "readers/common/project_record.h"
#include "support/conversion_outcome.h"

class ModelNode;
class SolutionModel;
struct MappingOptions;
struct MappingRules;
struct ProjectLinks;

/// A configuration of the solution, the source configuration it is read from and why.
struct PlannedConfiguration {
  QString name;
  const SourceConfiguration* source;
  QString reason;
};

/// One record being written into the solution: what the steps read and make.
struct ProjectMapping {
  SolutionModel& model;
  const MappingOptions& options;
  const MappingRules& rules;
  const ProjectRecord& record;
  ModelNode* solution;
  /// The workspace as messages name it.
  const QString& workspaceFile;
  /// The configurations beyond Debug and Release met so far in the input, in order.
  QStringList& otherConfigurations;

  /// The solution's configurations of the project, "Debug" and "Release" first.
  std::vector<PlannedConfiguration> plan{};
  ModelNode* project = nullptr;
  /// What the project holds that the solution cannot carry, the record's first.
  QList<NotCarried> notCarried = record.notCarried;
  /// Its configurations as written.
  std::vector<ConfigurationOutcome> configurations{};
  /// The warnings about the project, in order: the mapper hands them to the
  /// diagnostics when the project is complete (RecordSink::completeProject).
  QList<Warning> warnings{};

  void warn(const QString& file, const QString& message) { warnings.append({file, message}); }
};

// configuration_steps.cpp
void planConfigurations(ProjectMapping& mapping);
void createProject(ProjectMapping& mapping);
void applyCommandLineProperties(ProjectMapping& mapping);
void writeConfigurations(ProjectMapping& mapping);
void applyTemplate(ProjectMapping& mapping);

/// Writes what project links into its "Common" configuration, once the project
/// is written: the projects it depends on, and libraries that no project of the
/// workspace builds joining its "linker_additional_files".
void writeLinks(SolutionModel& model, ModelNode* project, const ProjectLinks& links);
/// Whether writeLinks would change only a configuration project holds already (its
/// "Common" one), adding no child.
bool linksChangeOnlyHeldConfigurations(const ModelNode* project);

// source_tree_steps.cpp
void addSourceTree(ProjectMapping& mapping);
void addLinkerScripts(ProjectMapping& mapping);

/// Writes one set of property values per planned configuration into node: what every
/// configuration agrees on goes to "Common", the rest to each one. With
/// keepsIncludeDirectories the include directories stay in each configuration.
void writeSplit(ProjectMapping& mapping, ModelNode* node, const std::vector<PropertyValues>& values,
                bool keepsIncludeDirectories);
