#include "readers/iar/iar_workspace.h"

#include <QFileInfo>

#include "readers/common/conversion_context.h"
#include "support/diagnostics.h"
#include "foreign/solution_naming.h"
#include "foreign/foreign_files.h"
#include "support/path.h"

namespace {

const DocumentKind iarWorkspace{"workspace", "an IAR workspace"};
const DocumentKind iarProject{"project", "an IAR project"};

}  // namespace

IarWorkspace::IarWorkspace(ConversionContext& context, const QString& path)
    : path(path), directory(QFileInfo(path).path()) {
  const DomDocument document = loadForeignFile(context.inputFiles(), path, iarWorkspace);
  ListedProjectFiles listed;
  const ForeignPathResolver::Variables variables{{QStringLiteral("WS_DIR"), directory}};
  int entry = 0;
  for (const DomElement& element : descendantElements(document, QStringLiteral("project"))) {
    const DomElement pathElement = firstChildElement(element, QStringLiteral("path"));
    if (pathElement.isNull()) continue;
    ++entry;
    IarProject project;
    project.path = elementText(pathElement);
    if (project.path.isEmpty()) {
      throw ConversionError(displayPath(path), QStringLiteral("the path of project entry %1 is empty").arg(entry));
    }
    project.file = context.paths().resolve(project.path, directory, variables).path;
    if (!listed.isFirstListing(context.diagnostics(), project.file, displayPath(path))) continue;
    project.directory = QFileInfo(project.file).path();
    project.name = nameWithoutLastSuffix(project.file);
    // Only the content is kept: the documents of a large workspace would
    // otherwise all stay in memory until the end of the conversion.
    project.content = readIarProject(loadForeignFile(context.inputFiles(), project.file, iarProject, path));
    projects.push_back(std::move(project));
  }
}
