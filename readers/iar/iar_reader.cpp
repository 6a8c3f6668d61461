#include "readers/iar/iar_reader.h"

#include "foreign/foreign_path.h"
#include "readers/common/conversion_context.h"
#include "readers/common/library_builders.h"
#include "readers/iar/iar_project_record.h"
#include "readers/iar/iar_workspace.h"

const MappingRules iarMappingRules = {};

void readIarWorkspace(ConversionContext& context, const QString& workspaceFile, RecordSink& sink) {
  beginWorkspaceFileSolution(context, workspaceFile, sink);
  IarWorkspace workspace(context, workspaceFile);
  const LibraryBuilders builders = iarLibraryBuilders(workspace);
  for (size_t index = 0; index < workspace.projects.size(); ++index) {
    const std::optional<ProjectRecord> record = readProjectRecord(context, workspace, builders, qsizetype(index));
    workspace.projects[index].content.releaseSources();          // only the record needed them
    context.paths().clearBeyond(listedNamesKeptAcrossProjects);  // and, when many, the directory listings
    if (record) sink.addProject(*record);
  }
  sink.finish(qsizetype(workspace.projects.size()));
}
