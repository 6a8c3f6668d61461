#include "readers/iar/iar_workspace.h"

#include <QFileInfo>

#include "foreign/foreign_files.h"
#include "foreign/foreign_path.h"
#include "foreign/solution_naming.h"
#include "readers/common/conversion_context.h"
#include "readers/common/file_suffix.h"
#include "readers/iar/iar_connection.h"
#include "readers/iar/iar_paths.h"
#include "support/diagnostics.h"
#include "support/path.h"

namespace {

const DocumentKind iarWorkspace{"workspace", "an IAR workspace"};
const DocumentKind iarProject{"project", "an IAR project"};
const DocumentKind iarConnection{"iarProjectConnection", "an IAR project connection file"};

// The project connection files a project lists join it, as Embedded Workbench
// joins them when it opens the project. One that cannot be read is named.
void addConnections(ConversionContext& context, const IarWorkspace& workspace, IarProject& project) {
  IarPathConverter paths(context.paths(), project.directory, workspace.directory, &workspace.argumentVariables);
  const size_t listed = project.content.files.size();  // not those the connections add
  for (size_t i = 0; i < listed; ++i) {
    if (!hasFileSuffix(project.content.files[i].name, QLatin1StringView(".ipcf"))) continue;
    const IarFile file = project.content.files[i];  // a copy: the connection adds files
    const std::optional<QString> relative = paths.projectRelative(file.decodedName());
    if (!relative) continue;  // its variable is reported with the project's paths
    const QString path = joinPath(project.directory, *relative);
    try {
      const ForeignDocument document = loadForeignFile(context.inputFiles(), path, iarConnection, project.file);
      const QString directory = QFileInfo(*relative).path();
      addIarConnection(project.content, readIarConnection(document, nameWithoutLastSuffix(path)), file.group,
                       directory == QLatin1String(".") ? QString() : directory);
    } catch (const UnreadableFile& failure) {
      context.warn(failure.file(), failure.message() + QStringLiteral("; what it adds to project ") + project.name +
                                       QStringLiteral(" is not carried"));
    }
  }
}

// A project named by an argument variable ("$MSPM0_SDK_INSTALL_DIR$\examples\...")
// is where the variable leads; one whose variable nothing defines is left out.
QString projectFile(ConversionContext& context, const IarWorkspace& workspace, const QString& text,
                    const ForeignPathResolver::Variables& variables) {
  const QString name = findIarVariable(text).start == 0 ? findIarVariable(text).name.toString() : QString();
  if (name.isEmpty() || variables.contains(name))
    return context.paths().resolve(text, workspace.directory, variables).path;
  IarPathConverter paths(context.paths(), workspace.directory, workspace.directory, &workspace.argumentVariables);
  if (const std::optional<QString> file = paths.projectRelative(text)) return joinPath(workspace.directory, *file);
  const auto& leftOut = paths.leftOutVariables();
  const QString why = leftOut.empty() ? QStringLiteral("it lies in the Embedded Workbench installation")
                                      : leftOut.front().variable + QStringLiteral(": ") + leftOut.front().why;
  context.leaveOutProject(
      displayPath(workspace.path),
      QStringLiteral("project ") + nameWithoutLastSuffix(toForwardSlashes(text)) + QStringLiteral(" left out: ") + why);
  return QString();
}

}  // namespace

IarWorkspace::IarWorkspace(ConversionContext& context, const QString& workspaceFile)
    : path(workspaceFile), directory(QFileInfo(workspaceFile).path()) {
  const ForeignDocument document = loadForeignFile(context.inputFiles(), path, iarWorkspace);
  argumentVariables = IarArgumentVariables(context, path);
  ListedProjectFiles listed;
  const ForeignPathResolver::Variables variables{{QStringLiteral("WS_DIR"), directory}};
  int entry = 0;
  for (const ForeignElement& element : descendantsNamed(document, QStringLiteral("project"))) {
    const ForeignElement pathElement = childNamed(element, QStringLiteral("path"));
    if (pathElement.isNull()) continue;
    ++entry;
    IarProject project;
    project.path = elementText(pathElement);
    if (project.path.isEmpty()) {
      throw ConversionError(displayPath(path), QStringLiteral("the path of project entry %1 is empty").arg(entry));
    }
    project.file = projectFile(context, *this, project.path, variables);
    if (project.file.isEmpty()) continue;
    if (!listed.isFirstListing(context.diagnostics(), project.file, displayPath(path))) continue;
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
    addConnections(context, *this, project);
    projects.push_back(std::move(project));
  }
}
