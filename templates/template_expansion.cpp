#include "templates/template_expansion.h"

#include <functional>
#include <memory>

#include "projectsystem/dynamic_folder.h"
#include "projectsystem/model_names.h"
#include "projectsystem/project_content_reader.h"
#include "projectsystem/project_system.h"
#include "projectsystem/solution_load_error.h"
#include "projectsystem/solution_reader.h"
#include "templates/project_templates.h"
#include "xml/xml_document.h"

using namespace model_names;

namespace {

using SolutionLoader = std::function<std::unique_ptr<ProjectElement>(SolutionReader& reader)>;

const XMLElement* firstChildElement(const XMLNode& node) {
  for (const XMLNode* child = node.firstChild(); child; child = child->nextSibling())
    if (child->nodeKind() == XMLNodeKind::Element) return static_cast<const XMLElement*>(child);
  return nullptr;
}

// The template's "type" becomes the project's "project_type" in "Common"; its
// content is read into the project for the configurations the project names.
void expandProject(SolutionReader& reader, ProjectTemplates& templates, ProjectElement* project) {
  const QString name = project->property(nameProperty);
  const QString templateName = project->property(templateNameProperty);
  const QString configurations = project->property(templateConfigurationsProperty);
  // The saved solution no longer names the template it was expanded from.
  project->removeProperty(templateNameProperty);
  project->removeProperty(templateConfigurationsProperty);
  if (templateName.isEmpty())
    throw SolutionLoadError{QStringLiteral("no template for project "), SolutionLoadError::Plain, name, 0, 0};
  const XMLElement* templateElement = templates.findProjectTemplate(templateName);
  if (!templateElement)
    throw SolutionLoadError{templateName, SolutionLoadError::Plain, QStringLiteral("project template not found"), 0,
                            0};
  reader.system().setConfigurationProperty(project, projectTypeProperty, commonConfiguration,
                                           attributeValue(*templateElement, "type"));
  const ProjectContentContext context{reader, project->owningSolution(), project, &templates};
  if (const XMLElement* first = firstChildElement(*templateElement))
    readProjectContent(context, project, first, configurations.split(QLatin1Char(';'), Qt::SkipEmptyParts));
}

// By index: importing a solution in template content can add templated projects,
// which are expanded in turn.
void expandTemplatedProjects(SolutionReader& reader, const QString& templatesFiles) {
  if (reader.templatedProjects.isEmpty()) return;
  ProjectSystem& system = reader.system();
  ProjectTemplates templates(system, templatesFiles, reader.warnings());
  for (qsizetype index = 0; index < reader.templatedProjects.size(); ++index)
    expandProject(reader, templates, reader.templatedProjects[index]);
  // Removing the template attributes does not count as a change.
  clearModified(system.solution(), true);
}

// The reader lives for one expansion: what its load records is consumed here.
ProjectElement* loadAndExpand(ProjectSystem& system, const QString& templatesFiles, const WarningSink& warnings,
                              const SolutionLoader& load) {
  SolutionReader reader(system, warnings);
  ProjectElement* solution = system.adoptSolution(load(reader));
  try {
    expandTemplatedProjects(reader, templatesFiles);
  } catch (...) {
    system.deleteElement(solution);
    throw;
  }
  system.updateProjects();
  for (qsizetype index = 0; index < reader.dynamicFolders.size(); ++index)
    populateDynamicFolder(system, reader.dynamicFolders[index], warnings, reader.dynamicFolderBudget);
  return solution;
}

}  // namespace

ProjectElement* loadSolutionWithTemplates(ProjectSystem& system, const QString& templatesFiles, const QString& path,
                                          const WarningSink& warnings) {
  return loadAndExpand(system, templatesFiles, warnings,
                       [&](SolutionReader& reader) { return reader.loadSolution(QString(), path); });
}

ProjectElement* loadSolutionTextWithTemplates(ProjectSystem& system, const QString& templatesFiles,
                                              const QString& path, const std::string& text,
                                              const WarningSink& warnings) {
  return loadAndExpand(system, templatesFiles, warnings,
                       [&](SolutionReader& reader) { return reader.loadSolutionText(path, text); });
}
