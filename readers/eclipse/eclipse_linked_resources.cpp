#include "readers/eclipse/eclipse_linked_resources.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "foreign/foreign_path.h"
#include "readers/common/conversion_context.h"
#include "readers/common/windows_path_anchor.h"
#include "readers/eclipse/directory_visits.h"
#include "readers/eclipse/eclipse_locations.h"
#include "readers/eclipse/eclipse_project_description.h"
#include "readers/eclipse/eclipse_resource_rules.h"
#include "readers/eclipse/eclipse_source_tree.h"

namespace {

const QString folderType = QStringLiteral("2");

QString lastPathComponent(const QString& path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }

void leaveOut(ConversionContext& context, const LinkDestination& destination, const EclipseLink& link,
              const QString& why) {
  context.warn(destination.shownFile, QStringLiteral("link ") + link.name + QStringLiteral(" left out: ") + why);
}

// The items of the folder a linked folder appears as: its name's components
// below "Source Files" (folders of the same name are merged when the project is
// written, so "Drivers/HAL" joins a "Drivers" folder the project already has).
// Each component is described by the project's rules; excluded gets the
// configurations that leave out the last one.
std::vector<SourceItem>& folderAlong(std::vector<SourceItem>& items, const QString& name, const ResourceRules* rules,
                                     QStringList& excluded) {
  std::vector<SourceItem>* folder = &items;
  QString path;
  for (const QString& component : name.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
    path = path.isEmpty() ? component : path + QLatin1Char('/') + component;
    folder->push_back(SourceItem::folder(component));
    if (rules) rules->describe(folder->back(), path, excluded);
    excluded += folder->back().excludedFrom;
    folder = &folder->back().items;
  }
  return *folder;
}

void addLinkedFolder(ConversionContext& context, DirectoryVisits& visits, const LinkDestination& destination,
                     const EclipseLink& link, const QString& path) {
  const QString directory = joinPath(destination.projectDirectory, path);
  if (!QFileInfo(directory).isDir()) {
    leaveOut(context, destination, link, QStringLiteral("directory ") + path + QStringLiteral(" does not exist"));
    return;
  }
  // Linked folders legitimately lead out of the workspace ("PARENT-2-PROJECT_LOC/SRC"),
  // but one that holds the workspace ("/", "PARENT-50-PROJECT_LOC", a bind
  // mount of "/") would list the workspace again and the whole disk around it.
  if (visits.holdsWorkspace(directory)) {
    const QString real = QFileInfo(directory).canonicalFilePath();
    leaveOut(context, destination, link,
             QStringLiteral("it leads to ") + real +
                 (visits.isFileSystemRoot(directory) ? QStringLiteral(", the root of the file system")
                                                     : QStringLiteral(", which holds the workspace")));
    return;
  }
  QStringList excluded;
  std::vector<SourceItem>& items = folderAlong(*destination.items, link.name, destination.rules, excluded);
  // The project names this directory itself, so links inside it may stay within it.
  visits.allowRoot(directory);
  if (!addSourceTree(context, visits, items, directory, path, {destination.rules, link.name, excluded}))
    context.warn(destination.shownFile, QStringLiteral("link ") + link.name + QLatin1Char(' ') + visits.budgetSpent());
}

void addLinkedFile(const LinkDestination& destination, const EclipseLink& link, const QString& path) {
  SourceItem file = SourceItem::file(lastPathComponent(path), path);
  if (destination.rules) destination.rules->describe(file, link.name, {});
  destination.items->push_back(std::move(file));
}

// A Windows path ("file:/F:/GD_Boards_Demo/..." from the variableList) is the
// tree on the machine that wrote the project: where a trailing part of it lies
// above the project, that is the tree here, named relative to the project.
PathOrProblem anchored(ConversionContext& context, const PathOrProblem& location, const LinkDestination& destination) {
  if (!location.usable() || !isWindowsAbsolutePath(location.path)) return location;
  const std::optional<AnchoredPath> found =
      anchorWindowsPath(context.paths(), location.path, destination.projectDirectory);
  if (!found) {
    return PathOrProblem::failure(QStringLiteral("its location ") + location.path +
                                  QStringLiteral(" is a Windows path no part of which lies above the project"));
  }
  const QString project =
      QFileInfo(destination.projectDirectory.isEmpty() ? QStringLiteral(".") : destination.projectDirectory)
          .absoluteFilePath();
  return {QDir(project).relativeFilePath(found->path), QString()};
}

}  // namespace

void addLinkedResources(ConversionContext& context, DirectoryVisits& visits, const LinkDestination& destination,
                        const EclipseProjectDescription& description, const LinkLocationResolver& locations) {
  for (const EclipseLink& link : description.links) {
    if (link.location == QLatin1String("virtual:/virtual")) continue;
    if (!link.hasLocation) {
      leaveOut(context, destination, link, QStringLiteral("it names no location"));
      continue;
    }
    const PathOrProblem location = anchored(context, locations.resolve(link.location, link.isUri), destination);
    if (!location.usable()) {
      leaveOut(context, destination, link, location.problem);
      continue;
    }
    // Spelled as on disk where the link differs only in case (made on Windows).
    const QString path = context.paths().respell(
        location.path, isAbsoluteForeignPath(location.path) ? QString() : destination.projectDirectory);
    if (link.type == folderType)
      addLinkedFolder(context, visits, destination, link, path);
    else
      addLinkedFile(destination, link, path);
  }
}
