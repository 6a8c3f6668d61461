#include "projectsystem/dynamic_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "projectsystem/model_names.h"
#include "projectsystem/project_system.h"
#include "projectsystem/wildcard.h"

using namespace model_names;

namespace {

const QChar separator = QLatin1Char('/');

// A path below directory; "/" and "lib/" take no second separator.
QString below(const QString& directory, const QString& name) {
  return directory.endsWith(separator) ? directory + name : directory + separator + name;
}

// What one population reads: the same for the folder and all its subfolders.
struct DynamicFolderScan {
  ProjectSystem& system;
  const WarningSink& warnings;
  DynamicFolderBudget& budget;
  QStringList nameFilters;
  std::vector<WildcardPattern> excludes;
  bool recurse = false;
  // The canonical directory the folder names: a symbolic link is followed only to a
  // directory inside it, so a link to "/" cannot make the scan walk the disk.
  QString root;
  // Canonical directories already listed: each is listed once per population,
  // however many links lead to it, so links that loop or multiply cannot make the
  // scan endless or its result exponential.
  QSet<QString> listedDirectories;
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

bool isInside(const QString& directory, const QString& root) {
  return directory == root || directory.startsWith(root.endsWith(separator) ? root : root + separator);
}

// Whether the scan enters a subdirectory: not a second time, and through a link only
// when it stays inside the folder's directory (with a warning when it does not).
bool entersDirectory(DynamicFolderScan& scan, const QFileInfo& subdirectory) {
  const QString canonical = subdirectory.canonicalFilePath();
  if (canonical.isEmpty() || scan.listedDirectories.contains(canonical)) return false;
  if (subdirectory.isSymLink() && !isInside(canonical, scan.root)) {
    scan.warnings(subdirectory.filePath(),
                  QStringLiteral("link to a directory outside %1 not followed").arg(scan.root));
    return false;
  }
  return true;
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
    scan.warnings(directory, QStringLiteral("dynamic folders reached the %1 files and folders an expansion may list; "
                                            "the rest is left out")
                                 .arg(budget.limit));
  }
  budget.reported = true;
  return false;
}

/// A directory being walked: its folder, and the subdirectories still to enter.
struct DirectoryLevel {
  ProjectElement* folder;
  QString directory;
  QString prefix;
  QFileInfoList subdirectories;
  qsizetype next = 0;
};

// Adds the directory's files to its folder; the level lists its subdirectories
// when the scan recurses. Nothing more once the budget is spent.
DirectoryLevel listDirectory(DynamicFolderScan& scan, ProjectElement* folder, const QString& directory,
                             const QString& prefix) {
  DirectoryLevel level{folder, directory, prefix, {}};
  const QDir listed(directory);
  if (!listed.exists()) return level;
  scan.listedDirectories.insert(QFileInfo(directory).canonicalFilePath());
  for (const QFileInfo& file : listed.entryInfoList(scan.nameFilters, QDir::Files, listingOrder)) {
    if (isExcluded(scan, file.fileName())) continue;
    if (!spend(scan, directory)) return level;
    scan.system.addFile(folder, below(prefix, file.fileName()));
  }
  if (scan.recurse) level.subdirectories = listed.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, listingOrder);
  return level;
}

// Depth first, in listing order, with an explicit stack: a subdirectory is
// checked when the walk reaches it, after its elder siblings' trees.
void populate(DynamicFolderScan& scan, ProjectElement* folder, const QString& directory, const QString& prefix) {
  std::vector<DirectoryLevel> levels;
  levels.push_back(listDirectory(scan, folder, directory, prefix));
  while (!levels.empty()) {
    DirectoryLevel& level = levels.back();
    if (level.next == level.subdirectories.size()) {
      levels.pop_back();
      continue;
    }
    const QFileInfo subdirectory = level.subdirectories[level.next++];
    const QString name = subdirectory.fileName();
    if (isExcluded(scan, name) || !entersDirectory(scan, subdirectory)) continue;
    if (!spend(scan, level.directory)) return;
    ProjectElement* subfolder = scan.system.findOrAddFolder(level.folder, name, QString());
    const QString subprefix = below(level.prefix, name);
    subfolder->setProperty(pathProperty, subprefix);
    const QString subdirectoryPath = below(level.directory, name);
    levels.push_back(listDirectory(scan, subfolder, subdirectoryPath, subprefix));
  }
}

}  // namespace

void populateDynamicFolder(ProjectSystem& system, ProjectElement* folder, const WarningSink& warnings,
                           DynamicFolderBudget& budget) {
  if (!folder || !folder->hasProperty(pathProperty)) return;
  const QString prefix = folder->property(pathProperty);
  QString directory = system.expandGlobalMacros(prefix);
  if (QDir::isRelativePath(directory)) {
    // Outside any project a relative path is based on the owning solution's directory.
    QString base;
    if (const ProjectElement* project = folder->project()) {
      project->resolveLocation(commonConfiguration);
      base = project->directory();
    } else if (const ProjectElement* solution = folder->owningSolution()) {
      base = solution->directory();
    } else {
      base = system.solutionDirectory();
    }
    if (!base.isEmpty()) directory = below(base, directory);
  }
  DynamicFolderScan scan{system, warnings, budget, nameFiltersOf(folder->property(filterProperty)),
                         excludePatternsOf(folder->property(excludeProperty)),
                         folder->property(recurseProperty) == QLatin1String("Yes"),
                         QFileInfo(directory).canonicalFilePath(), {}};
  populate(scan, folder, directory, prefix);
}
