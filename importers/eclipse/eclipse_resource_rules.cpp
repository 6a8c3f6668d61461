#include "importers/eclipse/eclipse_resource_rules.h"

ResourceRules::ResourceRules(const ResourceFilters* filters) : filters_(filters) {
  trivial_ = !filters_ || filters_->isEmpty();
}

ContainerFilters ResourceRules::filtersOf(const QString& path) const {
  return filters_ ? filters_->forContainer(path) : ContainerFilters();
}
