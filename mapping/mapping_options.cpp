#include "mapping/mapping_options.h"

#include <algorithm>

bool matchesAnyPattern(const QList<WildcardPattern>& patterns, const QString& name) {
  return std::any_of(patterns.begin(), patterns.end(),
                     [&](const WildcardPattern& pattern) { return pattern.matches(name); });
}

bool MappingOptions::excludesFile(const QString& name) const { return matchesAnyPattern(fileFilters, name); }

bool MappingOptions::excludesDefinition(const QString& name) const {
  return matchesAnyPattern(definitionFilters, name);
}

bool MappingOptions::keepsDefinition(const QString& definition) const {
  // The name is the first non-empty part between "=" signs, so "=X" is named X.
  // A value made only of "=" has no name at all; it is dropped rather than
  // carried over, since it would reach the compiler as a definition without a
  // macro name, which no compiler accepts.
  const QStringList parts = definition.split(QLatin1Char('='), Qt::SkipEmptyParts);
  return !parts.isEmpty() && !excludesDefinition(parts.first());
}
