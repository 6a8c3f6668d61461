// Dynamic folders: folders with a "path" whose files are read from the disk.

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "projectsystem/model_names.h"
#include "projectsystem/project_system.h"
#include "projectsystem/wildcard.h"

using namespace model_names;

namespace {

const QChar separator = QLatin1Char('/');

// What one population reads: the same for the folder and all its subfolders.
struct DynamicFolderScan {
  ProjectSystem& system;
  QStringList nameFilters;
  std::vector<WildcardPattern> excludes;
  bool recurse = false;
  // Canonical directories on the current recursion path: a symbolic link back to
  // one of them would recurse for ever, so it is passed over. The same directory
  // reached through two different, non-cyclic paths is still listed under both.
  QSet<QString> activeDirectories;
};

// Wildcards separated by ";" or, when there is no ";", by spaces; "*.*" when empty.
QStringList nameFiltersOf(const QString& filter) {
  const QChar filterSeparator = filter.contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(' ');
  QStringList filters = filter.split(filterSeparator, Qt::SkipEmptyParts);
  if (filters.isEmpty()) filters.append(QStringLiteral("*.*"));
  return filters;
}

std::vector<WildcardPattern> excludePatternsOf(const QString& exclude) {
  std::vector<WildcardPattern> patterns;
  for (const QString& pattern : exclude.split(QLatin1Char(';'), Qt::SkipEmptyParts)) patterns.emplace_back(pattern);
  return patterns;
}

bool isExcluded(const DynamicFolderScan& scan, const QString& name) {
  for (const WildcardPattern& pattern : scan.excludes)
    if (pattern.matches(name)) return true;
  return false;
}

// Listing order is by name ignoring case. Hidden entries are not listed, and the
// name filters match ignoring case, as the directory listing does by default.
constexpr QDir::SortFlags listingOrder = QDir::Name | QDir::IgnoreCase;

void populate(DynamicFolderScan& scan, ProjectElement* folder, const QString& directory, const QString& prefix) {
  const QDir listed(directory);
  if (!listed.exists()) return;
  const QString canonical = QFileInfo(directory).canonicalFilePath();
  if (scan.activeDirectories.contains(canonical)) return;
  scan.activeDirectories.insert(canonical);
  for (const QFileInfo& file : listed.entryInfoList(scan.nameFilters, QDir::Files, listingOrder))
    if (!isExcluded(scan, file.fileName())) scan.system.addFile(folder, prefix + separator + file.fileName());
  if (scan.recurse) {
    for (const QFileInfo& subdirectory : listed.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, listingOrder)) {
      const QString name = subdirectory.fileName();
      if (isExcluded(scan, name)) continue;
      ProjectElement* subfolder = scan.system.findOrAddFolder(folder, name, QString());
      const QString subprefix = prefix + separator + name;
      subfolder->setProperty(pathProperty, subprefix);
      populate(scan, subfolder, directory + separator + name, subprefix);
    }
  }
  scan.activeDirectories.remove(canonical);
}

}  // namespace

void ProjectSystem::populateDynamicFolder(ProjectElement* folder) {
  if (!folder || !folder->hasProperty(pathProperty)) return;
  const QString prefix = folder->property(pathProperty);
  QString directory = expandGlobal(prefix);
  if (QDir::isRelativePath(directory)) {
    // Outside any project a relative path is based on the owning solution's directory.
    QString base;
    if (const ProjectElement* project = folder->project()) {
      project->resolveLocation(commonConfiguration);
      base = project->directory();
    } else if (const ProjectElement* solution = folder->owningSolution()) {
      base = solution->directory();
    } else {
      base = solutionDirectory();
    }
    if (!base.isEmpty()) directory = base + separator + directory;
  }
  DynamicFolderScan scan{*this, nameFiltersOf(folder->property(filterProperty)),
                         excludePatternsOf(folder->property(excludeProperty)),
                         folder->property(recurseProperty) == QLatin1String("Yes"), {}};
  populate(scan, folder, directory, prefix);
}

void ProjectSystem::makeDynamicFolder(ProjectElement* folder, const QString& path, const QString& filter,
                                      bool recurse, const QString& exclude) {
  if (!folder) return;
  folder->setProperty(pathProperty, path);
  folder->setProperty(filterProperty, filter);
  folder->setProperty(recurseProperty, recurse ? QStringLiteral("Yes") : QStringLiteral("No"));
  folder->setProperty(excludeProperty, exclude);
  std::vector<ProjectElement*> contents;
  for (ProjectElement* child : folder->children())
    if (child->kind() != ProjectElement::Configuration) contents.push_back(child);
  for (ProjectElement* child : contents) deleteElement(child);
  populateDynamicFolder(folder);
}
