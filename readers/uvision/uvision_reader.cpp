#include "readers/uvision/uvision_reader.h"

#include <vector>

#include "foreign/foreign_path.h"
#include "readers/common/conversion_context.h"
#include "readers/common/library_builders.h"
#include "readers/uvision/uvision_model.h"

const MappingRules uvisionMappingRules = {
    .choosesConfigurationsByName = false,
    .appliesCommandLineSettings = false,
    .keepsIncludeDirectoriesPerConfiguration = true,
    .templateMayBeEmpty = true,
    .configurationWord = "target",
};

namespace {

// Every target of the workspace, in workspace order (projects, then their targets).
std::vector<UVisionTarget*> targetsOf(UVisionWorkspace& workspace) {
  std::vector<UVisionTarget*> targets;
  for (const auto& project : workspace.projects)
    for (UVisionTarget& target : project->targets) targets.push_back(&target);
  return targets;
}

// The targets that build libraries, found by the libraries' names: the output
// name, which some files write with the library's extension ("drivers.lib").
LibraryBuilders libraryBuildersOf(const std::vector<UVisionTarget*>& targets) {
  LibraryBuilders builders(LibraryBuilders::Matching::ExactThenContaining);
  for (size_t index = 0; index < targets.size(); ++index)
    builders.add(withoutLibrarySuffix(targets[index]->outputName), qsizetype(index), targets[index]->projectName);
  return builders;
}

// A library that a project of the workspace builds is a dependency on it. One that
// no project builds is linked as a file by the GNU tool set, as the solution's
// linker does; an ARM compiler's library is reported for the user to add.
void linkLibraries(ConversionContext& context, const LibraryBuilders& builders, UVisionTarget& target) {
  ProjectRecord& record = target.record;
  record.dependencies = QStringList();
  for (const QString& library : target.linkedLibraries) {
    if (const std::optional<QString> builder = builders.builderOf(library))
      record.dependencies->append(*builder);
    else if (target.toolset == UVisionToolset::Gnu)
      record.linkedLibraryFiles.append(context.paths().respell(library, record.directory));
    else
      record.librariesNotLinked.append({QStringLiteral("library (built by no project of the workspace)"),
                                        library,
                                        {record.configurations.front().name},
                                        {},
                                        QStringLiteral("a solution links only libraries its projects build")});
  }
}

}  // namespace

// Every project file is read before any record is handed on: the libraries a
// target links may be built by a project the workspace lists after it.
void readUVisionWorkspace(ConversionContext& context, const QString& workspaceFile, RecordSink& sink) {
  beginWorkspaceFileSolution(context, workspaceFile, sink);
  UVisionWorkspace workspace(context, workspaceFile);
  while (const UVisionProject* project = workspace.readNextProject(context)) {
    if (!project->givesProjects())
      context.leaveOutProject(project->shownFile,
                              QStringLiteral("no target sets CreateExecutable; the file gives no project"));
  }
  const std::vector<UVisionTarget*> targets = targetsOf(workspace);
  const LibraryBuilders builders = libraryBuildersOf(targets);
  for (UVisionTarget* target : targets) {
    if (!target->buildsOutput) continue;
    if (!target->linkedLibraries.isEmpty()) linkLibraries(context, builders, *target);
    sink.addProject(target->record);
    std::vector<SourceItem>().swap(target->record.sources);  // only the converted project needed them
  }
  sink.finish(qsizetype(workspace.projects.size()));
}
