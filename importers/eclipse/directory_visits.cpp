#include "importers/eclipse/directory_visits.h"

#include <QFileInfo>

#include "importers/common/conversion_context.h"
#include "importers/common/directory_listing.h"
#include "importers/common/foreign_path.h"

DirectoryVisits::DirectoryVisits(ConversionContext& context, const QString& root) : context_(context) {
  allowRoot(root);
}

void DirectoryVisits::allowRoot(const QString& directory) {
  const QString real = QFileInfo(directory.isEmpty() ? QStringLiteral(".") : directory).canonicalFilePath();
  if (!real.isEmpty()) roots_.append(real);
}

bool DirectoryVisits::enterTop(const QString& path) {
  uint64_t device = 0;
  uint64_t inode = 0;
  return directoryIdentity(path, device, inode) && markVisited(device, inode);
}

bool DirectoryVisits::enter(const QString& path, const DirectoryEntry& entry) {
  if (entry.isSymbolicLink) {
    const QString target = QFileInfo(path).canonicalFilePath();
    if (!isInsideRoot(target)) {
      context_.warn(displayPath(path) + QStringLiteral(": symbolic link not followed: its target ") + target +
                    QStringLiteral(" lies outside the workspace"));
      return false;
    }
  }
  return markVisited(entry.device, entry.inode);
}

bool DirectoryVisits::isInsideRoot(const QString& realPath) const {
  if (realPath.isEmpty()) return false;
  for (const QString& root : roots_) {
    if (realPath == root || root == QLatin1String("/") || realPath.startsWith(root + QLatin1Char('/'))) return true;
  }
  return false;
}

bool DirectoryVisits::markVisited(quint64 device, quint64 inode) {
  const QPair<quint64, quint64> identity(device, inode);
  if (visited_.contains(identity)) return false;
  visited_.insert(identity);
  return true;
}
