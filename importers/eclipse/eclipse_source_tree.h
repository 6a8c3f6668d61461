#pragma once
// The two directory scans of the Eclipse importer: finding the project files of
// a workspace, and mirroring a project directory (or a linked folder) as
// folders and files. Both follow symbolic links as DirectoryVisits allows, and
// report names that are not valid UTF-8 instead of dropping them unseen.

#include <QString>
#include <QStringList>

class ConversionContext;
class DirectoryVisits;
class ProjectElement;
class ProjectSystem;
class WildcardPattern;

/// Appends reported + "/" + ... + "/" + name for every file below directory
/// (reported is how results name it, such as ".") whose name pattern matches as
/// a whole; depth first, entries (hidden ones included) sorted by name ignoring case.
void findFiles(ConversionContext& context, DirectoryVisits& visits, const QString& directory,
               const QString& reported, const WildcardPattern& pattern, QStringList& list);

/// Mirrors the tree below directory as folders under folder, adding its source
/// files with paths that start with prefix (such as "." for the project
/// directory). Names beginning with "." are skipped. The caller enters directory
/// itself into visits first.
void addSourceDirectory(ProjectSystem& projectSystem, ConversionContext& context, DirectoryVisits& visits,
                        ProjectElement* folder, const QString& directory, const QString& prefix);
