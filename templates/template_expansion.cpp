#include "templates/template_expansion.h"

#include <functional>
#include <memory>

#include "projectsystem/model_names.h"
#include "projectsystem/project_system.h"
#include "projectsystem/solution_load_error.h"
#include "templates/project_templates.h"

using namespace model_names;

namespace {

using SolutionLoader = std::function<std::unique_ptr<ProjectElement>()>;

void expandProject(ProjectTemplates& templates, ProjectElement* project) {
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
  templates.expand(project, *templateElement, configurations.split(QLatin1Char(';'), Qt::SkipEmptyParts));
}

// By index: importing a solution in template content can add templated projects,
// which are expanded in turn.
void expandTemplatedProjects(ProjectSystem& system) {
  if (system.templatedProjects.isEmpty()) return;
  ProjectTemplates templates(system, system.templatesFiles());
  for (qsizetype index = 0; index < system.templatedProjects.size(); ++index)
    expandProject(templates, system.templatedProjects[index]);
  // Removing the template attributes does not count as a change.
  system.clearModified(system.solution(), true);
}

void populateDynamicFolders(ProjectSystem& system) {
  for (qsizetype index = 0; index < system.dynamicFolders.size(); ++index)
    system.populateDynamicFolder(system.dynamicFolders[index]);
}

ProjectElement* loadAndExpand(ProjectSystem& system, const SolutionLoader& load) {
  system.templatedProjects.clear();
  system.dynamicFolders.clear();
  ProjectElement* solution = system.adoptSolution(load());
  try {
    expandTemplatedProjects(system);
  } catch (...) {
    system.deleteElement(solution);
    throw;
  }
  system.updateProjects();
  populateDynamicFolders(system);
  return solution;
}

}  // namespace

ProjectElement* loadSolutionWithTemplates(ProjectSystem& system, const QString& path) {
  return loadAndExpand(system, [&] { return system.loadSolution(QString(), path); });
}

ProjectElement* loadSolutionTextWithTemplates(ProjectSystem& system, const QString& path, const std::string& text) {
  return loadAndExpand(system, [&] { return system.loadSolutionText(path, text); });
}
