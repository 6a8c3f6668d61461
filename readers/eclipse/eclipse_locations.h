#pragma once
// The locations of an Eclipse project's linked resources, in every form the IDE
// writes: "PROJECT_LOC/x.c", "WORKSPACE_LOC/x.c", "PARENT-<n>-<VAR>/x.c", the
// URI-encoded "$%7BPARENT-2-PROJECT_LOC%7D/x.c", path variables that the
// ".project" defines in its "variableList", "file:" URIs and absolute paths.

#include <QHash>
#include <QString>

#include "foreign/foreign_path.h"

/// Resolves the link locations of one project.
class LinkLocationResolver {
 public:
  /// projectToWorkspace: the way from the project directory up to the workspace
  /// directory ("" when they are the same, else "../.." and so on).
  LinkLocationResolver(QString projectToWorkspace, QHash<QString, QString> pathVariables);

  /// The file or folder that location names: a path relative to the project
  /// directory ("../../lib/x.c") or an absolute one ("/opt/x.c", "C:/x.c").
  /// A problem when it cannot be resolved; no variable is ever left in a
  /// resolved path.
  PathOrProblem resolve(const QString& location, bool isUri) const;

 private:
  PathOrProblem expand(QString location, bool isUri, int depth) const;
  PathOrProblem variableValue(const QString& name, int depth) const;

  QString projectToWorkspace_;
  QHash<QString, QString> pathVariables_;
};

/// path with its last n components taken away ("a/b", 1 gives "a"); ".." steps
/// are added where a relative path runs out, and an absolute one stops at its root.
QString parentPath(const QString& path, qsizetype steps);
