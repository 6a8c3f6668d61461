#include "support/input_files.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>

#include "support/diagnostics.h"
#include "support/path.h"

namespace {

FileIdentity identityOf(const struct stat& status) { return {quint64(status.st_dev), quint64(status.st_ino)}; }

}  // namespace

std::optional<FileIdentity> fileIdentityOf(const QString& path) {
  struct stat status {};
  if (path.isEmpty() || stat(QFile::encodeName(path).constData(), &status) != 0) return std::nullopt;
  return identityOf(status);
}

void InputFiles::add(const QString& path, int descriptor) {
  const QString shown = displayPath(path);
  struct stat status {};
  if (fstat(descriptor, &status) == 0) files_.insert(identityOf(status), shown);
  if (lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISLNK(status.st_mode))
    files_.insert(identityOf(status), shown);
}

QString InputFiles::entryRead(const QString& path) const {
  struct stat status {};
  if (path.isEmpty() || lstat(QFile::encodeName(path).constData(), &status) != 0) return QString();
  return files_.value(identityOf(status));
}

std::optional<QByteArray> readInputFile(const QString& path, InputFiles* inputs) {
  QFile file(path);
  // Only regular files: an empty path would make Qt warn, a directory cannot be
  // read, and a pipe or device could block the open or never end.
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
  if (file.size() > maximumForeignFileBytes) {
    throw ConversionError(displayPath(path), QStringLiteral("larger than %1 MiB, the most a workspace or project file may be")
                                                 .arg(maximumForeignFileBytes >> 20));
  }
  if (inputs) inputs->add(path, file.handle());
  return file.readAll();
}

bool ListedProjectFiles::isFirstListing(Diagnostics& diagnostics, const QString& path, const QString& workspace) {
  const std::optional<FileIdentity> identity = fileIdentityOf(path);
  if (!identity) return true;
  const auto first = seen_.constFind(*identity);
  if (first == seen_.constEnd()) {
    seen_.insert(*identity, displayPath(path));
    return true;
  }
  diagnostics.warn(workspace, *first + QStringLiteral(" is listed more than once; it is read once"));
  return false;
}
