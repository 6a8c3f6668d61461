#include "readers/eclipse/directory_visits.h"

#include <QFileInfo>
#include <cstring>

#include "foreign/foreign_path.h"
#include "readers/common/conversion_context.h"
#include "support/path.h"

DirectoryVisits::DirectoryVisits(ConversionContext& context, const QString& root, ListingCache* listings,
                                 ListingBudget* budget)
    : context_(context), listings_(listings), budget_(budget) {
  allowRoot(root);
  if (!roots_.isEmpty()) workspace_ = roots_.front();
  fileSystemRoot_ = identity(QStringLiteral("/")).value_or(Identity());
  workspaceIdentity_ = identity(workspace_).value_or(fileSystemRoot_);
  for (QString above = workspace_; above != QLatin1String("/") && !above.isEmpty();) {
    above = QFileInfo(above).path();
    if (const std::optional<Identity> known = identity(above)) aboveWorkspace_.insert(*known);
  }
}

void DirectoryVisits::allowRoot(const QString& directory) {
  const QString real = QFileInfo(directory.isEmpty() ? QStringLiteral(".") : directory).canonicalFilePath();
  if (!real.isEmpty()) roots_.append(real);
}

bool DirectoryVisits::isFileSystemRoot(const QString& path) const { return identity(path) == fileSystemRoot_; }

bool DirectoryVisits::holdsWorkspace(const QString& path) const {
  const std::optional<Identity> known = identity(path);
  return known && (*known == workspaceIdentity_ || *known == fileSystemRoot_ || aboveWorkspace_.contains(*known));
}

std::optional<Directory> DirectoryVisits::enterTop(const QString& path) {
  Directory top(path);
  if (!top.isOpen()) reportUnreadable(path, top.openError());
  if (!top.isOpen() || !markVisited(top.device(), top.inode())) return std::nullopt;
  return top;
}

std::optional<Directory> DirectoryVisits::enter(const Directory& parent, const QString& path,
                                                const DirectoryEntry& entry) {
  // The target is checked before the link is opened: opening could reach any
  // place a link names (an automounted share, say).
  if (!followsLink(path, entry)) return std::nullopt;
  Directory directory = parent.openSubdirectory(entry.rawName, path);
  // What was opened is the directory the scan enters, whatever its parent listed
  // (a mount point lists the directory it covers).
  const Identity opened =
      directory.isOpen() ? Identity(directory.device(), directory.inode()) : Identity(entry.device, entry.inode);
  if (opened == fileSystemRoot_ || aboveWorkspace_.contains(opened)) {
    // "/" or a directory above the workspace mounted again inside the tree
    // (links there are not followed): the whole disk around the workspace.
    context_.warn(displayPath(path), QStringLiteral("not entered: it is a directory holding the workspace, mounted "
                                                    "again"));
    return std::nullopt;
  }
  if (!markVisited(opened.first, opened.second)) return std::nullopt;
  if (!directory.isOpen()) reportUnreadable(path, directory.openError());
  return directory;
}

bool DirectoryVisits::followsLink(const QString& path, const DirectoryEntry& entry) {
  if (!entry.isSymbolicLink) return true;
  const QString target = QFileInfo(path).canonicalFilePath();
  if (isInsideRoot(target)) return true;
  context_.warn(displayPath(path), QStringLiteral("symbolic link not followed: its target ") + target +
                                       QStringLiteral(" lies outside the workspace"));
  return false;
}

QString DirectoryVisits::budgetSpent() const {
  return QStringLiteral("reached the %1 files and folders a workspace may list; the rest is left out")
      .arg(budget_ ? budget_->most() : maximumListedItems);
}

std::vector<DirectoryEntry> DirectoryVisits::read(const Directory& directory, const EntryFilter& keep) const {
  return directory.entries(keep, listings_);
}

bool DirectoryVisits::isInsideRoot(const QString& realPath) const {
  if (realPath.isEmpty()) return false;
  for (const QString& root : roots_) {
    if (realPath == root || root == QLatin1String("/") || realPath.startsWith(root + QLatin1Char('/'))) return true;
  }
  return false;
}

std::optional<DirectoryVisits::Identity> DirectoryVisits::identity(const QString& path) {
  const std::optional<FileIdentity> found = directoryIdentity(path);
  if (!found) return std::nullopt;
  return Identity(found->first, found->second);
}

bool DirectoryVisits::markVisited(quint64 device, quint64 inode) {
  const qsizetype before = visited_.size();
  visited_.insert(QPair<quint64, quint64>(device, inode));
  return visited_.size() != before;
}

void DirectoryVisits::reportUnreadable(const QString& path, int error) {
  context_.warn(displayPath(path.isEmpty() ? QStringLiteral(".") : path),
                QStringLiteral("cannot be read (") + QString::fromLocal8Bit(std::strerror(error)) +
                    QStringLiteral("); its content is left out"));
}
