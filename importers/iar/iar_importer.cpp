#include "importers/iar/iar_importer.h"

#include <QFileInfo>

#include "importers/common/conversion_context.h"
#include "importers/common/workspace_paths.h"
#include "importers/iar/iar_workspace.h"
#include "projectsystem/project_system.h"

ProjectElement* importIarWorkspace(ProjectSystem& projectSystem, ConversionContext& context,
                                   const QString& workspaceFile) {
  ProjectElement* solution =
      projectSystem.newSolution(nameWithoutLastSuffix(workspaceFile), absoluteDirectoryOf(workspaceFile));
  context.beginWorkspace(QFileInfo(workspaceFile).path());
  const IarWorkspace workspace(context, workspaceFile);
  // The projects are read so that a file that cannot be read or parsed is
  // reported; their content is not converted into the solution.
  return solution;
}
