#include "readers/eclipse/eclipse_workspace.h"

#include <QDir>
#include <QFileInfo>

#include "foreign/foreign_files.h"
#include "foreign/foreign_path.h"
#include "readers/common/conversion_context.h"
#include "readers/eclipse/directory_visits.h"
#include "readers/eclipse/eclipse_source_tree.h"

namespace {

const DocumentKind eclipseProject{"projectDescription", "an Eclipse project"};

// The way from a project directory up to the workspace directory: "../.." for "a/b".
QString upToWorkspace(const QString& relativeDirectory) {
  QStringList steps;
  for (qsizetype step = relativeDirectory.split(QLatin1Char('/'), Qt::SkipEmptyParts).size(); step > 0; --step)
    steps.append(QStringLiteral(".."));
  return steps.join(QLatin1Char('/'));
}

// "./a/b" as "a/b", "." as "".
QString withoutDotPrefix(const QString& directory) {
  if (directory == QLatin1String(".")) return QString();
  return directory.startsWith(QLatin1String("./")) ? directory.mid(2) : directory;
}

}  // namespace

EclipseWorkspace::EclipseWorkspace(ConversionContext& context, const QString& workspaceDirectory)
    : directory(workspaceDirectory.isEmpty() ? QStringLiteral(".") : workspaceDirectory) {
  QStringList paths;
  DirectoryVisits visits(context, directory, &listings_);
  findFiles(context, visits, directory, QStringLiteral("."), QByteArrayLiteral(".project"), paths);
  listings_.setFilling(false);
  for (const QString& path : paths) {
    EclipseProjectFile file;
    file.path = path;
    file.directory = path.left(path.lastIndexOf(QLatin1Char('/')));
    file.relativeDirectory = withoutDotPrefix(file.directory);
    try {
      file.description =
          readProjectDescription(loadForeignFile(context.inputFiles(), fileSystemPath(path), eclipseProject));
      file.locations = LinkLocationResolver(upToWorkspace(file.relativeDirectory), file.description.pathVariables,
                                            &context.addedCharacters());
      if (!projectDirectories_.contains(file.description.name)) {
        projectDirectories_.insert(file.description.name, file.relativeDirectory);
        projectsByName_.insert(file.description.name, qsizetype(projectFiles.size()));
      }
    } catch (const UnreadableFile& failure) {
      file.failure = failure;
    }
    projectFiles.push_back(std::move(file));
  }
}

std::optional<PathOrProblem> EclipseWorkspace::linkedLocation(const QString& project,
                                                              const QString& resourcePath) const {
  const auto index = projectsByName_.constFind(project);
  if (index == projectsByName_.constEnd() || resourcePath.isEmpty()) return std::nullopt;
  const EclipseProjectFile& file = projectFiles[size_t(*index)];
  const EclipseLink* holder = nullptr;
  for (const EclipseLink& link : file.description.links) {
    const bool holds = resourcePath == link.name ||
                       (resourcePath.startsWith(link.name) && resourcePath[link.name.size()] == QLatin1Char('/'));
    if (holds && !link.name.isEmpty() && (!holder || link.name.size() > holder->name.size())) holder = &link;
  }
  if (!holder) return std::nullopt;
  if (holder->location == QLatin1String("virtual:/virtual"))
    return PathOrProblem::failure(QStringLiteral("it lies in the virtual folder ") + holder->name);
  if (!holder->hasLocation)
    return PathOrProblem::failure(QStringLiteral("link ") + holder->name + QStringLiteral(" names no location"));
  const PathOrProblem location = file.locations.resolve(holder->location, holder->isUri);
  if (!location.usable()) return location;
  const QString below = resourcePath.mid(holder->name.size() + 1);
  const QString path = below.isEmpty() ? location.path : joinPath(location.path, below);
  if (isAbsoluteForeignPath(path)) return PathOrProblem{path, QString()};
  return PathOrProblem{QDir::cleanPath(joinPath(file.relativeDirectory, path)), QString()};
}

QString EclipseWorkspace::fileSystemPath(const QString& path) const { return joinPath(directory, path); }

QString eclipseSolutionName(const QString& workspaceDirectory) {
  if (workspaceDirectory.isEmpty()) return QStringLiteral("project");
  const QString last = workspaceDirectory.mid(workspaceDirectory.lastIndexOf(QLatin1Char('/')) + 1);
  if (!last.isEmpty() && last != QLatin1String(".") && last != QLatin1String("..")) return last;
  const QString name = QFileInfo(QDir::cleanPath(QFileInfo(workspaceDirectory).absoluteFilePath())).fileName();
  return name.isEmpty() ? QStringLiteral("project") : name;  // the root directory has no name
}
