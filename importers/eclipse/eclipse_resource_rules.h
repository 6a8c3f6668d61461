#pragma once
// What the project's files say about each of its resources while its tree is
// mirrored: whether the resource filters keep it.

#include <QString>

#include "importers/eclipse/eclipse_resource_filters.h"

/// The rules of one project, by the resources' paths in the project.
class ResourceRules {
 public:
  ResourceRules() = default;
  explicit ResourceRules(const ResourceFilters* filters);

  /// Nothing to look at per resource: no filters.
  bool isTrivial() const { return trivial_; }
  /// The filters deciding on the children of the folder at path.
  ContainerFilters filtersOf(const QString& path) const;

 private:
  const ResourceFilters* filters_ = nullptr;
  bool trivial_ = true;
};
