#include "importers/uvision_importer.h"

#include <QFileInfo>

#include "importers/directory_stack.h"
#include "importers/import_settings.h"
#include "importers/uvision_workspace.h"
#include "importers/workspace_paths.h"
#include "projectsystem/project_system.h"

namespace {

bool isLibraryPath(const QString& path) {
  return path.endsWith(QLatin1String(".lib")) || path.endsWith(QLatin1String(".a"));
}

// Adds the target's groups as folders under "Source Files"; returns the names of
// the libraries it links, which are dependencies rather than files.
QStringList addGroups(ProjectSystem& projectSystem, ProjectElement* project, const UvTarget& target) {
  ProjectElement* sourceFolder = projectSystem.findOrAddFolder(project, QStringLiteral("Source Files"), QString());
  QStringList libraries;
  for (const UvGroup& group : target.groups) {
    ProjectElement* groupFolder = projectSystem.findOrAddFolder(sourceFolder, group.name, QString());
    for (const UvFile& file : group.files) {
      if (isLibraryPath(file.path))
        libraries.append(nameWithoutLastSuffix(file.path));
      else if (!matchesFileFilter(file.name))
        projectSystem.addFile(groupFolder, file.path);
    }
  }
  return libraries;
}

// The projects that build the libraries, by the output names of the workspace's targets.
QString dependenciesOf(const UvWorkspace& workspace, const QStringList& libraries) {
  QStringList dependencies;
  for (const QString& library : libraries) {
    if (const UvTarget* builder = findTargetByOutputName(workspace, library))
      dependencies.append(nameWithoutLastSuffix(builder->project->path));
  }
  return dependencies.join(QLatin1Char(';'));
}

void setIfNotEmpty(ProjectSystem& projectSystem, ProjectElement* project, const char* property,
                   const char* configuration, const QString& value) {
  if (!value.isEmpty())
    projectSystem.setConfigurationProperty(project, QLatin1String(property), QLatin1String(configuration), value);
}

void importTarget(ProjectSystem& projectSystem, ProjectElement* solution, const UvTarget& target,
                  const QString& projectName, const QString& projectDirectory) {
  const ImportSettings& settings = importSettings();
  const bool isLibrary = target.createExecutable == QLatin1String("0");
  ProjectElement* project = projectSystem.newProject(solution, projectName, projectDirectory, QString());
  projectSystem.setElementProperty(project, QStringLiteral("template_name"),
                                   isLibrary ? settings.libraryTemplate : settings.executableTemplate);
  setIfNotEmpty(projectSystem, project, "c_user_include_directories", "Debug", target.cIncludePath);
  setIfNotEmpty(projectSystem, project, "c_user_include_directories", "Release", target.cIncludePath);
  setIfNotEmpty(projectSystem, project, "c_preprocessor_definitions", "Common", target.cDefine);
  setIfNotEmpty(projectSystem, project, "c_preprocessor_undefinitions", "Common", target.cUndefine);
  setIfNotEmpty(projectSystem, project, "build_output_directory", "Common", target.outputDirectory);

  const QStringList libraries = addGroups(projectSystem, project, target);
  if (!libraries.isEmpty()) {
    projectSystem.setConfigurationProperty(project, QStringLiteral("project_dependencies"),
                                           QStringLiteral("Common"), dependenciesOf(*target.project->workspace, libraries));
  }
}

}  // namespace

ProjectElement* importUVisionWorkspace(ProjectSystem& projectSystem, const QString& workspacePath) {
  const QString directory = absoluteDirectoryOf(workspacePath);
  ProjectElement* solution = projectSystem.newSolution(nameWithoutLastSuffix(workspacePath), directory);
  pushDirectory(directory);
  const UvWorkspace workspace(QFileInfo(workspacePath).fileName());
  for (const auto& project : workspace.projects) {
    const QString projectDirectory = QFileInfo(project->path).path();
    const QString projectName = nameWithoutLastSuffix(project->path);
    for (const UvTarget& target : project->targets) {
      if (!target.createExecutable.isEmpty()) importTarget(projectSystem, solution, target, projectName, projectDirectory);
    }
  }
  if (!directoryStack().isEmpty()) popDirectory();
  return solution;
}
