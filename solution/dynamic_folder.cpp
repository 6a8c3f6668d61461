#include "solution/dynamic_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "model/model_names.h"
#include "model/solution_model.h"
#include "support/diagnostics.h"
#include "support/wildcard.h"

using namespace model_names;

namespace {

const QChar separator = QLatin1Char('/');

// What one population reads: the same for the folder and all its subfolders.
struct DynamicFolderScan {
  SolutionModel& model;
  Diagnostics& diagnostics;
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
    scan.diagnostics.warn(subdirectory.filePath(),
                  QStringLiteral("link to a directory outside %1 not followed").arg(scan.root));
    return false;
  }
  return true;
}

void populate(DynamicFolderScan& scan, ModelNode* folder, const QString& directory, const QString& prefix) {
  const QDir listed(directory);
  if (!listed.exists()) return;
  scan.listedDirectories.insert(QFileInfo(directory).canonicalFilePath());
  for (const QFileInfo& file : listed.entryInfoList(scan.nameFilters, QDir::Files, listingOrder))
    if (!isExcluded(scan, file.fileName())) scan.model.addFile(folder, prefix + separator + file.fileName());
  if (!scan.recurse) return;
  for (const QFileInfo& subdirectory : listed.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, listingOrder)) {
    const QString name = subdirectory.fileName();
    if (isExcluded(scan, name) || !entersDirectory(scan, subdirectory)) continue;
    ModelNode* subfolder = scan.model.findOrAddFolder(folder, name, QString());
    const QString subprefix = prefix + separator + name;
    subfolder->setProperty(pathProperty, subprefix);
    populate(scan, subfolder, directory + separator + name, subprefix);
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
