#include "templates/project_templates.h"

#include <QFileInfo>

#include "model/model_names.h"
#include "model/solution_model.h"
#include "preprocessor/xml_preprocessor.h"
#include "solution/solution_load_error.h"
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

// What loading warns about goes to a channel of its own, kept for every expansion;
// an error ends the loading there, as it ends the expansion that reports it.
ProjectTemplates::ProjectTemplates(const QString& templatesFiles, const GlobalMacros& globalMacros) {
  Diagnostics warnings;
  const TemplatesFileList list = templatesFilePaths(templatesFiles, globalMacros);
  for (const QString& reason : list.leftOut) warnings.warn(QString(), reason);
  try {
    for (const QString& path : list.paths) load(path, globalMacros, warnings);
  } catch (const ConversionError& error) {
    failure_ = error;
  }
  warnings_ = warnings.takeWarnings();
}

// The templates keep their macro references: the file is loaded without expansion.
void ProjectTemplates::load(const QString& path, const GlobalMacros& globalMacros, Diagnostics& warnings) {
  if (!QFileInfo(path).isReadable()) {
    warnings.warn(QString(), QStringLiteral("templates file %1 cannot be read").arg(path));
    return;
  }
  auto document = std::make_unique<XMLDocument>();
  XMLPreprocessor preprocessor(*document, globalMacros, &warnings);
  try {
    preprocessor.load(path);
  } catch (const XMLParseError& error) {
    warnings.warn(QString(), xmlSyntaxError(path, error).message() + QStringLiteral(" (templates file left out)"));
    return;
  }
  // A file cut short would give the templates before the cut only, with no word.
  if (const std::optional<XMLDocument::OpenElement>& unclosed = document->unclosedAtEnd) {
    const XMLParseError error{"element " + unclosed->name + " is not closed", int32_t(unclosed->line), 0};
    warnings.warn(QString(), xmlSyntaxError(path, error).message() + QStringLiteral(" (templates file left out)"));
    return;
  }
  if (!preprocessor.stoppedAt().isEmpty()) {
    throw loadError(
        preprocessor.stoppedAt(),
        QStringLiteral("templates file grows beyond %1 bytes when preprocessed").arg(preprocessor.workLimit()));
  }
  if (document->root) registerTemplates(*document->root);
  files_.push_back(std::move(document));
}

void ProjectTemplates::report(Diagnostics& diagnostics) const {
  for (const Warning& warning : warnings_) diagnostics.warn(warning.file, warning.message);
  if (failure_) throw *failure_;
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

bool ProjectTemplates::applyConfigurationTemplate(SolutionModel& model, ModelNode* project, const QString& name) const {
  const XMLElement* templateElement = configurationTemplates_.find(name);
  if (!templateElement) return false;
  ModelNode* configuration = project->configuration(name);
  if (!configuration) configuration = model.newConfiguration(project, name);
  Application application;
  apply(configuration, *templateElement, name, application);
  return true;
}

// The pairs of the templates a template inherits are written into the same
// configuration, where "inherited_configurations" stands among its own pairs: a
// project's configuration does not inherit from other configurations of the project.
void ProjectTemplates::apply(ModelNode* configuration, const XMLElement& templateElement, const QString& name,
                             Application& application) const {
  if (application.chain.contains(name))
    throw loadError(name, QStringLiteral("configuration template inherits itself (") +
                              (application.chain + QStringList{name}).join(QStringLiteral(" -> ")) + QLatin1Char(')'));
  if (++application.applied > maximumApplications)
    throw loadError(application.chain.value(0, name),
                    QStringLiteral("configuration template inherits more than %1 templates").arg(maximumApplications));
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
