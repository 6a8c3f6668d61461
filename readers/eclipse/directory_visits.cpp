#include "readers/eclipse/directory_visits.h"

#include <QFileInfo>
#include <cstring>

#include "readers/common/conversion_context.h"
#include "foreign/foreign_path.h"
#include "support/path.h"

DirectoryVisits::DirectoryVisits(ConversionContext& context, const QString& root, ListingCache* listings,
                                 ListingBudget* budget)
    : context_(context), listings_(listings), budget_(budget) {
  allowRoot(root);
  if (!roots_.isEmpty()) workspace_ = roots_.front();
}

void DirectoryVisits::allowRoot(const QString& directory) {
  const QString real = QFileInfo(directory.isEmpty() ? QStringLiteral(".") : directory).canonicalFilePath();
  if (!real.isEmpty()) roots_.append(real);
}

bool DirectoryVisits::holdsWorkspace(const QString& realPath) const {
  if (realPath == QLatin1String("/")) return true;
  return !realPath.isEmpty() && (workspace_ == realPath || workspace_.startsWith(realPath + QLatin1Char('/')));
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
  const bool entered = directory.isOpen() ? markVisited(directory.device(), directory.inode())
                                          : markVisited(entry.device, entry.inode);
  if (!entered) return std::nullopt;
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
