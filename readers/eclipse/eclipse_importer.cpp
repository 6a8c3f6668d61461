#include "readers/eclipse/eclipse_importer.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "readers/common/conversion_context.h"
#include "foreign/foreign_path.h"
#include "readers/common/project_mapper.h"
#include "foreign/solution_naming.h"
#include "readers/eclipse/eclipse_project_reader.h"
#include "readers/eclipse/eclipse_workspace.h"
#include "model/solution_model.h"
#include "support/path.h"

const MappingRules eclipseMappingRules = {};

ModelNode* importEclipseWorkspace(SolutionModel& model, ConversionContext& context,
                                       const QString& workspaceDirectory) {
  const bool directoryGiven = !workspaceDirectory.isEmpty();
  if (directoryGiven && !QFileInfo::exists(workspaceDirectory))
    throw ConversionError(QStringLiteral("directory ") + workspaceDirectory + QStringLiteral(" does not exist"));
  if (directoryGiven && !QFileInfo(workspaceDirectory).isDir())
    throw ConversionError(workspaceDirectory, QStringLiteral("not a directory"));
  // Absolute, as the other importers place their solutions: project directories
  // are written relative to it.
  const QString solutionDirectory =
      directoryGiven ? QFileInfo(workspaceDirectory).absoluteFilePath() : QDir::currentPath();
  const QString shownWorkspace = displayPath(directoryGiven ? workspaceDirectory : QStringLiteral("."));
  const QString name = solutionNameOf(eclipseSolutionName(workspaceDirectory), shownWorkspace);
  ModelNode* solution = model.newSolution(name, solutionDirectory);
  context.setWorkspaceDirectory(workspaceDirectory);
  ProjectMapper mapper(model, context, eclipseMappingRules, solution, shownWorkspace);

  const EclipseWorkspace workspace(context, workspaceDirectory);
  EclipseWorkspaceReading reading;
  int converted = 0;
  for (const EclipseProjectFile& file : workspace.projectFiles) {
    if (const std::optional<ProjectRecord> record = readEclipseProject(context, workspace, file, reading)) {
      mapper.addProject(*record);
      ++converted;
    }
  }
  // A ".project" without a ".cproject" is no C project and names none.
  mapper.finish(converted);
  return solution;
}
