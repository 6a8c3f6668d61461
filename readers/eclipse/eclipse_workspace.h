#pragma once
// An Eclipse workspace as found on disk: its directory and the project
// description files below it, each read once before any project is converted
// (so that a project can name another by its name, as "${workspace_loc:/P}" does).

#include <QHash>
#include <QString>
#include <optional>
#include <vector>

#include "readers/eclipse/eclipse_locations.h"
#include "readers/eclipse/eclipse_project_description.h"
#include "support/diagnostics.h"
#include "support/directory_listing.h"

class ConversionContext;

/// One ".project" found in the workspace.
struct EclipseProjectFile {
  /// As the search found it, relative to the workspace: "./demo/.project".
  QString path;
  /// Its directory in the same form: "./demo" ("." for the workspace itself).
  QString directory;
  /// Its directory relative to the workspace directory: "demo" ("" for the workspace itself).
  QString relativeDirectory;
  EclipseProjectDescription description;
  /// Resolves its links' locations, keeping what its path variables stand for.
  LinkLocationResolver locations;
  /// Why it cannot be read (it does not parse, or is no Eclipse project): the
  /// project is left out when its turn comes.
  std::optional<ConversionError> failure;
};

/// The workspace directory and its project description files, in search order.
class EclipseWorkspace {
 public:
  /// directory: the workspace as given ("" for the working directory).
  EclipseWorkspace(ConversionContext& context, const QString& directory);
  EclipseWorkspace(const EclipseWorkspace&) = delete;
  EclipseWorkspace& operator=(const EclipseWorkspace&) = delete;

  /// path (relative to the workspace, as found) as a path to look at on disk.
  QString fileSystemPath(const QString& path) const;
  /// The directories of the projects relative to the workspace directory ("" for
  /// the workspace itself), by name; the first project of a name counts.
  const QHash<QString, QString>& projectDirectories() const { return projectDirectories_; }
  /// Where the resource at resourcePath of the project named project lies when
  /// one of its links leads there (the innermost link holding it, as Eclipse
  /// finds it): relative to the workspace directory or absolute, or why it
  /// cannot be used (a virtual folder has no location). Nothing when no link
  /// holds the resource or no project has that name.
  std::optional<PathOrProblem> linkedLocation(const QString& project, const QString& resourcePath) const;
  /// What the search for project files read of the directories, for the scans of
  /// the projects' directories (each directory's entries are served once).
  ListingCache& listings() const { return listings_; }

  /// The workspace directory as a path to look at on disk ("." for the working directory).
  QString directory;
  std::vector<EclipseProjectFile> projectFiles;

 private:
  QHash<QString, QString> projectDirectories_;
  QHash<QString, qsizetype> projectsByName_;  // index into projectFiles
  mutable ListingCache listings_;             // a cache: serving from it changes nothing the workspace shows
};

/// The solution's name for a workspace directory: its last component as given,
/// or, when that is empty, "." or ".." ("ws/", ".", ".."), the name of the
/// directory it stands for; "project" when no directory is given.
QString eclipseSolutionName(const QString& workspaceDirectory);
