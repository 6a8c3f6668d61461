#include "support/directory_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <numeric>
#include <utility>

namespace {

constexpr int directoryOpenFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

QByteArray encodedPath(const QString& directory) {
  return QFile::encodeName(directory.isEmpty() ? QStringLiteral(".") : directory);
}

// FNV-1a: names are short, and the table is probed a few times per path.
constexpr uint32_t fnvOffsetBasis = 2166136261u;
constexpr uint32_t fnvPrime = 16777619u;

size_t nameHash(QByteArrayView name) {
  uint32_t hash = fnvOffsetBasis;
  for (const char byte : name) hash = (hash ^ static_cast<unsigned char>(byte)) * fnvPrime;
  return hash;
}

uint8_t asciiLower(char c) {
  const auto byte = static_cast<uint8_t>(c);
  return byte >= 'A' && byte <= 'Z' ? uint8_t(byte + ('a' - 'A')) : byte;
}

bool isDotOrDotDot(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Eight bytes at a time: names are checked once per listing.
bool isAscii(QByteArrayView raw) {
  constexpr uint64_t highBits = 0x8080808080808080u;
  uint64_t seen = 0;
  qsizetype i = 0;
  for (; i + 8 <= raw.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, raw.data() + i, sizeof word);
    seen |= word;
  }
  for (; i < raw.size(); ++i) seen |= static_cast<unsigned char>(raw[i]);
  return (seen & highBits) == 0;
}

bool isValidUtf8(QByteArrayView raw) {
  if (isAscii(raw)) return true;
  QStringDecoder decoder(QStringDecoder::Utf8);
  const QString decoded = decoder.decode(raw);
  return !decoder.hasError();
}

bool decodeName(QByteArrayView raw, QString& name) {
  if (isAscii(raw)) {
    name = QString::fromLatin1(raw);
    return true;
  }
  QStringDecoder decoder(QStringDecoder::Utf8);
  name = decoder.decode(raw);
  return !decoder.hasError();
}

// An entry as the kernel's records or a kept listing give it: a name that ends in
// a zero byte, the type (DT_REG, DT_DIR, ...) and, for a directory, the inode.
struct ReadEntry {
  const char* name;
  unsigned char type;
  uint64_t inode;
};

// What a listing learns of a record before it decides to keep it: the name (in
// the records read, undecoded) and the kind of entry.
struct ListedRecord {
  QByteArrayView name;
  DirectoryEntry::Type type = DirectoryEntry::Type::Other;
  bool isSymbolicLink = false;
  uint64_t device = 0;
  uint64_t inode = 0;
};

void takeStatus(const struct stat& status, ListedRecord& entry) {
  if (S_ISREG(status.st_mode)) {
    entry.type = DirectoryEntry::Type::File;
  } else if (S_ISDIR(status.st_mode)) {
    entry.type = DirectoryEntry::Type::Directory;
    entry.device = status.st_dev;
    entry.inode = status.st_ino;
  }
}

// The type from the directory entry where the file system gives it; only links
// and entries of unknown type are looked up, following the link.
void classify(int directoryFd, uint64_t directoryDevice, const ReadEntry& record, ListedRecord& entry) {
  switch (record.type) {
    case DT_REG:
      entry.type = DirectoryEntry::Type::File;
      return;
    case DT_DIR:
      entry.type = DirectoryEntry::Type::Directory;
      entry.device = directoryDevice;
      entry.inode = record.inode;
      return;
    case DT_LNK:
      entry.isSymbolicLink = true;
      break;
    case DT_UNKNOWN: {
      struct stat linkStatus {};
      if (fstatat(directoryFd, record.name, &linkStatus, AT_SYMLINK_NOFOLLOW) != 0) return;
      entry.isSymbolicLink = S_ISLNK(linkStatus.st_mode);
      if (!entry.isSymbolicLink) {
        takeStatus(linkStatus, entry);
        return;
      }
      break;
    }
    default:
      return;
  }
  struct stat status {};
  if (fstatat(directoryFd, record.name, &status, 0) == 0) takeStatus(status, entry);  // a dangling link stays Other
}

constexpr uint64_t inEveryByte(uint8_t value) { return 0x0101010101010101u * value; }

// word with each byte from 'A' to 'Z' lower-cased, all at once; every byte is
// below 0x80, so no sum below carries into the next byte.
uint64_t asciiLowerCased(uint64_t word) {
  const uint64_t fromA = word + inEveryByte(0x80 - 'A');      // top bit set where a byte is at least 'A'
  const uint64_t pastZ = word + inEveryByte(0x80 - 'Z' - 1);  // top bit set where a byte is past 'Z'
  return word | (fromA & ~pastZ & inEveryByte(0x80)) >> 2;    // 0x80 >> 2 is the bit of lower case
}

// The first eight bytes of an ASCII name lower-cased, the first one highest, zeros
// after a shorter name: ordered as the names' lower-cased beginnings (a name holds
// no zero byte, so a name ends before any other that continues it).
uint64_t lowerCaseHead(QByteArrayView name) {
  uchar bytes[8] = {};
  std::memcpy(bytes, name.data(), size_t(std::min<qsizetype>(name.size(), sizeof bytes)));
  return asciiLowerCased(qFromBigEndian<quint64>(bytes));
}

// The order of two ASCII names lower-cased, from their ninth byte on (the first
// eight are compared as heads).
int compareLowerCaseTails(QByteArrayView a, QByteArrayView b) {
  const qsizetype common = std::min(a.size(), b.size());
  for (qsizetype i = 8; i < common; ++i) {
    const uint8_t lowerA = asciiLower(a[i]);
    const uint8_t lowerB = asciiLower(b[i]);
    if (lowerA != lowerB) return lowerA < lowerB ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// ASCII names (nearly all) in the order of their lower-cased forms, without
// making them: compared by their heads, the rest only where the heads are equal;
// names equal but for case in the order listed.
std::vector<uint32_t> orderIgnoringAsciiCase(const std::vector<ListedRecord>& listed) {
  struct Key {
    uint64_t head;
    uint32_t index;
  };
  std::vector<Key> keys(listed.size());
  for (uint32_t i = 0; i < keys.size(); ++i) keys[i] = {lowerCaseHead(listed[i].name), i};
  std::sort(keys.begin(), keys.end(), [&listed](const Key& a, const Key& b) {
    if (a.head != b.head) return a.head < b.head;
    const int tails = compareLowerCaseTails(listed[a.index].name, listed[b.index].name);
    return tails != 0 ? tails < 0 : a.index < b.index;
  });
  std::vector<uint32_t> order(keys.size());
  std::transform(keys.begin(), keys.end(), order.begin(), [](const Key& key) { return key.index; });
  return order;
}

// Names of any kind in the order of their lower-cased forms, ordinal; names
// equal but for case in the order listed.
std::vector<uint32_t> orderIgnoringCase(const std::vector<ListedRecord>& listed) {
  std::vector<QString> keys(listed.size());
  for (size_t i = 0; i < keys.size(); ++i) {
    decodeName(listed[i].name, keys[i]);
    keys[i] = keys[i].toLower();
  }
  std::vector<uint32_t> order(keys.size());
  std::iota(order.begin(), order.end(), uint32_t(0));
  std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
  return order;
}

DirectoryEntry decodedEntry(const ListedRecord& record, bool asciiName) {
  DirectoryEntry entry;
  if (asciiName)
    entry.name = QString::fromLatin1(record.name);
  else
    entry.validName = decodeName(record.name, entry.name);
  if (record.type == DirectoryEntry::Type::Directory || !entry.validName) entry.rawName = record.name.toByteArray();
  entry.type = record.type;
  entry.isSymbolicLink = record.isSymbolicLink;
  entry.device = record.device;
  entry.inode = record.inode;
  return entry;
}

// The records listed, decoded and ordered by the lower-cased name, ordinal, as a
// case-insensitive listing of the IDE's own directory class; names equal but for
// case keep the file system's order.
std::vector<DirectoryEntry> sortedByName(const std::vector<ListedRecord>& listed) {
  const bool allAscii =
      std::all_of(listed.begin(), listed.end(), [](const ListedRecord& record) { return isAscii(record.name); });
  const std::vector<uint32_t> order = allAscii ? orderIgnoringAsciiCase(listed) : orderIgnoringCase(listed);
  std::vector<DirectoryEntry> sorted;
  sorted.reserve(listed.size());
  for (const uint32_t index : order) sorted.push_back(decodedEntry(listed[index], allAscii));
  return sorted;
}

// Hands every record in records but "." and ".." to handle(const ReadEntry&).
template <typename Handle>
void forEachRecord(const QByteArray& records, const Handle& handle) {
  for (qsizetype offset = 0; offset < records.size();) {
    const auto* record = reinterpret_cast<const dirent64*>(records.constData() + offset);
    offset += record->d_reclen;
    if (!isDotOrDotDot(record->d_name)) handle(ReadEntry{record->d_name, record->d_type, record->d_ino});
  }
}

// A listing kept for a second scan, in about a third of the kernel's records
// (which give every entry an inode and an offset and pad its name to eight
// bytes): each entry as its type, a directory's inode, and its name ended by a
// zero byte.
QByteArray keptForm(const QByteArray& records) {
  QByteArray kept;
  kept.reserve(records.size());
  forEachRecord(records, [&kept](const ReadEntry& entry) {
    kept.append(char(entry.type));
    if (entry.type == DT_DIR) kept.append(reinterpret_cast<const char*>(&entry.inode), sizeof entry.inode);
    kept.append(entry.name, qsizetype(std::strlen(entry.name)) + 1);
  });
  kept.squeeze();
  return kept;
}

// Hands every entry of a listing in keptForm to handle(const ReadEntry&).
template <typename Handle>
void forEachKeptEntry(const QByteArray& kept, const Handle& handle) {
  for (const char *at = kept.constData(), *end = at + kept.size(); at < end;) {
    ReadEntry entry{nullptr, static_cast<unsigned char>(*at++), 0};
    if (entry.type == DT_DIR) {
      std::memcpy(&entry.inode, at, sizeof entry.inode);
      at += sizeof entry.inode;
    }
    entry.name = at;
    at += std::strlen(at) + 1;
    handle(entry);
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

Directory::Directory(const QString& path) : Directory(::open(encodedPath(path).constData(), directoryOpenFlags)) {}

Directory::Directory(int descriptor) : descriptor_(descriptor) {
  struct stat status {};
  if (descriptor_ < 0) {
    openError_ = errno;  // of the open that gave the descriptor
    return;
  }
  if (fstat(descriptor_, &status) != 0) {
    close();
    return;
  }
  device_ = status.st_dev;
  inode_ = status.st_ino;
}

Directory::Directory(Directory&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)),
      openError_(other.openError_),
      device_(other.device_),
      inode_(other.inode_) {}

Directory& Directory::operator=(Directory&& other) noexcept {
  if (this != &other) {
    close();
    descriptor_ = std::exchange(other.descriptor_, -1);
    openError_ = other.openError_;
    device_ = other.device_;
    inode_ = other.inode_;
  }
  return *this;
}

Directory::~Directory() { close(); }

void Directory::close() {
  if (descriptor_ >= 0) ::close(descriptor_);
  descriptor_ = -1;
}

Directory Directory::openSubdirectory(const QByteArray& rawName, const QString& path) const {
  if (!isOpen()) return Directory(path);
  return Directory(::openat(descriptor_, rawName.constData(), directoryOpenFlags));
}

void ListingCache::keep(uint64_t device, uint64_t inode, QByteArray records) {
  records_.insert(QPair<quint64, quint64>(device, inode), std::move(records));
}

std::optional<QByteArray> ListingCache::take(uint64_t device, uint64_t inode) {
  const auto found = records_.find(QPair<quint64, quint64>(device, inode));
  if (found == records_.end()) return std::nullopt;
  QByteArray records = std::move(*found);
  records_.erase(found);
  return records;
}

// Reads in large blocks straight from the kernel: the descriptor stays usable for
// opening subdirectories, which a stream of the C library would take over.
QByteArray Directory::readRecords() const {
  QByteArray records;
  alignas(dirent64) char buffer[32 * 1024];
  ssize_t length = 0;
  while ((length = getdents64(descriptor_, buffer, sizeof buffer)) > 0) records.append(buffer, length);
  return records;
}

// Only the entries kept are decoded, once sorted: until then their names stay in
// the records read.
std::vector<DirectoryEntry> Directory::entries(EntryFilter keep, ListingCache* cache) const {
  if (!isOpen()) return {};
  std::vector<ListedRecord> listed;
  const auto list = [&](const ReadEntry& record) {
    ListedRecord entry{QByteArrayView(record.name)};
    classify(descriptor_, device_, record, entry);
    if (!keep || keep(entry.name, entry.type)) listed.push_back(entry);
  };
  if (cache && !cache->isFilling()) {
    if (const std::optional<QByteArray> kept = cache->take(device_, inode_)) {
      forEachKeptEntry(*kept, list);
      return sortedByName(listed);
    }
  }
  const QByteArray records = readRecords();
  constexpr qsizetype smallestRecord = 24;  // a name of one byte, padded to eight
  listed.reserve(size_t(records.size() / smallestRecord));
  forEachRecord(records, list);
  if (cache && cache->isFilling()) cache->keep(device_, inode_, keptForm(records));
  return sortedByName(listed);
}

DirectoryNames Directory::names() const {
  DirectoryNames names;
  if (!isOpen()) return names;
  forEachRecord(readRecords(), [&names](const ReadEntry& record) {
    const QByteArrayView name(record.name);
    if (isValidUtf8(name)) names.add(name);
  });
  names.index();
  return names;
}

void DirectoryNames::add(QByteArrayView name) {
  spans_.push_back({uint32_t(text_.size()), uint32_t(name.size())});
  text_.append(name.data(), size_t(name.size()));
}

void DirectoryNames::index() {
  size_t tableSize = 4;
  while (tableSize < 2 * spans_.size()) tableSize *= 2;
  slots_.assign(tableSize, 0);
  for (size_t i = 0; i < spans_.size(); ++i) {
    size_t slot = nameHash(at(qsizetype(i))) & (tableSize - 1);
    while (slots_[slot] != 0) slot = (slot + 1) & (tableSize - 1);
    slots_[slot] = uint32_t(i + 1);
  }
  text_.shrink_to_fit();
  spans_.shrink_to_fit();
}

bool DirectoryNames::containsUtf8(QByteArrayView name) const {
  return findHashed(nameHash(name), [name](QByteArrayView candidate) { return candidate == name; });
}

// Names are nearly always ASCII, which is its own UTF-8: hashed as it is
// copied to the stack, in one pass.
bool DirectoryNames::contains(QStringView name) const {
  constexpr qsizetype longestOnStack = 256;
  if (name.size() > longestOnStack) return containsUtf8(name.toUtf8());
  char ascii[longestOnStack];
  uint32_t hash = fnvOffsetBasis;
  char16_t units = 0;
  const char16_t* const text = name.utf16();
  for (qsizetype i = 0; i < name.size(); ++i) {
    units |= text[i];
    ascii[i] = char(text[i]);
    hash = (hash ^ text[i]) * fnvPrime;
  }
  if (units >= 0x80) return containsUtf8(name.toUtf8());
  const QByteArrayView bytes(ascii, name.size());
  return findHashed(hash, [bytes](QByteArrayView candidate) {
    return candidate.size() == bytes.size() && std::memcmp(candidate.data(), bytes.data(), size_t(bytes.size())) == 0;
  });
}

int directoriesHeldOpenAtMost() {
  static const int limit = [] {
    constexpr rlim_t most = 1024;
    struct rlimit descriptors {};
    if (getrlimit(RLIMIT_NOFILE, &descriptors) != 0 || descriptors.rlim_cur == RLIM_INFINITY) return int(most);
    return int(std::max<rlim_t>(1, std::min(descriptors.rlim_cur / 2, most)));
  }();
  return limit;
}

std::vector<DirectoryEntry> listDirectory(const QString& directory) { return Directory(directory).entries(); }

std::optional<FileIdentity> directoryIdentity(const QString& path) {
  struct stat status {};
  if (stat(encodedPath(path).constData(), &status) != 0 || !S_ISDIR(status.st_mode)) return std::nullopt;
  return FileIdentity(status.st_dev, status.st_ino);
}

QString nonRegularFileKind(const QString& path) {
  const QByteArray encoded = encodedPath(path);
  struct stat status {};
  if (stat(encoded.constData(), &status) != 0) {
    const int error = errno;
    if (lstat(encoded.constData(), &status) != 0 || !S_ISLNK(status.st_mode)) return QStringLiteral("missing");
    return error == ELOOP ? QStringLiteral("a symbolic link loop")
                          : QStringLiteral("a symbolic link that leads nowhere");
  }
  if (S_ISDIR(status.st_mode)) return QStringLiteral("a directory");
  if (S_ISFIFO(status.st_mode)) return QStringLiteral("a named pipe");
  if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) return QStringLiteral("a device");
  if (S_ISSOCK(status.st_mode)) return QStringLiteral("a socket");
  return S_ISREG(status.st_mode) ? QStringLiteral("a regular file") : QStringLiteral("no regular file");
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
