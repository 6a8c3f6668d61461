#include "importers/eclipse/eclipse_workspace.h"

#include <QDir>
#include <QFileInfo>

#include "importers/common/conversion_context.h"
#include "importers/common/foreign_path.h"
#include "importers/common/xml_loading.h"
#include "importers/eclipse/directory_visits.h"
#include "importers/eclipse/eclipse_source_tree.h"

namespace {

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
      file.description = readProjectDescription(loadXmlDocument(fileSystemPath(path)));
      if (!projectDirectories_.contains(file.description.name))
        projectDirectories_.insert(file.description.name, file.relativeDirectory);
    } catch (const ConversionError& failure) {
      file.failure = failure;
    }
    projectFiles.push_back(std::move(file));
  }
}

QString EclipseWorkspace::fileSystemPath(const QString& path) const { return joinPath(directory, path); }

QString eclipseSolutionName(const QString& workspaceDirectory) {
  if (workspaceDirectory.isEmpty()) return QStringLiteral("project");
  const QString last = workspaceDirectory.mid(workspaceDirectory.lastIndexOf(QLatin1Char('/')) + 1);
  if (!last.isEmpty() && last != QLatin1String(".") && last != QLatin1String("..")) return last;
  const QString name = QFileInfo(QDir::cleanPath(QFileInfo(workspaceDirectory).absoluteFilePath())).fileName();
  return name.isEmpty() ? QStringLiteral("project") : name;  // the root directory has no name
}
