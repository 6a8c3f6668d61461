#pragma once
// The two directory scans of the Eclipse reader: finding the project files of
// a workspace, and mirroring a project directory (or a linked folder) as
// folders and files. Both follow symbolic links as DirectoryVisits allows, and
// report names that are not valid UTF-8 instead of dropping them unseen.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "readers/common/project_record.h"

class ConversionContext;
class DirectoryVisits;
class ResourceRules;

/// Where a mirrored tree lies in the project, for the project's rules.
struct ResourceScope {
  /// The rules of the project; none for a tree that has none.
  const ResourceRules* rules = nullptr;
  /// The tree's path in the project ("" for the project directory, a link's name for a linked folder).
  QString path;
  /// The configurations that leave the tree out as a whole.
  QStringList excludedAbove;
};

/// Appends reported + "/" + ... + "/" + fileName for every file of that name
/// (compared exactly) below directory (reported is how results name it, such as
/// "."); depth first, entries (hidden ones included) sorted by name ignoring case.
/// An entry of that name that is no regular file is reported as a warning.
void findFiles(ConversionContext& context, DirectoryVisits& visits, const QString& directory, const QString& reported,
               const QByteArray& fileName, QStringList& list);

/// Mirrors the tree below directory as folders and files appended to items:
/// every directory (also one without source files), and the source files with
/// paths that start with prefix (such as "." for the project directory). Names
/// beginning with "." are skipped, and those the project's resource filters
/// leave out; each item gets the configurations that exclude it and the
/// settings it has of its own. Nothing is added when visits entered directory
/// before. False when the scan stopped because the workspace's budget of listed
/// files and folders is spent (the caller reports it).
bool addSourceTree(ConversionContext& context, DirectoryVisits& visits, std::vector<SourceItem>& items,
                   const QString& directory, const QString& prefix, const ResourceScope& scope);
