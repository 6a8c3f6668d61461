#pragma once
// The project templates and configuration templates of the templates files, and
// the application of configuration templates to a project.

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "projectsystem/project_content_reader.h"
#include "projectsystem/warning_sink.h"

class ProjectElement;
class ProjectSystem;
class ProjectTemplateFile;
class XMLElement;

/// Template elements by name: the one registered last under a name is the one
/// found ("later wins").
class ProjectTemplateNodeList {
 public:
  void insert(const QString& name, const XMLElement* element) { elements_.insert(name, element); }
  /// The element registered last under name, or null.
  const XMLElement* find(const QString& name) const { return elements_.value(name, nullptr); }

 private:
  QHash<QString, const XMLElement*> elements_;  // owned by a templates file
};

/// The loaded templates files of one expansion.
class ProjectTemplates : public ConfigurationTemplateSource {
 public:
  /// Loads the files of the list (templatesFilePaths) in order and registers their
  /// templates. A file that cannot be read or parsed contributes nothing; it, and a
  /// named file that does not exist, get a warning, told to warnings with the
  /// preprocessor's warnings of every file. A file whose preprocessing passes the
  /// work limit throws SolutionLoadError ("<file>:<line>: templates file grows
  /// beyond <limit> bytes when preprocessed").
  ProjectTemplates(ProjectSystem& system, const QString& templatesFiles, const WarningSink& warnings);
  ~ProjectTemplates() override;

  const XMLElement* findProjectTemplate(const QString& name) const { return projectTemplates_.find(name); }
  const XMLElement* findConfigurationTemplate(const QString& name) const {
    return configurationTemplates_.find(name);
  }
  /// Writes the template's name/value pairs into the project's configuration of that
  /// name (a value only where it differs), with the pairs of the templates named by
  /// "inherited_configurations" written where that pair stands. False when there is
  /// no such template. A template that inherits itself, directly or through others,
  /// throws SolutionLoadError.
  bool applyConfigurationTemplate(ProjectElement* project, const QString& name) override;

 private:
  struct Application;
  void registerTemplates(const XMLElement& root);
  void apply(ProjectElement* configuration, const XMLElement& templateElement, const QString& name,
             Application& application);

  ProjectSystem& system_;
  std::vector<std::unique_ptr<ProjectTemplateFile>> files_;
  ProjectTemplateNodeList projectTemplates_;
  ProjectTemplateNodeList configurationTemplates_;
};
