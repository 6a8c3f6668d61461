#pragma once
// Which directories and files a scan of an Eclipse tree takes. Each real
// directory (by device and inode) is entered at most once, and a symbolic link
// (to a directory or to a file) is followed only when its target lies inside an
// allowed root (the workspace directory, or a folder the project links
// explicitly): a link to "/" or a chain of links that doubles at every level
// would otherwise make the scan walk the whole disk or grow exponentially. The
// files and folders the scans of one workspace list are bounded as well. Only
// links are resolved to paths; a plain directory is known by its identity alone,
// so a scan costs the same per directory at any depth. Directories are compared
// by device and inode, never by path: a bind mount of "/" is "/".

#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

#include "readers/common/work_budget.h"
#include "support/directory_listing.h"

class ConversionContext;

/// The most files and folders the scans of one workspace list: far more than
/// any real workspace holds, few enough that a link to a huge tree cannot make
/// the conversion run and grow without end.
inline constexpr qsizetype maximumListedItems = 1000000;

/// How many files and folders the scans of one workspace may still list.
class ListingBudget : public WorkBudget {
 public:
  explicit ListingBudget(qsizetype most = maximumListedItems) : WorkBudget(most) {}
};

/// The directories one scan has entered, and the roots its links may lead into.
class DirectoryVisits {
 public:
  /// root: the workspace directory, which links may always lead into;
  /// listings: shared with other scans of the same tree, if any; budget: shared
  /// by the scans of the workspace, if any.
  DirectoryVisits(ConversionContext& context, const QString& root, ListingCache* listings = nullptr,
                  ListingBudget* budget = nullptr);

  /// Lets links lead into directory (and below) as well.
  void allowRoot(const QString& directory);
  /// True when the directory at path is the root of the file system.
  bool isFileSystemRoot(const QString& path) const;
  /// True when the directory at path is the workspace directory or one above
  /// it, the root included: a tree a project cannot link.
  bool holdsWorkspace(const QString& path) const;
  /// Enters the top directory of a scan at path; nothing when it was entered
  /// before or cannot be opened (reported as a warning).
  std::optional<Directory> enterTop(const QString& path);
  /// Enters the directory at path, listed in parent as entry; nothing when it was
  /// entered before, or when it is a link leading outside the allowed roots
  /// (reported as a warning). A directory that cannot be opened is still entered
  /// (it has no entries), with a warning.
  std::optional<Directory> enter(const Directory& parent, const QString& path, const DirectoryEntry& entry);
  /// True when the entry at path may be taken: it is no symbolic link, or one
  /// whose target lies inside an allowed root; otherwise false, with a warning.
  bool followsLink(const QString& path, const DirectoryEntry& entry);
  /// The entries of a directory this scan entered that keep accepts (through the
  /// shared listings).
  std::vector<DirectoryEntry> read(const Directory& directory, const EntryFilter& keep) const;
  /// Takes one file or folder from the budget; false when it is spent.
  bool takeItem() { return !budget_ || budget_->take(); }
  /// What a warning says when a scan stopped at the budget: "reached the ...".
  QString budgetSpent() const;

 private:
  using Identity = QPair<quint64, quint64>;  // device and inode
  static std::optional<Identity> identity(const QString& path);
  bool isInsideRoot(const QString& realPath) const;
  bool markVisited(quint64 device, quint64 inode);
  void reportUnreadable(const QString& path, int error);

  ConversionContext& context_;
  ListingCache* listings_;
  ListingBudget* budget_;
  QString workspace_;  // canonical path
  QStringList roots_;  // canonical paths
  Identity workspaceIdentity_;
  QSet<Identity> aboveWorkspace_;  // the directories above the workspace directory, the root included
  Identity fileSystemRoot_;
  QSet<Identity> visited_;
};
