#include "importers/common/import_settings.h"

#include <algorithm>

bool matchesAnyPattern(const QList<WildcardPattern>& patterns, const QString& name) {
  return std::any_of(patterns.begin(), patterns.end(),
                     [&](const WildcardPattern& pattern) { return pattern.matches(name); });
}

bool ImportSettings::excludesFile(const QString& name) const { return matchesAnyPattern(fileFilters, name); }

bool ImportSettings::excludesDefinition(const QString& name) const {
  return matchesAnyPattern(definitionFilters, name);
}
