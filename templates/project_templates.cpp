#include "templates/project_templates.h"

#include <QFileInfo>

#include "projectsystem/model_names.h"
#include "projectsystem/project_system.h"
#include "projectsystem/solution_load_error.h"
#include "templates/project_template_file.h"
#include "templates/templates_file_list.h"
#include "xml/xml_document.h"

using namespace model_names;

namespace {

// One application of a configuration template may apply others through
// "inherited_configurations". A template on its own inheritance chain is a cycle;
// without cycles a chain of templates each inheriting the next several times
// could still multiply the work, so one application applies at most this many.
constexpr int maximumApplications = 1000;

}  // namespace

/// The state of one top-level application: the chain of templates being applied
/// and how many have been applied.
struct ProjectTemplates::Application {
  QStringList chain;
  int applied = 0;
};

ProjectTemplates::ProjectTemplates(ProjectSystem& system, const QString& templatesFiles, const WarningSink& warnings)
    : system_(system) {
  const TemplatesFileList list = templatesFilePaths(templatesFiles, system.globalMacros());
  for (const QString& reason : list.leftOut) warnings(QString(), reason);
  for (const QString& path : list.paths) {
    auto file = std::make_unique<ProjectTemplateFile>(system.globalMacros(), warnings);
    if (!QFileInfo(path).isReadable()) {
      warnings(QString(), QStringLiteral("templates file %1 cannot be read").arg(path));
      continue;
    }
    if (!file->load(path)) {
      const SolutionLoadError error = SolutionLoadError::ofDocument(path, *file);
      warnings(QString(), error.text() + QStringLiteral(" (templates file left out)"));
      continue;
    }
    // A file cut short would give the templates before the cut only, with no word.
    if (file->unclosedAtEnd) {
      const SolutionLoadError error{path, SolutionLoadError::XmlSyntax,
                                    QStringLiteral("element %1 is not closed").arg(QString::fromStdString(file->unclosedAtEnd->name)),
                                    int32_t(file->unclosedAtEnd->line), 0};
      warnings(QString(), error.text() + QStringLiteral(" (templates file left out)"));
      continue;
    }
    if (!file->stoppedAt().isEmpty()) {
      throw SolutionLoadError{file->stoppedAt(), SolutionLoadError::Plain,
                              QStringLiteral("templates file grows beyond %1 bytes when preprocessed")
                                  .arg(file->workLimit()),
                              0, 0};
    }
    if (file->root) registerTemplates(*file->root);
    files_.push_back(std::move(file));
  }
}

ProjectTemplates::~ProjectTemplates() = default;

// Depth first from the document element: a "project" is registered under its
// "template_name" when it is reached, a child of "configurations" under its "name"
// once its own subtree has been walked. An explicit stack keeps deep files off the call stack.
void ProjectTemplates::registerTemplates(const XMLElement& root) {
  struct Level {
    const XMLElement* element;
    const XMLNode* next;
  };
  const auto enter = [this](const XMLElement& element) {
    if (element.tagName() == "project") projectTemplates_.insert(attributeValue(element, "template_name"), &element);
  };
  enter(root);
  std::vector<Level> levels{{&root, root.firstChild()}};
  while (!levels.empty()) {
    const XMLNode* node = levels.back().next;
    if (!node) {
      const XMLElement* finished = levels.back().element;
      levels.pop_back();
      if (!levels.empty() && levels.back().element->tagName() == "configurations")
        configurationTemplates_.insert(attributeValue(*finished, "name"), finished);
      continue;
    }
    levels.back().next = node->nextSibling();
    if (node->nodeKind() != XMLNodeKind::Element) continue;
    const auto& element = static_cast<const XMLElement&>(*node);
    enter(element);
    levels.push_back({&element, element.firstChild()});
  }
}

bool ProjectTemplates::applyConfigurationTemplate(ProjectElement* project, const QString& name) {
  const XMLElement* templateElement = configurationTemplates_.find(name);
  if (!templateElement) return false;
  ProjectElement* configuration = project->configuration(name);
  if (!configuration) configuration = system_.newConfiguration(project, name);
  Application application;
  apply(configuration, *templateElement, name, application);
  return true;
}

// The pairs of the templates a template inherits are written into the same
// configuration, where "inherited_configurations" stands among its own pairs: a
// project's configuration does not inherit from other configurations of the project.
void ProjectTemplates::apply(ProjectElement* configuration, const XMLElement& templateElement, const QString& name,
                             Application& application) {
  if (application.chain.contains(name))
    throw SolutionLoadError{name, SolutionLoadError::Plain,
                            QStringLiteral("configuration template inherits itself (") +
                                (application.chain + QStringList{name}).join(QStringLiteral(" -> ")) +
                                QLatin1Char(')'),
                            0, 0};
  if (++application.applied > maximumApplications)
    throw SolutionLoadError{application.chain.value(0, name), SolutionLoadError::Plain,
                            QStringLiteral("configuration template inherits more than %1 templates")
                                .arg(maximumApplications),
                            0, 0};
  application.chain.append(name);
  for (const XMLNode* node = templateElement.firstChild(); node; node = node->nextSibling()) {
    if (node->nodeKind() != XMLNodeKind::Element) continue;
    const auto& pair = static_cast<const XMLElement&>(*node);
    const QString property = attributeValue(pair, "name");
    const QString value = attributeValue(pair, "value");
    if (property.isEmpty() || value.isEmpty()) continue;
    if (property == inheritedConfigurationsProperty) {
      configuration->setProperty(property, value);
      for (const QString& inherited : value.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (const XMLElement* inheritedTemplate = configurationTemplates_.find(inherited))
          apply(configuration, *inheritedTemplate, inherited, application);
    } else if (!configuration->hasProperty(property) || configuration->property(property) != value) {
      configuration->setProperty(property, value);
    }
  }
  application.chain.removeLast();
}
