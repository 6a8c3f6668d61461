#include "templates/template_expansion.h"

#include <functional>

#include "model/model_names.h"
#include "model/solution_model.h"
#include "solution/dynamic_folder.h"
#include "solution/project_content_reader.h"
#include "solution/solution_load_error.h"
#include "solution/solution_reader.h"
#include "templates/project_templates.h"
#include "xml/xml_document.h"

using namespace model_names;

namespace {

using SolutionLoader = std::function<std::unique_ptr<ModelNode>(SolutionReader& reader)>;

const XMLElement* firstElementChild(const XMLNode& node) {
  for (const XMLNode* child = node.firstChild(); child; child = child->nextSibling())
    if (child->nodeKind() == XMLNodeKind::Element) return static_cast<const XMLElement*>(child);
  return nullptr;
}

// The template's "type" becomes the project's "project_type" in "Common"; its
// content is read into the project for the configurations the project names.
void expandProject(SolutionReader& reader, const ProjectTemplates& templates, ModelNode* project,
                   Diagnostics& diagnostics) {
  const QString name = project->property(nameProperty);
  const QString templateName = project->property(templateNameProperty);
  const QString configurations = project->property(templateConfigurationsProperty);
  // The saved solution no longer names the template it was expanded from.
  project->removeProperty(templateNameProperty);
  project->removeProperty(templateConfigurationsProperty);
  if (templateName.isEmpty()) throw loadError(QStringLiteral("no template for project "), name);
  const XMLElement* templateElement = templates.findProjectTemplate(templateName);
  if (!templateElement) throw loadError(templateName, QStringLiteral("project template not found"));
  reader.model().setConfigurationProperty(project, projectTypeProperty, commonConfiguration,
                                          attributeValue(*templateElement, "type"));
  const ProjectContentContext context{reader, project->owningSolution(), project, &templates, diagnostics};
  if (const XMLElement* first = firstElementChild(*templateElement))
    readProjectContent(context, project, first, configurations.split(QLatin1Char(';'), Qt::SkipEmptyParts));
}

// The reader lives for one expansion: what its load records is consumed here. By
// index: importing a solution in template content can add templated projects,
// which are expanded in turn.
ModelNode* loadAndExpand(SolutionModel& model, Diagnostics& diagnostics, const SolutionLoader& load,
                         const std::function<const ProjectTemplates&()>& templates) {
  SolutionReader reader(model);
  ModelNode* solution = model.adoptSolution(load(reader));
  try {
    if (!reader.templatedProjects.isEmpty()) {
      const ProjectTemplates& loaded = templates();
      for (qsizetype index = 0; index < reader.templatedProjects.size(); ++index)
        expandProject(reader, loaded, reader.templatedProjects[index], diagnostics);
    }
  } catch (...) {
    model.deleteNode(solution);
    throw;
  }
  for (qsizetype index = 0; index < reader.dynamicFolders.size(); ++index)
    populateDynamicFolder(model, reader.dynamicFolders[index], diagnostics, reader.dynamicFolderBudget);
  return solution;
}

}  // namespace

TemplateExpansion::TemplateExpansion(const QString& templatesFiles, const GlobalMacros& globalMacros)
    : templatesFiles_(templatesFiles), globalMacros_(globalMacros) {}

TemplateExpansion::~TemplateExpansion() = default;

const ProjectTemplates& TemplateExpansion::templates(Diagnostics& diagnostics) {
  if (!templates_) templates_ = std::make_unique<ProjectTemplates>(templatesFiles_, globalMacros_);
  templates_->report(diagnostics);
  return *templates_;
}

ModelNode* TemplateExpansion::expandFile(SolutionModel& model, const QString& path, Diagnostics& diagnostics) {
  return loadAndExpand(
      model, diagnostics, [&](SolutionReader& reader) { return reader.loadSolution(QString(), path); },
      [&]() -> const ProjectTemplates& { return templates(diagnostics); });
}

ModelNode* TemplateExpansion::expandText(SolutionModel& model, const QString& path, const std::string& text,
                                         Diagnostics& diagnostics) {
  return loadAndExpand(
      model, diagnostics, [&](SolutionReader& reader) { return reader.loadSolutionText(path, text); },
      [&]() -> const ProjectTemplates& { return templates(diagnostics); });
}
