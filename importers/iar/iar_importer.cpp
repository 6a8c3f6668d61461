#include "importers/iar/iar_importer.h"

#include <QFileInfo>
#include <vector>

#include "importers/common/conversion_context.h"
#include "importers/common/foreign_path.h"
#include "importers/common/project_mapper.h"
#include "importers/common/workspace_paths.h"
#include "importers/iar/iar_libraries.h"
#include "importers/iar/iar_project_record.h"
#include "importers/iar/iar_workspace.h"
#include "projectsystem/project_system.h"
#include "support/path.h"

const MappingRules iarMappingRules = {};

ProjectElement* importIarWorkspace(ProjectSystem& projectSystem, ConversionContext& context,
                                   const QString& workspaceFile) {
  const QString name = solutionNameOf(nameWithoutLastSuffix(workspaceFile), displayPath(workspaceFile));
  ProjectElement* solution = projectSystem.newSolution(name, absoluteDirectoryOf(workspaceFile));
  context.setWorkspaceDirectory(QFileInfo(workspaceFile).path());
  ProjectMapper mapper(projectSystem, context, iarMappingRules, solution, displayPath(workspaceFile));
  IarWorkspace workspace(context, workspaceFile);
  const IarLibraryBuilders builders(workspace);
  for (IarProject& project : workspace.projects) {
    const std::optional<ProjectRecord> record = readProjectRecord(context, workspace, builders, project);
    project.content.releaseSources();  // only the record needed them
    if (record) mapper.addProject(*record);
  }
  mapper.finish(qsizetype(workspace.projects.size()));
  return solution;
}
