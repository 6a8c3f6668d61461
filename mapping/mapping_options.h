#pragma once
// What the command line tells the mapper: the settings it adds to every project of
// the readers that apply them, the files and definitions it filters out, and the
// templates it names. Made once per run, before anything is converted.

#include <QList>
#include <QString>
#include <QStringList>

#include "mapping/project_properties.h"
#include "support/wildcard.h"

/// The mapper's part of the run's options.
struct MappingOptions {
  QStringList definitions;                   // "-D"
  QStringList includePaths;                  // "-I"
  QList<ProjectProperty> projectProperties;  // "-P", checked (readProjectProperties)
  QList<WildcardPattern> fileFilters;        // "-filter-file"
  QList<WildcardPattern> definitionFilters;  // "-filter-definition"
  QString executableTemplate;                // "-executable-template"
  QString libraryTemplate;                   // "-library-template"

  /// True when a "-filter-file" pattern matches the whole file name.
  bool excludesFile(const QString& name) const;
  /// True when a "-filter-definition" pattern matches the whole definition name.
  bool excludesDefinition(const QString& name) const;
  /// True when a definition ("NAME" or "NAME=value") is carried over: it has a
  /// name and no "-filter-definition" pattern matches that name.
  bool keepsDefinition(const QString& definition) const;
};

/// True when some pattern of the list matches the whole of name; patterns are tried in order.
bool matchesAnyPattern(const QList<WildcardPattern>& patterns, const QString& name);
