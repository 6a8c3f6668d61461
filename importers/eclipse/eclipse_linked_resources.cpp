#include "importers/eclipse/eclipse_linked_resources.h"

#include <QFileInfo>
#include <QStringList>

#include "importers/common/conversion_context.h"
#include "importers/common/foreign_path.h"
#include "importers/eclipse/directory_visits.h"
#include "importers/eclipse/eclipse_locations.h"
#include "importers/eclipse/eclipse_project_description.h"
#include "importers/eclipse/eclipse_source_tree.h"
#include "projectsystem/project_system.h"

namespace {

const QString folderType = QStringLiteral("2");

QString lastPathComponent(const QString& path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }

void leaveOut(ConversionContext& context, const LinkDestination& destination, const EclipseLink& link,
              const QString& why) {
  context.warn(destination.shownFile + QStringLiteral(": link ") + link.name + QStringLiteral(" left out: ") + why);
}

// The folder a linked folder appears as: its name's components below "Source Files".
ProjectElement* folderAlong(ProjectSystem& projectSystem, ProjectElement* folder, const QString& name) {
  for (const QString& component : name.split(QLatin1Char('/'), Qt::SkipEmptyParts))
    folder = projectSystem.findOrAddFolder(folder, component, QString());
  return folder;
}

void addLinkedFolder(ProjectSystem& projectSystem, ConversionContext& context, DirectoryVisits& visits,
                     const LinkDestination& destination, const EclipseLink& link, const QString& path) {
  const QString directory = joinPath(destination.projectDirectory, path);
  if (!QFileInfo(directory).isDir()) {
    leaveOut(context, destination, link, QStringLiteral("directory ") + path + QStringLiteral(" does not exist"));
    return;
  }
  ProjectElement* folder = folderAlong(projectSystem, destination.folder, link.name);
  // The project names this directory itself, so links inside it may stay within it.
  visits.allowRoot(directory);
  addSourceTree(projectSystem, context, visits, folder, directory, path);
}

}  // namespace

void addLinkedResources(ProjectSystem& projectSystem, ConversionContext& context, DirectoryVisits& visits,
                        const LinkDestination& destination, const EclipseProjectDescription& description,
                        const LinkLocationResolver& locations) {
  for (const EclipseLink& link : description.links) {
    if (link.location == QLatin1String("virtual:/virtual")) continue;
    QString path;
    QString problem;
    if (!link.hasLocation) {
      leaveOut(context, destination, link, QStringLiteral("it names no location"));
      continue;
    }
    if (!locations.resolve(link.location, link.isUri, path, problem)) {
      leaveOut(context, destination, link, problem);
      continue;
    }
    // Spelled as on disk where the link differs only in case (made on Windows).
    path = context.paths().respell(path, isAbsoluteForeignPath(path) ? QString() : destination.projectDirectory);
    if (link.type == folderType)
      addLinkedFolder(projectSystem, context, visits, destination, link, path);
    else if (!context.settings().excludesFile(lastPathComponent(path)))
      projectSystem.addFile(destination.folder, path);
  }
}
