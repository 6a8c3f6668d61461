#pragma once
// The resource filters of an Eclipse project ("filteredResources" in its
// ".project"): which files and folders of a folder on disk belong to the
// project, as Eclipse applies them. A filter sits on a folder (its "name", ""
// for the project) and decides on that folder's children, or, when
// inheritable, on everything below it. Include-only filters keep the children
// that one of them matches; exclude-all filters remove the children any of
// them matches; each applies to files, folders or both, as its type says.
// Matchers nest at most maximumMatcherDepth deep, and every match counts its
// steps against the conversion's budget (resource_pattern.h).

#include <QList>
#include <QString>
#include <vector>

#include "foreign/foreign_document.h"
#include "readers/common/work_budget.h"
#include "readers/eclipse/resource_pattern.h"

/// How deep matcher groups may nest: Eclipse's dialog makes two or three levels;
/// a deeper filter is left out.
inline constexpr int maximumMatcherDepth = 64;

/// What a filter asks of a child: its name or its path in the project
/// ("org.eclipse.ui.ide.multiFilter"), or several such answers combined.
struct ResourceMatcher {
  enum class Kind { Name, ProjectRelativePath, AnyOf, AllOf, NoneOf };

  Kind kind = Kind::Name;
  /// The whole name or path must match.
  ResourcePattern pattern;
  std::vector<ResourceMatcher> children;

  /// Throws PatternGaveUp when a pattern cannot decide within its bounds.
  bool matches(const QString& name, const QString& projectRelativePath, StepMeter& meter) const;
};

/// Why a filter was left out, and the line of the ".project" concerned.
struct FilterProblem {
  int line = 0;
  QString message;
};

/// One filter of the ".project".
struct ResourceFilter {
  /// The folder it sits on, relative to the project ("" for the project).
  QString container;
  /// The type's bits: 1 include only, 2 exclude all, 4 files, 8 folders, 16 inheritable.
  int type = 0;
  ResourceMatcher matcher;
};

/// The filters that decide on the children of one folder.
class ContainerFilters {
 public:
  bool isEmpty() const { return filters_.empty(); }
  /// Whether the child name (a folder when isFolder) of the folder at
  /// containerPath belongs to the project. Throws PatternGaveUp when a
  /// pattern cannot decide within its bounds.
  bool keeps(const QString& containerPath, const QString& name, bool isFolder) const;
  /// The same for a child whose path in the project (containerPath + "/" +
  /// name, or name in the project itself) the caller has at hand already.
  bool keepsChild(const QString& name, const QString& path, bool isFolder) const;

 private:
  friend class ResourceFilters;
  std::vector<const ResourceFilter*> filters_;
  WorkBudget* steps_ = nullptr;
};

/// The filters of one project.
class ResourceFilters {
 public:
  /// Reads the "filter" elements of a "filteredResources" element. A filter
  /// whose matcher is not one Eclipse's own filters write (or whose arguments
  /// cannot be read) is left out, and said so in unread.
  static ResourceFilters read(const ForeignElement& filteredResources, QList<FilterProblem>& unread);

  bool isEmpty() const { return filters_.empty(); }
  /// The filters on the folder at path ("" for the project) and the
  /// inheritable ones of the folders above it; their matches take their steps
  /// from steps, when given.
  ContainerFilters forContainer(const QString& path, WorkBudget* steps = nullptr) const;

 private:
  std::vector<ResourceFilter> filters_;
};
