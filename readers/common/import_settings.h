#pragma once
// The option values of one run, filled by the command line and read by the importers.

#include <QList>
#include <QString>
#include <QStringList>

#include "support/wildcard.h"

/// Option values of one run.
struct ImportSettings {
  QStringList definitions;                  // "-D"
  QStringList includePaths;                 // "-I"
  QStringList projectProperties;            // "-P"
  QList<WildcardPattern> fileFilters;       // "-filter-file"
  QList<WildcardPattern> definitionFilters; // "-filter-definition"
  QString executableTemplate;               // "-executable-template"
  QString libraryTemplate;                  // "-library-template"
  QString templatesFiles = QStringLiteral(
      "$(StudioDir)/targets/$(PROJECT_TEMPLATE_FILE:project_templates).xml;"
      "$(TargetsDir)/*/project_templates*.xml;"
      "$(TargetsDir)/*/*/project_templates*.xml");
  QStringList argumentVariables;            // "-argvar" NAME=value (IAR)
  QStringList argumentVariableFiles;        // "-custom-argvars" (IAR)
  bool expandTemplates = false;             // "-expand-templates"
  bool verbose = false;                     // "-verbose"

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
