#include "importers/common/directory_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <memory>

namespace {

struct DirectoryCloser {
  void operator()(DIR* directory) const { closedir(directory); }
};
using DirectoryHandle = std::unique_ptr<DIR, DirectoryCloser>;

DirectoryHandle openDirectory(const QString& directory) {
  const QByteArray path = QFile::encodeName(directory.isEmpty() ? QStringLiteral(".") : directory);
  return DirectoryHandle(opendir(path.constData()));
}

bool isDotOrDotDot(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

bool decodeName(const QByteArray& raw, QString& name) {
  if (std::all_of(raw.begin(), raw.end(), [](char byte) { return static_cast<unsigned char>(byte) < 0x80; })) {
    name = QString::fromLatin1(raw);
    return true;
  }
  QStringDecoder decoder(QStringDecoder::Utf8);
  name = decoder.decode(raw);
  return !decoder.hasError();
}

// The type from the directory entry where the file system gives it; links and
// unknown types are looked up, following the link.
void classify(int directoryFd, const dirent& record, DirectoryEntry& entry) {
  struct stat status {};
  const bool needsStat = record.d_type == DT_UNKNOWN || record.d_type == DT_LNK || record.d_type == DT_DIR;
  if (record.d_type == DT_REG) entry.type = DirectoryEntry::Type::File;
  if (record.d_type == DT_LNK) entry.isSymbolicLink = true;
  if (record.d_type == DT_UNKNOWN) {
    struct stat linkStatus {};
    if (fstatat(directoryFd, record.d_name, &linkStatus, AT_SYMLINK_NOFOLLOW) == 0)
      entry.isSymbolicLink = S_ISLNK(linkStatus.st_mode);
  }
  if (!needsStat) return;
  if (fstatat(directoryFd, record.d_name, &status, 0) != 0) return;  // a dangling link stays Other
  if (S_ISREG(status.st_mode)) {
    entry.type = DirectoryEntry::Type::File;
  } else if (S_ISDIR(status.st_mode)) {
    entry.type = DirectoryEntry::Type::Directory;
    entry.device = status.st_dev;
    entry.inode = status.st_ino;
  } else {
    entry.type = DirectoryEntry::Type::Other;
  }
}

// The length of the valid UTF-8 sequence at position; 0 when the byte there starts none.
qsizetype validSequenceLength(QByteArrayView bytes, qsizetype position) {
  const auto lead = static_cast<unsigned char>(bytes[position]);
  if (lead < 0x80) return 1;
  const qsizetype length = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
  if (length == 0 || position + length > bytes.size()) return 0;
  QStringDecoder decoder(QStringDecoder::Utf8);
  const QString decoded = decoder.decode(bytes.sliced(position, length));  // decoding is lazy until converted
  return decoder.hasError() ? 0 : length;
}

}  // namespace

std::vector<DirectoryEntry> listDirectory(const QString& directory) {
  std::vector<DirectoryEntry> entries;
  const DirectoryHandle handle = openDirectory(directory);
  if (!handle) return entries;
  const int fd = dirfd(handle.get());
  while (const dirent* record = readdir(handle.get())) {
    if (isDotOrDotDot(record->d_name)) continue;
    DirectoryEntry entry;
    entry.rawName = QByteArray(record->d_name);
    entry.validName = decodeName(entry.rawName, entry.name);
    classify(fd, *record, entry);
    entries.push_back(std::move(entry));
  }
  // Ordered by the lower-cased name, ordinal, as a case-insensitive listing of
  // the IDE's own directory class; names equal but for case keep the file
  // system's order.
  std::vector<std::pair<QString, size_t>> keys;
  keys.reserve(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) keys.emplace_back(entries[i].name.toLower(), i);
  std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<DirectoryEntry> sorted;
  sorted.reserve(entries.size());
  for (const auto& key : keys) sorted.push_back(std::move(entries[key.second]));
  return sorted;
}

bool listDirectoryNames(const QString& directory, QStringList& names) {
  const DirectoryHandle handle = openDirectory(directory);
  if (!handle) return false;
  while (const dirent* record = readdir(handle.get())) {
    if (isDotOrDotDot(record->d_name)) continue;
    QString name;
    if (decodeName(QByteArray(record->d_name), name)) names.append(name);
  }
  return true;
}

bool directoryIdentity(const QString& path, uint64_t& device, uint64_t& inode) {
  struct stat status {};
  const QByteArray encoded = QFile::encodeName(path.isEmpty() ? QStringLiteral(".") : path);
  if (stat(encoded.constData(), &status) != 0 || !S_ISDIR(status.st_mode)) return false;
  device = status.st_dev;
  inode = status.st_ino;
  return true;
}

QString displayName(const QByteArray& rawName) {
  QString shown;
  qsizetype position = 0;
  while (position < rawName.size()) {
    qsizetype end = position;
    qsizetype length = 0;
    while (end < rawName.size() && (length = validSequenceLength(rawName, end)) > 0) end += length;
    shown += QString::fromUtf8(QByteArrayView(rawName).sliced(position, end - position));
    if (end < rawName.size()) {
      shown += QStringLiteral("\\x%1").arg(static_cast<unsigned char>(rawName[end]), 2, 16, QLatin1Char('0'));
      ++end;
    }
    position = end;
  }
  return shown;
}
