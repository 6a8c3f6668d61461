#pragma once
// The project templates and configuration templates of the templates files, and
// the application of configuration templates to a project.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "solution/project_content_reader.h"
#include "support/diagnostics.h"

class ModelNode;
class SolutionModel;
class XMLDocument;
class XMLElement;
struct GlobalMacros;

/// Template elements by name: the one registered last under a name is the one
/// found ("later wins").
class ProjectTemplateNodeList {
 public:
  void insert(const QString& name, const XMLElement* element) { elements_.insert(name, element); }
  /// The element registered last under name, or null.
  const XMLElement* find(const QString& name) const { return elements_.value(name, nullptr); }

 private:
  QHash<QString, const XMLElement*> elements_;  // owned by a templates file's document
};

/// The loaded templates files: loaded once, read by every expansion of the run.
class ProjectTemplates : public ConfigurationTemplateSource {
 public:
  /// Loads the files of the list (templatesFilePaths) in order and registers their
  /// templates. A file that cannot be read or parsed contributes nothing; it, and a
  /// named file that does not exist, get a warning, kept with the preprocessor's
  /// warnings of every file. A file whose preprocessing passes the work limit ends
  /// the loading with the error "<file>:<line>: templates file grows beyond <limit>
  /// bytes when preprocessed", kept as well.
  ProjectTemplates(const QString& templatesFiles, const GlobalMacros& globalMacros);
  ~ProjectTemplates() override;

  /// Tells diagnostics what loading warned about, then throws the error that ended
  /// it, if one did: what every expansion that uses the templates reports.
  void report(Diagnostics& diagnostics) const;

  const XMLElement* findProjectTemplate(const QString& name) const { return projectTemplates_.find(name); }
  const XMLElement* findConfigurationTemplate(const QString& name) const { return configurationTemplates_.find(name); }
  /// Writes the template's name/value pairs into the project's configuration of that
  /// name (a value only where it differs), with the pairs of the templates named by
  /// "inherited_configurations" written where that pair stands. False when there is
  /// no such template. A template that inherits itself, directly or through others,
  /// throws ConversionError.
  bool applyConfigurationTemplate(SolutionModel& model, ModelNode* project, const QString& name) const override;

 private:
  struct Application;
  void load(const QString& path, const GlobalMacros& globalMacros, Diagnostics& warnings);
  void registerTemplates(const XMLElement& root);
  void apply(ModelNode* configuration, const XMLElement& templateElement, const QString& name,
             Application& application) const;

  std::vector<std::unique_ptr<XMLDocument>> files_;
  ProjectTemplateNodeList projectTemplates_;
  ProjectTemplateNodeList configurationTemplates_;
  QList<Warning> warnings_;
  std::optional<ConversionError> failure_;
};
