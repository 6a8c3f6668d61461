#include "readers/uvision/uvision_importer.h"

#include <QFileInfo>
#include <QHash>
#include <vector>

#include "readers/common/conversion_context.h"
#include "foreign/foreign_path.h"
#include "readers/common/project_mapper.h"
#include "foreign/solution_naming.h"
#include "readers/uvision/uvision_model.h"
#include "readers/uvision/uvision_output_names.h"
#include "model/solution_model.h"
#include "support/path.h"

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
  ModelNode* project;
  const UvTarget* target;
};

/// The targets that build libraries, found by the libraries' names.
class LibraryBuilders {
 public:
  explicit LibraryBuilders(std::vector<const UvTarget*> targets) : containing_(targets) {
    for (const UvTarget* target : targets) {
      QString name = target->outputName;
      for (const char* extension : {".lib", ".a"})
        if (name.endsWith(QLatin1String(extension))) name.chop(qsizetype(qstrlen(extension)));
      if (!exactly_.contains(name)) exactly_.insert(name, target);
    }
  }

  // The first target whose output is the library, else (as the design has it)
  // the first whose output name contains its name: a project file whose
  // targets build "drv_debug" and "drv" links "drv.lib" to the second.
  const UvTarget* builderOf(const QString& library) const {
    const auto exact = exactly_.constFind(library);
    return exact != exactly_.cend() ? *exact : containing_.firstContaining(library);
  }

 private:
  UvOutputNames containing_;
  QHash<QString, const UvTarget*> exactly_;
};

/// How a target links the libraries of its groups.
struct LinkedLibraries {
  QStringList dependencies;
  QStringList files;
};

// The projects that build the libraries a target links, by the output names of
// the workspace's targets. A library that no project builds is linked as a
// file by the GNU tool set, as the solution's linker does; an ARM compiler's
// library is reported for the user to add.
LinkedLibraries linkedLibrariesOf(const LibraryBuilders& builders, const LinkingProject& linking,
                                  ConversionContext& context, ProjectMapper& mapper) {
  LinkedLibraries linked;
  const UvTarget& target = *linking.target;
  for (const QString& library : target.linkedLibraries) {
    if (const UvTarget* builder = builders.builderOf(nameWithoutLastSuffix(library)))
      linked.dependencies.append(builder->projectName);
    else if (target.toolset == UvToolset::Gnu)
      linked.files.append(context.paths().respell(library, target.record.directory));
    else
      mapper.notCarried(linking.project, {QStringLiteral("library (built by no project of the workspace)"), library,
                                          {target.record.configurations.front().name}, {},
                                          QStringLiteral("a solution links only libraries its projects build")});
  }
  return linked;
}

void linkLibraries(ProjectMapper& mapper, ConversionContext& context, const UvWorkspace& workspace,
                   const std::vector<LinkingProject>& linking) {
  if (linking.empty()) return;
  std::vector<const UvTarget*> targets;
  for (const auto& project : workspace.projects)
    for (const UvTarget& target : project->targets) targets.push_back(&target);
  const LibraryBuilders builders(std::move(targets));
  for (const LinkingProject& entry : linking) {
    const LinkedLibraries linked = linkedLibrariesOf(builders, entry, context, mapper);
    mapper.setDependencies(entry.project, linked.dependencies);
    mapper.addLinkerFiles(entry.project, linked.files);
  }
}

}  // namespace

ModelNode* importUVisionWorkspace(SolutionModel& model, ConversionContext& context,
                                       const QString& workspacePath) {
  const QString name = solutionNameOf(nameWithoutLastSuffix(workspacePath), displayPath(workspacePath));
  ModelNode* solution = model.newSolution(name, absoluteDirectoryOf(workspacePath));
  context.setWorkspaceDirectory(QFileInfo(workspacePath).path());
  ProjectMapper mapper(model, context, uvisionMappingRules, solution, displayPath(workspacePath));
  UvWorkspace workspace(context, workspacePath);
  std::vector<LinkingProject> linking;
  while (UvProject* project = workspace.readNextProject(context)) {
    if (!project->givesProjects()) {
      context.leaveOutProject(project->shownFile,
                              QStringLiteral("no target sets CreateExecutable; the file gives no project"));
    }
    for (UvTarget& target : project->targets) {
      if (!target.buildsOutput) continue;
      ModelNode* converted = mapper.addProject(target.record);
      if (converted && !target.linkedLibraries.isEmpty()) linking.push_back({converted, &target});
      std::vector<SourceItem>().swap(target.record.sources);  // only the converted project needed them
    }
  }
  linkLibraries(mapper, context, workspace, linking);
  mapper.finish(qsizetype(workspace.projects.size()));
  return solution;
}
