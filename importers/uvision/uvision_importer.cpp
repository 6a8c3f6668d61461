#include "importers/uvision/uvision_importer.h"

#include <QFileInfo>
#include <vector>

#include "importers/common/conversion_context.h"
#include "importers/common/workspace_paths.h"
#include "importers/uvision/uvision_model.h"
#include "importers/uvision/uvision_output_names.h"
#include "projectsystem/project_system.h"

namespace {

bool isLibraryPath(const QString& path) {
  return path.endsWith(QLatin1String(".lib")) || path.endsWith(QLatin1String(".a"));
}

// Adds the target's groups as folders under "Source Files"; returns the names of
// the libraries it links, which are dependencies rather than files.
QStringList addGroups(ProjectSystem& projectSystem, const ImportSettings& settings, ProjectElement* project,
                      const UvTarget& target) {
  ProjectElement* sourceFolder = projectSystem.findOrAddFolder(project, QStringLiteral("Source Files"), QString());
  QStringList libraries;
  for (const UvGroup& group : target.groups) {
    ProjectElement* groupFolder = projectSystem.findOrAddFolder(sourceFolder, group.name, QString());
    for (const UvFile& file : group.files) {
      if (isLibraryPath(file.path))
        libraries.append(nameWithoutLastSuffix(file.path));
      else if (!settings.excludesFile(file.name))
        projectSystem.addFile(groupFolder, file.path);
    }
  }
  return libraries;
}

// A converted project and the libraries its target links, matched to the projects
// that build them once every project of the workspace is read.
struct LinkingProject {
  ProjectElement* project;
  QStringList libraries;
};

// The projects that build the libraries, by the output names of the workspace's targets.
QString dependenciesOf(const UvOutputNames& outputNames, const QStringList& libraries) {
  QStringList dependencies;
  for (const QString& library : libraries) {
    if (const UvTarget* builder = outputNames.firstContaining(library)) dependencies.append(builder->project->name);
  }
  return dependencies.join(QLatin1Char(';'));
}

void setDependencies(ProjectSystem& projectSystem, const UvWorkspace& workspace,
                     const std::vector<LinkingProject>& linking) {
  if (linking.empty()) return;
  std::vector<const UvTarget*> targets;
  for (const auto& project : workspace.projects)
    for (const UvTarget& target : project->targets) targets.push_back(&target);
  const UvOutputNames outputNames(std::move(targets));
  for (const LinkingProject& entry : linking) {
    projectSystem.setConfigurationProperty(entry.project, QStringLiteral("project_dependencies"),
                                           QStringLiteral("Common"), dependenciesOf(outputNames, entry.libraries));
  }
}

void setIfNotEmpty(ProjectSystem& projectSystem, ProjectElement* project, const char* property,
                   const char* configuration, const QString& value) {
  if (!value.isEmpty())
    projectSystem.setConfigurationProperty(project, QLatin1String(property), QLatin1String(configuration), value);
}

// Returns the new project with the libraries its target links (see setDependencies).
LinkingProject importTarget(ProjectSystem& projectSystem, const ImportSettings& settings, ProjectElement* solution,
                            const UvTarget& target) {
  const UvProject& source = *target.project;
  const bool isLibrary = target.createExecutable == QLatin1String("0");
  ProjectElement* project = projectSystem.newProject(solution, source.name, source.directory, QString());
  projectSystem.setElementProperty(project, QStringLiteral("template_name"),
                                   isLibrary ? settings.libraryTemplate : settings.executableTemplate);
  setIfNotEmpty(projectSystem, project, "c_user_include_directories", "Debug", target.includePath);
  setIfNotEmpty(projectSystem, project, "c_user_include_directories", "Release", target.includePath);
  // Written ";"-separated, one definition each, as every list property is.
  setIfNotEmpty(projectSystem, project, "c_preprocessor_definitions", "Common", target.definitions.join(QLatin1Char(';')));
  setIfNotEmpty(projectSystem, project, "c_preprocessor_undefinitions", "Common",
                target.undefinitions.join(QLatin1Char(';')));
  setIfNotEmpty(projectSystem, project, "build_output_directory", "Common", target.outputDirectory);

  return {project, addGroups(projectSystem, settings, project, target)};
}

}  // namespace

ProjectElement* importUVisionWorkspace(ProjectSystem& projectSystem, ConversionContext& context,
                                       const QString& workspacePath) {
  ProjectElement* solution =
      projectSystem.newSolution(nameWithoutLastSuffix(workspacePath), absoluteDirectoryOf(workspacePath));
  context.beginWorkspace(QFileInfo(workspacePath).path());
  UvWorkspace workspace(workspacePath);
  std::vector<LinkingProject> linking;
  while (UvProject* project = workspace.readNextProject(context)) {
    for (const UvTarget& target : project->targets) {
      if (target.createExecutable.isEmpty()) continue;
      LinkingProject converted = importTarget(projectSystem, context.settings(), solution, target);
      if (!converted.libraries.isEmpty()) linking.push_back(std::move(converted));
    }
    project->releaseGroups();
  }
  setDependencies(projectSystem, workspace, linking);
  return solution;
}
