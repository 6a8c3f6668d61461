#pragma once
// What one CDT configuration builds: its source entries
// ("<sourceEntries><entry excluding="a.c|sub/b.c" name="src"/>"), the
// resources it excludes ("resourceConfiguration exclude="true"", also a
// "folderInfo" or "fileInfo" with exclude="true"), and the settings of the
// folders and files that have options of their own.

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "foreign/foreign_document.h"
#include "readers/common/project_record.h"
#include "readers/common/work_budget.h"
#include "readers/eclipse/wildcard_matching.h"

/// One source entry: a folder of the project and the paths below it it leaves out.
struct SourceEntry {
  /// The folder, relative to the project ("" for the project itself).
  QString folder;
  /// Path patterns relative to the folder: "*" and "?" within a component,
  /// "**" any number of components, a trailing "/" everything below.
  QStringList excluding;
};

/// What one configuration builds and sets of its own, by project path.
struct ConfigurationResources {
  QString configuration;
  /// None: the whole project is built (CDT's default).
  std::optional<std::vector<SourceEntry>> sourceEntries;
  /// Resources excluded with everything below them.
  QSet<QString> excluded;
  /// The settings of folders and files with options of their own: their whole lists.
  QHash<QString, CompileSettings> itemSettings;

  /// Whether the resource at path (a folder when isFolder) is left out of the
  /// build. A file is built when the innermost source entry holding it leaves
  /// out neither the file nor a folder above it; a folder outside every entry
  /// is not built unless an entry lies inside it. Matching the patterns takes
  /// its steps from steps, when given (throwing PatternGaveUp once it is spent).
  bool excludes(const QString& path, bool isFolder, WorkBudget* steps = nullptr) const;
  /// Whether the configuration builds everything (nothing to look at per resource).
  bool buildsEverything() const;
};

/// The source entries of a "configuration" element; none when it has no
/// "sourceEntries" element.
std::optional<std::vector<SourceEntry>> readSourceEntries(const ForeignElement& configuration);

/// The paths a configuration excludes with "exclude="true"" on a
/// "resourceConfiguration", "folderInfo" or "fileInfo".
QSet<QString> readExcludedResources(const ForeignElement& configuration);

/// The project path of a "resourcePath": written relative to the project
/// ("Core/Src/a.c"), or from the workspace ("/<project>/Core/Src/a.c", as
/// "resourceConfiguration" elements have it), where CDT drops the first
/// segment, the project's name; "/<project>" alone is the project itself ("").
QString projectResourcePath(const QString& resourcePath);

/// Whether path (relative to an entry) is matched by pattern, as CDT matches
/// the patterns of an entry's "excluding"; in linear space and at most pattern
/// length × path length steps, each counted by meter.
bool matchesExclusionPattern(const QString& pattern, const QString& path, StepMeter& meter);
