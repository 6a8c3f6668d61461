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
ProjectLinks linksOf(ConversionContext& context, const LibraryBuilders& builders, const UVisionTarget& target) {
  ProjectLinks links;
  if (target.linkedLibraries.isEmpty()) return links;
  const ProjectRecord& record = target.record;
  links.dependencies = QStringList();
  for (const QString& library : target.linkedLibraries) {
    if (const std::optional<QString> builder = builders.builderOf(library))
      links.dependencies->append(*builder);
    else if (target.toolset == UVisionToolset::Gnu)
      links.linkedLibraryFiles.append(context.paths().respell(library, record.directory));
    else
      links.librariesNotLinked.append({QStringLiteral("library (built by no project of the workspace)"),
                                       library,
                                       {record.configurations.front().name},
                                       {},
                                       QStringLiteral("a solution links only libraries its projects build")});
  }
  return links;
}

}  // namespace

// Each target's project is written as soon as its file is read, and its sources
// dropped, so that a large workspace is never held whole; what it links waits
// until every file is read, since a library it links may be built by a project
// the workspace lists after it.
void readUVisionWorkspace(ConversionContext& context, const QString& workspaceFile, RecordSink& sink) {
  beginWorkspaceFileSolution(context, workspaceFile, sink);
  UVisionWorkspace workspace(context, workspaceFile);
  while (UVisionProject* project = workspace.readNextProject(context)) {
    if (!project->givesProjects())
      context.leaveOutProject(project->shownFile,
                              QStringLiteral("no target sets CreateExecutable; the file gives no project"));
    for (UVisionTarget& target : project->targets) {
      if (!target.buildsOutput) continue;
      target.started = sink.startProject(target.record);
      std::vector<SourceItem>().swap(target.record.sources);  // only the converted project needed them
    }
    context.paths().clearBeyond(listedNamesKeptAcrossProjects);  // and, when many, the directory listings
  }
  const std::vector<UVisionTarget*> targets = targetsOf(workspace);
  const LibraryBuilders builders = libraryBuildersOf(targets);
  for (const UVisionTarget* target : targets)
    if (target->buildsOutput) sink.completeProject(target->started, linksOf(context, builders, *target));
  sink.finish(qsizetype(workspace.projects.size()));
}
