#include "readers/eclipse/eclipse_resource_rules.h"

#include <algorithm>

ResourceRules::ResourceRules(const ResourceFilters* filters, std::vector<ConfigurationResources> configurations,
                             WorkBudget* patternSteps)
    : filters_(filters), configurations_(std::move(configurations)), patternSteps_(patternSteps) {
  trivial_ = (!filters_ || filters_->isEmpty()) &&
             std::all_of(configurations_.begin(), configurations_.end(), [](const ConfigurationResources& resources) {
               return resources.buildsEverything() && resources.itemSettings.isEmpty();
             });
}

ContainerFilters ResourceRules::filtersOf(const QString& path) const {
  return filters_ ? filters_->forContainer(path, patternSteps_) : ContainerFilters();
}

void ResourceRules::describe(SourceItem& item, const QString& path, const QStringList& excludedAbove) const {
  const bool isFolder = item.kind == SourceItem::Kind::Folder;
  for (const ConfigurationResources& resources : configurations_) {
    if (!excludedAbove.contains(resources.configuration) && resources.excludes(path, isFolder, patternSteps_))
      item.excludedFrom.append(resources.configuration);
    const auto settings = resources.itemSettings.constFind(path);
    if (settings != resources.itemSettings.constEnd()) item.settings.push_back({resources.configuration, *settings});
  }
}
