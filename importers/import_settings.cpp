#include "importers/import_settings.h"

#include <algorithm>

ImportSettings& importSettings() {
  static ImportSettings settings;
  return settings;
}

bool matchesAnyPattern(const QList<WildcardPattern>& patterns, const QString& name) {
  return std::any_of(patterns.begin(), patterns.end(),
                     [&](const WildcardPattern& pattern) { return pattern.matches(name); });
}

bool matchesFileFilter(const QString& name) { return matchesAnyPattern(importSettings().fileFilters, name); }
