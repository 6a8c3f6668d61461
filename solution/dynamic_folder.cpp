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

// A path below directory; "/" and "lib/" take no second separator.
QString below(const QString& directory, const QString& name) {
  return directory.endsWith(separator) ? directory + name : directory + separator + name;
}

// What one population reads: the same for the folder and all its subfolders.
struct DynamicFolderScan {
  SolutionModel& model;
  Diagnostics& diagnostics;
  DynamicFolderBudget& budget;
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

// Takes one file or folder from the budget; false, with the warning given once
// per expansion, when it is spent.
bool spend(DynamicFolderScan& scan, const QString& directory) {
  DynamicFolderBudget& budget = scan.budget;
  if (budget.used < budget.limit) {
    ++budget.used;
    return true;
  }
  if (!budget.reported) {
    scan.diagnostics.warn(directory, QStringLiteral("dynamic folders reached the %1 files and folders an expansion "
                                                    "may list; the rest is left out")
                                         .arg(budget.limit));
  }
  budget.reported = true;
  return false;
}

/// A directory being walked: its folder, and the subdirectories still to enter.
struct DirectoryLevel {
  ModelNode* folder;
  QString directory;
  QString prefix;
  std::vector<DirectoryEntry> subdirectories;
  size_t next = 0;
};

// Adds the directory's files to its folder, in listing order (by name, ignoring
// case; hidden entries are not listed, as the IDE's listing does not list them);
// the level lists its subdirectories when the scan recurses. Nothing more once
// the budget is spent.
DirectoryLevel listDirectory(DynamicFolderScan& scan, ModelNode* folder, const QString& directory,
                             const QString& prefix) {
  DirectoryLevel level{folder, directory, prefix, {}};
  const Directory listed(directory);
  if (!listed.isOpen()) return level;
  scan.listedDirectories.insert(FileIdentity(listed.device(), listed.inode()));
  std::vector<DirectoryEntry> entries =
      listed.entries([](QByteArrayView name, DirectoryEntry::Type) { return !name.startsWith('.'); });
  for (const DirectoryEntry& entry : entries) {
    if (!entry.isFile() || !matchesAny(scan.nameFilters, entry.name) || matchesAny(scan.excludes, entry.name)) continue;
    if (!spend(scan, directory)) return level;
    scan.model.addFile(folder, below(prefix, entry.name));
  }
  if (!scan.recurse) return level;
  for (DirectoryEntry& entry : entries)
    if (entry.isDirectory()) level.subdirectories.push_back(std::move(entry));
  return level;
}

// Depth first, in listing order, with an explicit stack: a subdirectory is
// checked when the walk reaches it, after its elder siblings' trees.
void populate(DynamicFolderScan& scan, ModelNode* folder, const QString& directory, const QString& prefix) {
  std::vector<DirectoryLevel> levels;
  levels.push_back(listDirectory(scan, folder, directory, prefix));
  while (!levels.empty()) {
    DirectoryLevel& level = levels.back();
    if (level.next == level.subdirectories.size()) {
      levels.pop_back();
      continue;
    }
    const DirectoryEntry& subdirectory = level.subdirectories[level.next++];
    const QString path = below(level.directory, subdirectory.name);
    if (matchesAny(scan.excludes, subdirectory.name) || !entersDirectory(scan, path, subdirectory)) continue;
    if (!spend(scan, level.directory)) return;
    ModelNode* subfolder = scan.model.findOrAddFolder(level.folder, subdirectory.name, QString());
    const QString subprefix = below(level.prefix, subdirectory.name);
    subfolder->setProperty(pathProperty, subprefix);
    levels.push_back(listDirectory(scan, subfolder, path, subprefix));
  }
}

}  // namespace

void populateDynamicFolder(SolutionModel& model, ModelNode* folder, Diagnostics& diagnostics,
                           DynamicFolderBudget& budget) {
  if (!folder || !folder->hasProperty(pathProperty)) return;
  const QString prefix = folder->property(pathProperty);
  const MacroResolver& macros = model.macros();
  QString directory = macros.expandGlobal(prefix);
  if (QDir::isRelativePath(directory)) {
    // Outside any project a relative path is based on the owning solution's directory.
    const ModelNode* project = folder->project();
    const QString base = project ? macros.projectDirectory(*project) : MacroResolver::solutionDirectory(*folder);
    if (!base.isEmpty()) directory = below(base, directory);
  }
  DynamicFolderScan scan{model,
                         diagnostics,
                         budget,
                         nameFiltersOf(folder->property(filterProperty)),
                         excludePatternsOf(folder->property(excludeProperty)),
                         folder->property(recurseProperty) == QLatin1String("Yes"),
                         QFileInfo(directory).canonicalFilePath(),
                         {}};
  populate(scan, folder, directory, prefix);
}
