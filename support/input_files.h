#pragma once
// The files one input's conversion reads, known by identity (device and inode)
// rather than by spelling: the solution must never be written over one of
// them, and a workspace that lists one project file many times reads it once.

#include <QByteArray>
#include <QHash>
#include <QPair>
#include <QString>
#include <optional>

#include "support/directory_listing.h"

class Diagnostics;

/// The identity of the file at path, links followed; nothing when there is none.
std::optional<FileIdentity> fileIdentityOf(const QString& path);
/// The identity of the directory entry at path itself, a link there not followed.
std::optional<FileIdentity> entryIdentityOf(const QString& path);

/// Every file an input's conversion has read.
class InputFiles {
 public:
  /// Records the file read from path, and path's own directory entry when that
  /// is a symbolic link (the link is what a file written at path would replace).
  void add(const QString& path, FileIdentity read);
  /// The file read whose directory entry is the one at path (see
  /// entryIdentityOf), as messages name it; empty when path is none of them.
  QString entryRead(const QString& path) const;

 private:
  QHash<FileIdentity, QString> files_;  // the path as messages name it
};

/// The content of the regular file at path, recorded in inputs (when given);
/// nothing when it is no regular file or cannot be opened. Throws
/// ConversionError about path when it is larger than maximumFileBytes or holds
/// other than the size the system gives for it (see readWholeFile).
std::optional<QByteArray> readInputFile(const QString& path, InputFiles* inputs);

/// The project files a workspace lists, so that each is read once however
/// often, and however spelled, the workspace lists it.
class ListedProjectFiles {
 public:
  /// True the first time path's file is met (and for a path naming nothing,
  /// whose reading fails as usual); false, with one warning about workspace
  /// per file, when it was met before.
  bool isFirstListing(Diagnostics& diagnostics, const QString& path, const QString& workspace);

 private:
  QHash<FileIdentity, QString> seen_;  // the path as first listed, as messages name it
};
