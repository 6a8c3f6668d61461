#pragma once
// The two directory scans of the Eclipse importer: finding the project files of
// a workspace, and mirroring a project directory as folders and files.
//
// Both follow symbolic links to directories. A directory whose real path is
// already on the current recursion path (a link back to an ancestor) is not
// entered again, so link cycles end; other links are followed even when they
// reach a directory seen elsewhere in the scan.

#include <QString>
#include <QStringList>

class ProjectElement;
class ProjectSystem;
class WildcardPattern;

/// Appends directory + "/" + ... + "/" + name for every file below directory
/// whose name pattern matches as a whole; depth first, entries (hidden ones
/// included) sorted by name ignoring case.
void findFiles(const QString& directory, const WildcardPattern& pattern, QStringList& list);

/// Mirrors the directory tree below directory as folders under folder, adding
/// its source files with paths that start with directory. Names beginning with
/// "." are skipped.
void addSourceDirectory(ProjectSystem& projectSystem, ProjectElement* folder, const QString& directory);
