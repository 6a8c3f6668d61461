#include "importers/iar/iar_workspace.h"

#include <QFileInfo>

#include "importers/common/conversion_context.h"
#include "importers/common/diagnostics.h"
#include "importers/common/workspace_paths.h"
#include "importers/common/xml_loading.h"

namespace {

const DocumentKind iarWorkspace{"workspace", "an IAR workspace"};
const DocumentKind iarProject{"project", "an IAR project"};

}  // namespace

IarWorkspace::IarWorkspace(ConversionContext& context, const QString& path)
    : path(path), directory(QFileInfo(path).path()) {
  const DomDocument document = loadForeignFile(context.inputFiles(), path, iarWorkspace);
  argumentVariables = IarArgumentVariables(context, path);
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
    if (!listed.isFirstListing(context, project.file, displayPath(path))) continue;
    project.directory = QFileInfo(project.file).path();
    project.name = nameWithoutLastSuffix(project.file);
    // Only the content is kept: the documents of a large workspace would
    // otherwise all stay in memory until the end of the conversion.
    try {
      project.content = readIarProject(loadForeignFile(context.inputFiles(), project.file, iarProject, path));
    } catch (const UnreadableFile& failure) {
      context.leaveOutProject(failure.file(), QStringLiteral("project ") + project.name +
                                                  QStringLiteral(" left out: ") + failure.message());
      continue;
    }
    projects.push_back(std::move(project));
  }
}
