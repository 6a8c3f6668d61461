#pragma once
// Which directories a scan of an Eclipse tree enters. Each real directory (by
// device and inode) is entered at most once, and a symbolic link only when its
// target lies inside an allowed root (the workspace directory, or a folder the
// project links explicitly): a link to "/" or a chain of links that doubles at
// every level would otherwise make the scan walk the whole disk or grow
// exponentially. Only links are resolved to paths; a plain directory is known by
// its identity alone, so a scan costs the same per directory at any depth.

#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

#include "importers/common/directory_listing.h"

class ConversionContext;

/// The directories one scan has entered, and the roots its links may lead into.
class DirectoryVisits {
 public:
  /// root: the directory that links may always lead into (the workspace);
  /// listings: shared with other scans of the same tree, if any.
  DirectoryVisits(ConversionContext& context, const QString& root, ListingCache* listings = nullptr);

  /// Lets links lead into directory (and below) as well.
  void allowRoot(const QString& directory);
  /// Enters the top directory of a scan at path; nothing when it was entered
  /// before or cannot be opened.
  std::optional<Directory> enterTop(const QString& path);
  /// Enters the directory at path, listed in parent as entry; nothing when it was
  /// entered before, or when it is a link leading outside the allowed roots
  /// (reported as a warning). A directory that cannot be opened is still entered
  /// (it has no entries), as a listing by name would show it.
  std::optional<Directory> enter(const Directory& parent, const QString& path, const DirectoryEntry& entry);
  /// The entries of a directory this scan entered that keep accepts (through the
  /// shared listings).
  std::vector<DirectoryEntry> read(const Directory& directory, const EntryFilter& keep) const;

 private:
  bool isInsideRoot(const QString& realPath) const;
  bool markVisited(quint64 device, quint64 inode);

  ConversionContext& context_;
  ListingCache* listings_;
  QStringList roots_;  // canonical paths
  QSet<QPair<quint64, quint64>> visited_;
};
