#include "importers/iar_importer.h"

#include "importers/workspace_paths.h"
#include "importers/xml_loading.h"
#include "projectsystem/project_system.h"

ProjectElement* importIarWorkspace(ProjectSystem& projectSystem, const QString& workspaceFile) {
  ProjectElement* solution =
      projectSystem.newSolution(nameWithoutLastSuffix(workspaceFile), absoluteDirectoryOf(workspaceFile));
  const DomDocument workspace = loadXmlDocument(workspaceFile);
  // Project paths are only checked for being readable XML. "$WS_DIR$" becomes "."
  // and the path is then taken as written, relative to the working directory.
  for (const DomElement& project : descendantElements(workspace, QStringLiteral("project"))) {
    QString path = childElementText(project, QStringLiteral("path"));
    path.replace(QStringLiteral("$WS_DIR$"), QStringLiteral("."));
    loadXmlDocument(path);
  }
  return solution;
}
