#include "importers/uvision/uvision_importer.h"

#include <QFileInfo>
#include <vector>

#include "importers/common/conversion_context.h"
#include "importers/common/foreign_path.h"
#include "importers/common/project_mapper.h"
#include "importers/common/workspace_paths.h"
#include "importers/uvision/uvision_model.h"
#include "importers/uvision/uvision_output_names.h"
#include "projectsystem/project_system.h"

const MappingRules uvisionMappingRules = {
    .choosesConfigurationsByName = false,
    .appliesCommandLineSettings = false,
    .keepsIncludeDirectoriesPerConfiguration = true,
    .templateMayBeEmpty = true,
    .configurationWord = "target",
};

namespace {

// A converted project and the libraries its target links, matched to the projects
// that build them once every project of the workspace is read.
struct LinkingProject {
  ProjectElement* project;
  QStringList libraries;
};

// The projects that build the libraries, by the output names of the workspace's targets.
QStringList dependenciesOf(const UvOutputNames& outputNames, const QStringList& libraries) {
  QStringList dependencies;
  for (const QString& library : libraries) {
    if (const UvTarget* builder = outputNames.firstContaining(library)) dependencies.append(builder->project->name);
  }
  return dependencies;
}

void setDependencies(ProjectMapper& mapper, const UvWorkspace& workspace, const std::vector<LinkingProject>& linking) {
  if (linking.empty()) return;
  std::vector<const UvTarget*> targets;
  for (const auto& project : workspace.projects)
    for (const UvTarget& target : project->targets) targets.push_back(&target);
  const UvOutputNames outputNames(std::move(targets));
  for (const LinkingProject& entry : linking) mapper.setDependencies(entry.project, dependenciesOf(outputNames, entry.libraries));
}

}  // namespace

ProjectElement* importUVisionWorkspace(ProjectSystem& projectSystem, ConversionContext& context,
                                       const QString& workspacePath) {
  ProjectElement* solution =
      projectSystem.newSolution(nameWithoutLastSuffix(workspacePath), absoluteDirectoryOf(workspacePath));
  context.setWorkspaceDirectory(QFileInfo(workspacePath).path());
  ProjectMapper mapper(projectSystem, context, uvisionMappingRules, solution, displayPath(workspacePath));
  UvWorkspace workspace(workspacePath);
  std::vector<LinkingProject> linking;
  while (UvProject* project = workspace.readNextProject(context)) {
    for (UvTarget& target : project->targets) {
      if (!target.buildsOutput) continue;
      ProjectElement* converted = mapper.addProject(target.record);
      if (!target.linkedLibraries.isEmpty()) linking.push_back({converted, target.linkedLibraries});
      std::vector<SourceItem>().swap(target.record.sources);  // only the converted project needed them
    }
  }
  setDependencies(mapper, workspace, linking);
  mapper.finish();
  return solution;
}
