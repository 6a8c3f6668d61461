#pragma once
// What the project's files say about each of its resources while its tree is
// mirrored: whether the resource filters keep it, which configurations leave
// it out of their build, and the settings it has of its own.

#include <QString>
#include <QStringList>
#include <vector>

#include "readers/common/project_record.h"
#include "readers/eclipse/eclipse_resource_filters.h"
#include "readers/eclipse/eclipse_source_entries.h"

/// The rules of one project, by the resources' paths in the project.
class ResourceRules {
 public:
  ResourceRules() = default;
  /// patternSteps: what matching the filters' and exclusions' patterns takes its steps from.
  ResourceRules(const ResourceFilters* filters, std::vector<ConfigurationResources> configurations,
                WorkBudget* patternSteps = nullptr);

  /// Nothing to look at per resource: no filters, every configuration builds
  /// everything, no resource has settings of its own.
  bool isTrivial() const { return trivial_; }
  /// The filters deciding on the children of the folder at path.
  ContainerFilters filtersOf(const QString& path) const;
  /// Sets item's configurations that leave the resource at path out of their
  /// build (those of excludedAbove, which leave out a folder above it and so
  /// the item too, are not repeated) and the settings it has of its own.
  /// Throws PatternGaveUp when the budget of pattern steps is spent.
  void describe(SourceItem& item, const QString& path, const QStringList& excludedAbove) const;

 private:
  const ResourceFilters* filters_ = nullptr;
  std::vector<ConfigurationResources> configurations_;
  WorkBudget* patternSteps_ = nullptr;
  bool trivial_ = true;
};
