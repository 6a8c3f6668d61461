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

class Diagnostics;
class ModelNode;
class SolutionModel;
struct MappingOptions;
struct MappingRules;

/// A configuration of the solution, the source configuration it is read from and why.
struct PlannedConfiguration {
  QString name;
  const SourceConfiguration* source;
  QString reason;
};

/// One record being written into the solution: what the steps read and make.
struct ProjectMapping {
  SolutionModel& model;
  Diagnostics& diagnostics;
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
  /// The project's index among the input's outcomes, and its configurations as written.
  qsizetype outcome = -1;
  std::vector<ConfigurationOutcome> configurations{};
};

// configuration_steps.cpp
void planConfigurations(ProjectMapping& mapping);
void createProject(ProjectMapping& mapping);
void applyCommandLineProperties(ProjectMapping& mapping);
void writeDependencies(ProjectMapping& mapping);
void writeConfigurations(ProjectMapping& mapping);
void addLinkedLibraryFiles(ProjectMapping& mapping);
void applyTemplate(ProjectMapping& mapping);
void reportNotCarried(ProjectMapping& mapping);

// source_tree_steps.cpp
void addSourceTree(ProjectMapping& mapping);
void addLinkerScripts(ProjectMapping& mapping);

/// Writes one set of property values per planned configuration into node: what every
/// configuration agrees on goes to "Common", the rest to each one. With
/// keepsIncludeDirectories the include directories stay in each configuration.
void writeSplit(ProjectMapping& mapping, ModelNode* node, const std::vector<PropertyValues>& values,
                bool keepsIncludeDirectories);
