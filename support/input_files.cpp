#include "support/input_files.h"

#include <sys/stat.h>

#include <QFile>

#include "support/diagnostics.h"
#include "support/path.h"
#include "support/whole_file.h"

namespace {

FileIdentity identityOf(const struct stat& status) { return {quint64(status.st_dev), quint64(status.st_ino)}; }

}  // namespace

std::optional<FileIdentity> fileIdentityOf(const QString& path) {
  struct stat status {};
  if (path.isEmpty() || stat(QFile::encodeName(path).constData(), &status) != 0) return std::nullopt;
  return identityOf(status);
}

void InputFiles::add(const QString& path, FileIdentity read) {
  const QString shown = displayPath(path);
  files_.insert(read, shown);
  struct stat status {};
  if (lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISLNK(status.st_mode))
    files_.insert(identityOf(status), shown);
}

std::optional<FileIdentity> entryIdentityOf(const QString& path) {
  struct stat status {};
  if (path.isEmpty() || lstat(QFile::encodeName(path).constData(), &status) != 0) return std::nullopt;
  return identityOf(status);
}

QString InputFiles::entryRead(const QString& path) const {
  const std::optional<FileIdentity> entry = entryIdentityOf(path);
  return entry ? files_.value(*entry) : QString();
}

std::optional<QByteArray> readInputFile(const QString& path, InputFiles* inputs) {
  if (path.isEmpty()) return std::nullopt;
  try {
    WholeFile file = readWholeFile(QFile::encodeName(path).constData());
    if (inputs) inputs->add(path, {file.device, file.inode});
    return std::move(file.bytes);
  } catch (const FileNotRead& failure) {
    if (failure.reason == FileNotRead::Reason::Unreadable) return std::nullopt;
    throw ConversionError(displayPath(path), failure.refusal("a workspace or project file"));
  }
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
