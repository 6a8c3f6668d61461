#pragma once
// The locations of an Eclipse project's linked resources, in every form the IDE
// writes: "PROJECT_LOC/x.c", "WORKSPACE_LOC/x.c", "PARENT-<n>-<VAR>/x.c", the
// URI-encoded "$%7BPARENT-2-PROJECT_LOC%7D/x.c", path variables that the
// ".project" defines in its "variableList", "file:" URIs and absolute paths.
//
// Path variables may be defined through one another, as long a chain as the
// file holds. Each is resolved once, after the one it is based on, and its
// value kept for every link; one defined through itself is found as such, and
// one longer than maximumLocationLength cannot be used. What variables add to
// the locations counts against the conversion's budget of added characters.

#include <QHash>
#include <QString>

#include "foreign/foreign_path.h"
#include "readers/common/work_budget.h"

/// The longest value a path variable may stand for: PATH_MAX, so no longer
/// path names a directory (Windows' own limit is shorter still).
inline constexpr qsizetype maximumLocationLength = 4096;

/// Resolves the link locations of one project.
class LinkLocationResolver {
 public:
  /// A resolver for a project without path variables, counting nothing.
  LinkLocationResolver() = default;
  /// projectToWorkspace: the way from the project directory up to the workspace
  /// directory ("" when they are the same, else "../.." and so on); what
  /// variables add is taken from added.
  LinkLocationResolver(QString projectToWorkspace, const QHash<QString, QString>& pathVariables, WorkBudget* added);

  /// The file or folder that location names: a path relative to the project
  /// directory ("../../lib/x.c") or an absolute one ("/opt/x.c", "C:/x.c").
  /// A problem when it cannot be resolved; no variable is ever left in a
  /// resolved path.
  PathOrProblem resolve(const QString& location, bool isUri) const;

 private:
  /// A location taken apart: a problem, an absolute path, or a path below a variable.
  struct Parts {
    /// The problem or the absolute path; empty when the location is relative to variable.
    PathOrProblem whole;
    /// The variable the location starts from, its "PARENT-<n>-" prefixes taken off.
    QString variable;
    /// The parent steps those prefixes add up to.
    qsizetype parentSteps = 0;
    QString rest;
    /// The length of the location as written.
    qsizetype writtenLength = 0;
    bool isRelative() const { return whole.path.isEmpty() && whole.usable(); }
  };
  static Parts parts(QString location, bool isUri);

  PathOrProblem variableValue(const QString& name) const;
  static PathOrProblem below(const PathOrProblem& base, const Parts& location);
  PathOrProblem counted(const PathOrProblem& value, const Parts& location) const;
  void resolveVariable(const QString& name) const;
  bool isUserVariable(const QString& name) const;

  QString projectToWorkspace_;
  QHash<QString, Parts> definitions_;             // the path variables, taken apart
  mutable QHash<QString, PathOrProblem> values_;  // the path variables resolved so far
  WorkBudget* added_ = nullptr;
};

/// path with its last n components taken away ("a/b", 1 gives "a"); ".." steps
/// are added where a relative path runs out, and an absolute one stops at its root.
QString parentPath(const QString& path, qsizetype steps);
