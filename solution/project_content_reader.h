#pragma once
// Reads project content in the templates' vocabulary (folder, file, property,
// solutionproperty, propertygroup, configuration, import) into a project of the
// solution model. Unlike the solution reader it matches existing elements by name
// and never overwrites a setting that is already there.

#include <QString>
#include <QStringList>

class Diagnostics;
class ModelNode;
class SolutionModel;
class SolutionReader;
class XMLElement;

/// Applies named configuration templates to a project (the templates collection);
/// the content reader asks it for every "configuration" element it meets.
class ConfigurationTemplateSource {
 public:
  virtual ~ConfigurationTemplateSource() = default;
  /// False when no configuration template of that name exists.
  virtual bool applyConfigurationTemplate(SolutionModel& model, ModelNode* project, const QString& name) const = 0;
};

/// What the content is read for.
struct ProjectContentContext {
  /// Reads what "import" names and owns the records of the load (a dynamic folder's
  /// old content leaves them); its model is the model read into.
  SolutionReader& reader;
  /// Target of "solutionproperty", "configuration" and "import".
  ModelNode* solution;
  ModelNode* project;
  /// May be null: then no configuration template exists.
  const ConfigurationTemplateSource* templates;
  /// Takes what a dynamic folder's scan warns about.
  Diagnostics& diagnostics;
};

/// Reads first and its following sibling elements, in document order, into parent.
/// "$(Configuration)" in configuration names is replaced by each of
/// configurationNames in turn (used literally when the list is empty). Other tags
/// are skipped with their subtree. Content nested deeper than 256 levels throws
/// ConversionError "<project>: project content nested deeper than 256 levels".
void readProjectContent(const ProjectContentContext& context, ModelNode* parent, const XMLElement* first,
                        const QStringList& configurationNames);
