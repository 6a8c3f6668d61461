#include "readers/iar/iar_importer.h"

#include <QFileInfo>
#include <vector>

#include "readers/common/conversion_context.h"
#include "foreign/foreign_path.h"
#include "readers/common/project_mapper.h"
#include "foreign/solution_naming.h"
#include "readers/iar/iar_libraries.h"
#include "readers/iar/iar_project_record.h"
#include "readers/iar/iar_workspace.h"
#include "model/solution_model.h"
#include "support/path.h"

const MappingRules iarMappingRules = {};

ModelNode* importIarWorkspace(SolutionModel& model, ConversionContext& context,
                                   const QString& workspaceFile) {
  const QString name = solutionNameOf(nameWithoutLastSuffix(workspaceFile), displayPath(workspaceFile));
  ModelNode* solution = model.newSolution(name, absoluteDirectoryOf(workspaceFile));
  context.setWorkspaceDirectory(QFileInfo(workspaceFile).path());
  ProjectMapper mapper(model, context, iarMappingRules, solution, displayPath(workspaceFile));
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
