#include "importers/common/input_files.h"

#include <sys/stat.h>

#include <QFile>

#include "importers/common/conversion_context.h"
#include "importers/common/diagnostics.h"
#include "importers/common/foreign_path.h"
#include "xml/whole_file.h"

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
  WholeFile file = readWholeFile(QFile::encodeName(path).constData());
  if (file.failure == WholeFile::Failure::Unreadable) return std::nullopt;
  if (file.failure != WholeFile::Failure::None)
    throw ConversionError(displayPath(path), file.refusal("a workspace or project file"));
  if (inputs) inputs->add(path, {file.device, file.inode});
  return std::move(file.bytes);
}

bool ListedProjectFiles::isFirstListing(ConversionContext& context, const QString& path, const QString& workspace) {
  const std::optional<FileIdentity> identity = fileIdentityOf(path);
  if (!identity) return true;
  const auto first = seen_.constFind(*identity);
  if (first == seen_.constEnd()) {
    seen_.insert(*identity, displayPath(path));
    return true;
  }
  context.warn(workspace, *first + QStringLiteral(" is listed more than once; it is read once"));
  return false;
}
