#pragma once
// The solution model: one solution tree with the operations that build and change
// it (the mapper, the solution reader, template expansion), and the resolvers that
// answer for its nodes (property values, locations, macros).

#include <QString>
#include <memory>

#include "model/macro_resolver.h"
#include "model/model_node.h"
#include "model/property_resolver.h"

class PropertySchema;

/// Owns one solution tree. Its operations create what is missing and skip what is
/// null; none of them fails.
class SolutionModel {
 public:
  /// schema: the run's property declarations; globalMacros: what macro references
  /// fall back on (the start-up environment's). Both outlive the model.
  SolutionModel(const PropertySchema& schema, const GlobalMacros& globalMacros);
  SolutionModel(const SolutionModel&) = delete;
  SolutionModel& operator=(const SolutionModel&) = delete;
  ~SolutionModel();

  /// Makes the solution of file directory/name.hzp the root and returns it. The
  /// directory is created when the solution is saved.
  ModelNode* newSolution(const QString& name, const QString& directory);
  /// Makes a solution built elsewhere (the reader) the root.
  ModelNode* adoptSolution(std::unique_ptr<ModelNode> solution);
  /// The root solution, or null.
  ModelNode* solution() const { return solution_.get(); }
  /// Hands the root solution to the caller; the model is left without one.
  std::unique_ptr<ModelNode> takeSolution() { return std::move(solution_); }

  /// Adds a project with a "Common" configuration holding "project_directory"
  /// (relative to the solution directory when possible) and "project_type".
  ModelNode* newProject(ModelNode* solution, const QString& name, const QString& directory, const QString& projectType);
  /// The first child folder of parent with that name, or null.
  ModelNode* findFolder(const ModelNode* parent, const QString& name) const;
  /// An existing folder (its filter is kept) or a new one, with "filter" in its
  /// "Common" only when filter is not empty.
  ModelNode* findOrAddFolder(ModelNode* parent, const QString& name, const QString& filter);
  /// Adds a file to parent, or, when parent is not a folder, to the first child
  /// folder whose filter lists the file's lower-cased suffix. Null for a null parent.
  ModelNode* addFile(ModelNode* parent, const QString& filePath);
  /// Appends a new configuration child (no check for an existing one of that name).
  ModelNode* newConfiguration(ModelNode* node, const QString& name);
  void setConfigurationProperty(ModelNode* node, const QString& propertyName, const QString& configurationName,
                                const QString& value);
  /// Removes the property; a configuration left with only its "Name" is taken out
  /// and destroyed at once. Removing a property that is not there changes nothing.
  void removeConfigurationProperty(ModelNode* node, const QString& propertyName, const QString& configurationName);
  /// Destroys node and its subtree; the root solution leaves the model.
  void deleteNode(ModelNode* node);

  const PropertyResolver& properties() const { return properties_; }
  const MacroResolver& macros() const { return macros_; }

 private:
  ModelNode* folderForSuffix(const ModelNode* parent, const QString& filePath) const;

  std::unique_ptr<ModelNode> makeNode(ModelNode::Kind kind) { return ModelNode::makeIn(nodes_, kind); }

  PropertyResolver properties_;
  MacroResolver macros_;
  NodePool nodes_{sizeof(ModelNode)};  // before the solution, which may hold its nodes
  std::unique_ptr<ModelNode> solution_;
};
