#include "readers/eclipse/eclipse_reader.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "foreign/solution_naming.h"
#include "readers/common/conversion_context.h"
#include "readers/eclipse/eclipse_project_reader.h"
#include "readers/eclipse/eclipse_workspace.h"
#include "support/path.h"

const MappingRules eclipseMappingRules = {};

void readEclipseWorkspace(ConversionContext& context, const QString& workspaceDirectory, RecordSink& sink) {
  const bool directoryGiven = !workspaceDirectory.isEmpty();
  if (directoryGiven && !QFileInfo::exists(workspaceDirectory))
    throw ConversionError(QStringLiteral("directory ") + workspaceDirectory + QStringLiteral(" does not exist"));
  if (directoryGiven && !QFileInfo(workspaceDirectory).isDir())
    throw ConversionError(workspaceDirectory, QStringLiteral("not a directory"));
  // Absolute, as the other readers place their solutions: project directories
  // are written relative to it.
  const QString solutionDirectory =
      directoryGiven ? QFileInfo(workspaceDirectory).absoluteFilePath() : QDir::currentPath();
  const QString shownWorkspace = displayPath(directoryGiven ? workspaceDirectory : QStringLiteral("."));
  const QString name = solutionNameOf(eclipseSolutionName(workspaceDirectory), shownWorkspace);
  sink.beginSolution(name, solutionDirectory, shownWorkspace);
  context.setWorkspaceDirectory(workspaceDirectory);

  const EclipseWorkspace workspace(context, workspaceDirectory);
  EclipseWorkspaceReading reading;
  int converted = 0;
  for (const EclipseProjectFile& file : workspace.projectFiles) {
    if (const std::optional<ProjectRecord> record = readEclipseProject(context, workspace, file, reading)) {
      sink.addProject(*record);
      ++converted;
    }
  }
  // A ".project" without a ".cproject" is no C project and names none.
  sink.finish(converted);
}
