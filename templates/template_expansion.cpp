#include "templates/template_expansion.h"

#include <functional>
#include <memory>

#include "projectsystem/model_names.h"
#include "projectsystem/progress_reporter.h"
#include "projectsystem/project_system.h"
#include "projectsystem/solution_load_error.h"
#include "templates/project_templates.h"

using namespace model_names;

namespace {

using SolutionLoader = std::function<std::unique_ptr<ProjectElement>()>;

void expandProject(ProjectTemplates& templates, ProjectElement* project, TemplateChooser* chooser,
                   ProgressReporter* progress) {
  const QString name = project->property(nameProperty);
  if (progress) progress->message(QStringLiteral("Expanding project ") + name, 2);
  QString templateName = project->property(templateNameProperty);
  const QString configurations = project->property(templateConfigurationsProperty);
  // The saved solution no longer names the template it was expanded from.
  project->removeProperty(templateNameProperty);
  project->removeProperty(templateConfigurationsProperty);
  if (templateName.isEmpty() && chooser) templateName = chooser->chooseTemplate(project);
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
void expandTemplatedProjects(ProjectSystem& system, TemplateChooser* chooser, ProgressReporter* progress) {
  if (system.templatedProjects.isEmpty()) return;
  if (progress) progress->message(QStringLiteral("Expanding templated projects"), 1);
  ProjectTemplates templates(system, system.templatesFiles());
  for (qsizetype index = 0; index < system.templatedProjects.size(); ++index) {
    expandProject(templates, system.templatedProjects[index], chooser, progress);
    if (progress) progress->step(int(index + 1), int(system.templatedProjects.size()));
  }
  // Removing the template attributes does not count as a change.
  system.clearModified(system.solution(), true);
}

void populateDynamicFolders(ProjectSystem& system, ProgressReporter* progress) {
  if (progress && !system.dynamicFolders.isEmpty()) progress->message(QStringLiteral("Populating dynamic folders"), 1);
  for (qsizetype index = 0; index < system.dynamicFolders.size(); ++index) {
    ProjectElement* folder = system.dynamicFolders[index];
    if (progress) {
      const ProjectElement* project = folder->project();
      progress->message(QStringLiteral("Populating folder ") + folder->name() + QStringLiteral(" in project ") +
                            (project ? project->name() : QString()),
                        2);
    }
    system.populateDynamicFolder(folder);
  }
}

ProjectElement* loadAndExpand(ProjectSystem& system, const SolutionLoader& load, TemplateChooser* chooser,
                              ProgressReporter* progress) {
  system.templatedProjects.clear();
  system.dynamicFolders.clear();
  ProjectElement* solution = system.adoptSolution(load());
  try {
    expandTemplatedProjects(system, chooser, progress);
  } catch (...) {
    system.deleteElement(solution);
    throw;
  }
  if (progress) progress->message(QStringLiteral("Mapping project information"), 1);
  system.updateProjects(progress);
  populateDynamicFolders(system, progress);
  return solution;
}

}  // namespace

ProjectElement* loadSolutionWithTemplates(ProjectSystem& system, const QString& path, TemplateChooser* chooser,
                                          ProgressReporter* progress) {
  return loadAndExpand(
      system, [&] { return system.loadSolution(QString(), path, nullptr, progress); }, chooser, progress);
}

ProjectElement* loadSolutionTextWithTemplates(ProjectSystem& system, const QString& path, const std::string& text,
                                              TemplateChooser* chooser, ProgressReporter* progress) {
  return loadAndExpand(
      system, [&] { return system.loadSolutionText(path, text, progress); }, chooser, progress);
}
