#include "solution/dynamic_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <vector>

#include "model/model_names.h"
#include "model/solution_model.h"
#include "support/diagnostics.h"
#include "support/directory_listing.h"
#include "support/wildcard.h"

using namespace model_names;

namespace {

const QChar separator = QLatin1Char('/');

// What one population reads: the same for the folder and all its subfolders.
struct DynamicFolderScan {
  SolutionModel& model;
  Diagnostics& diagnostics;
  std::vector<WildcardPattern> nameFilters;
  std::vector<WildcardPattern> excludes;
  bool recurse = false;
  // The canonical directory the folder names: a symbolic link is followed only to a
  // directory inside it, so a link to "/" cannot make the scan walk the disk.
  QString root;
  // The directories already listed, by device and inode: each is listed once per
  // population, however many links lead to it, so links that loop or multiply cannot
  // make the scan endless or its result exponential.
  QSet<FileIdentity> listedDirectories;
};

// Wildcards separated by ";" or, when there is no ";", by spaces; "*.*" when empty.
// They match names ignoring case, as the IDE's directory listing does.
std::vector<WildcardPattern> nameFiltersOf(const QString& filter) {
  const QChar filterSeparator = filter.contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(' ');
  QStringList filters = filter.split(filterSeparator, Qt::SkipEmptyParts);
  if (filters.isEmpty()) filters.append(QStringLiteral("*.*"));
  std::vector<WildcardPattern> patterns;
  for (const QString& pattern : filters) patterns.emplace_back(pattern, Qt::CaseInsensitive);
  return patterns;
}

std::vector<WildcardPattern> excludePatternsOf(const QString& exclude) {
  std::vector<WildcardPattern> patterns;
  for (const QString& pattern : exclude.split(QLatin1Char(';'), Qt::SkipEmptyParts)) patterns.emplace_back(pattern);
  return patterns;
}

bool matchesAny(const std::vector<WildcardPattern>& patterns, const QString& name) {
  for (const WildcardPattern& pattern : patterns)
    if (pattern.matches(name)) return true;
  return false;
}

bool isInside(const QString& directory, const QString& root) {
  return directory == root || directory.startsWith(root.endsWith(separator) ? root : root + separator);
}

// Whether the scan enters a subdirectory: not a second time, and through a link only
// when it stays inside the folder's directory (with a warning when it does not).
bool entersDirectory(DynamicFolderScan& scan, const QString& path, const DirectoryEntry& entry) {
  if (scan.listedDirectories.contains(FileIdentity(entry.device, entry.inode))) return false;
  if (!entry.isSymbolicLink) return true;
  const QString canonical = QFileInfo(path).canonicalFilePath();
  if (canonical.isEmpty() || isInside(canonical, scan.root)) return !canonical.isEmpty();
  scan.diagnostics.warn(path, QStringLiteral("link to a directory outside %1 not followed").arg(scan.root));
  return false;
}

// Files and subdirectories in listing order (by name, ignoring case); hidden entries
// are not listed, as the IDE's directory listing does not list them.
void populate(DynamicFolderScan& scan, ModelNode* folder, const QString& directory, const QString& prefix) {
  const Directory listed(directory);
  if (!listed.isOpen()) return;
  scan.listedDirectories.insert(FileIdentity(listed.device(), listed.inode()));
  std::vector<DirectoryEntry> entries = listed.entries([](QByteArrayView name, DirectoryEntry::Type) {
    return !name.startsWith('.');
  });
  for (const DirectoryEntry& entry : entries)
    if (entry.isFile() && matchesAny(scan.nameFilters, entry.name) && !matchesAny(scan.excludes, entry.name))
      scan.model.addFile(folder, prefix + separator + entry.name);
  if (!scan.recurse) return;
  for (const DirectoryEntry& entry : entries) {
    const QString path = directory + separator + entry.name;
    if (!entry.isDirectory() || matchesAny(scan.excludes, entry.name) || !entersDirectory(scan, path, entry)) continue;
    ModelNode* subfolder = scan.model.findOrAddFolder(folder, entry.name, QString());
    const QString subprefix = prefix + separator + entry.name;
    subfolder->setProperty(pathProperty, subprefix);
    populate(scan, subfolder, path, subprefix);
  }
}

}  // namespace

void populateDynamicFolder(SolutionModel& model, ModelNode* folder, Diagnostics& diagnostics) {
  if (!folder || !folder->hasProperty(pathProperty)) return;
  const QString prefix = folder->property(pathProperty);
  const MacroResolver& macros = model.macros();
  QString directory = macros.expandGlobal(prefix);
  if (QDir::isRelativePath(directory)) {
    // Outside any project a relative path is based on the owning solution's directory.
    const ModelNode* project = folder->project();
    const QString base = project ? macros.projectDirectory(*project) : MacroResolver::solutionDirectory(*folder);
    if (!base.isEmpty()) directory = base + separator + directory;
  }
  DynamicFolderScan scan{model, diagnostics, nameFiltersOf(folder->property(filterProperty)),
                         excludePatternsOf(folder->property(excludeProperty)),
                         folder->property(recurseProperty) == QLatin1String("Yes"),
                         QFileInfo(directory).canonicalFilePath(), {}};
  populate(scan, folder, directory, prefix);
}
