#pragma once
// The paths that the options of a CDT configuration name (include
// directories, linker scripts, library directories, object files) as the
// solution writes them, in every form CDT writes them.

#include <QHash>
#include <QString>
#include <functional>
#include <optional>

#include "foreign/foreign_path.h"

/// What the path values of one project are resolved against.
struct OptionPathBase {
  /// The project's name ("${ProjName}").
  QString projectName;
  /// The project directory relative to the solution directory ("" for the same).
  QString projectDirectory;
  /// The project directory as a path to look at on disk.
  QString projectFileSystemDirectory;
  /// The directories of the workspace's projects relative to the solution directory, by project name.
  QHash<QString, QString> projectDirectories;
  /// Spells project-relative directories as found on disk; may be null.
  ForeignPathResolver* paths = nullptr;
  /// Where a resource of a project (by name, and its path in the project) lies
  /// when one of the project's links leads there: relative to the solution
  /// directory or absolute, or why it cannot be used; nothing when no link
  /// leads there. May be empty.
  std::function<std::optional<PathOrProblem>(const QString& project, const QString& resourcePath)> linkedLocation;
};

/// The path an option value stands for:
/// - "../x" (relative to the build directory, one below the project) becomes the
///   project-relative "x", and any other relative path stays as written;
/// - "${workspace_loc:/P/x}" is the resource x of project P, found through P's
///   links as Eclipse finds it ("$(SolutionDir)/..." or absolute), else
///   "$(SolutionDir)/<P's directory>/x", where P is a project of the workspace
///   (its name when it is not one);
/// - "${workspace_loc}/x" becomes "$(SolutionDir)/x", "${ProjDirPath}/x" the
///   project-relative "x";
/// - absolute paths ("/opt/x", "C:/x") stay as written.
/// Surrounding double quotes go, "${ProjName}" is the project's name, and "\"
/// becomes "/". Empty when nothing is left (the entry is dropped). A problem
/// when a variable is left that cannot be resolved, or the resource lies in a
/// virtual folder.
PathOrProblem optionPath(QString value, const OptionPathBase& base);
