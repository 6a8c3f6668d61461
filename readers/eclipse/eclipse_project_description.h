#pragma once
// The project description file (".project") of an Eclipse project as read.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "foreign/foreign_document.h"
#include "readers/eclipse/eclipse_resource_filters.h"

/// One "link" of the first "linkedResources" element.
struct EclipseLink {
  /// Where the link appears in the project ("Board/board_config.c").
  QString name;
  /// "1" for a file, "2" for a folder.
  QString type;
  /// The "locationURI" text, or the "location" text when there is no "locationURI".
  QString location;
  /// location is a URI (percent-encoded, variables as its first segment).
  bool isUri = false;
  /// Neither "locationURI" nor "location" is there.
  bool hasLocation = false;
};

/// What the conversion takes from a ".project".
struct EclipseProjectDescription {
  /// The text of "name" under "projectDescription".
  QString name;
  /// The texts of every "project" element (anywhere), empty ones left out.
  QStringList dependencies;
  QList<EclipseLink> links;
  /// The path variables of "variableList": name to value (a location URI).
  QHash<QString, QString> pathVariables;
  /// The project builds C++ (CDT's C++ nature).
  bool isCpp = false;
  /// The filters of "filteredResources".
  ResourceFilters filters;
  /// Why filters were left out, each with its line.
  QList<FilterProblem> unreadFilters;
};

/// Reads the parts of a ".project" document that the conversion uses.
EclipseProjectDescription readProjectDescription(const ForeignDocument& document);
