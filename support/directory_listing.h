#pragma once
// Reading directories as the readers need them: raw names (a name that is not
// valid UTF-8 is reported, never silently lost), the kind of each entry after
// following symbolic links, and the identity of each directory.

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

/// The device and inode of a file.
using FileIdentity = QPair<quint64, quint64>;

/// One entry of a directory ("." and ".." are never listed).
struct DirectoryEntry {
  enum class Type { File, Directory, Other };

  /// The name decoded as UTF-8 (invalid bytes replaced when validName is false).
  QString name;
  /// The name's bytes as the file system holds them: kept for a directory and for
  /// a name that is not valid UTF-8, empty otherwise (name holds them exactly).
  QByteArray rawName;
  bool validName = true;
  /// What the entry is, after following a symbolic link; a dangling link is Other.
  Type type = Type::Other;
  bool isSymbolicLink = false;
  /// The device and inode of a directory: the link's target for a link; for a
  /// plain directory as its parent lists it (a mount point shows the directory it
  /// covers, so a walk identifies what it enters by Directory::identity).
  uint64_t device = 0;
  uint64_t inode = 0;

  bool isDirectory() const { return type == Type::Directory; }
  bool isFile() const { return type == Type::File; }
};

/// Decides from the raw name and the type whether a listing keeps an entry, before
/// the entry is decoded and sorted. It refers to the callable it is made from, so
/// that a call per entry costs no more than calling that: pass a lambda in place
/// (the callable must outlive the filter).
class EntryFilter {
 public:
  EntryFilter() = default;
  template <typename Keep>
  requires(!std::is_same_v<std::remove_cvref_t<Keep>, EntryFilter> &&
           std::is_invocable_r_v<bool, const Keep&, QByteArrayView, DirectoryEntry::Type>)
      EntryFilter(const Keep& keep)  // NOLINT(google-explicit-constructor): made from a lambda in place
      : callable_(&keep), call_([](const void* callable, QByteArrayView rawName, DirectoryEntry::Type type) {
          return bool((*static_cast<const Keep*>(callable))(rawName, type));
        }) {}

  /// False for the filter that keeps every entry.
  explicit operator bool() const { return call_ != nullptr; }
  bool operator()(QByteArrayView rawName, DirectoryEntry::Type type) const { return call_(callable_, rawName, type); }

 private:
  const void* callable_ = nullptr;
  bool (*call_)(const void* callable, QByteArrayView rawName, DirectoryEntry::Type type) = nullptr;
};

/// What directories held when a scan read them, kept by device and inode so that
/// a second scan of the same tree (the workspace search, then each project's
/// scan) takes the entries from memory instead of reading them again. While it
/// is filling, reads put their entries in; otherwise reads take them out, so a
/// directory is served once and the memory goes as the second scan proceeds.
class ListingCache {
 public:
  void setFilling(bool filling) { filling_ = filling; }
  bool isFilling() const { return filling_; }
  /// Keeps what was read from the directory (device, inode), in the compact form
  /// the listing gives it.
  void keep(uint64_t device, uint64_t inode, QByteArray records);
  /// The records kept for (device, inode), taken out; nothing when there are none.
  std::optional<QByteArray> take(uint64_t device, uint64_t inode);

 private:
  bool filling_ = true;
  QHash<QPair<quint64, quint64>, QByteArray> records_;
};

/// The valid UTF-8 names in one directory, held compactly: all of them in one
/// buffer, found through a table of their hashes. A path resolver keeps one for
/// every directory it walks, so a name costs its bytes and 16 more, no string of
/// its own.
class DirectoryNames {
 public:
  bool contains(QStringView name) const;
  qsizetype size() const { return qsizetype(spans_.size()); }
  /// The names in the order the directory gave them.
  QByteArrayView at(qsizetype index) const {
    const Span& span = spans_[size_t(index)];
    return QByteArrayView(text_.data() + span.offset, span.length);
  }

 private:
  friend class Directory;
  struct Span {
    uint32_t offset;
    uint32_t length;
  };
  void add(QByteArrayView name);
  /// Fills the hash table once every name is added.
  void index();
  bool containsUtf8(QByteArrayView name) const;
  /// Whether a name of the given hash is one that equal accepts.
  template <typename Equal>
  bool findHashed(size_t hash, const Equal& equal) const {
    if (slots_.empty()) return false;  // never indexed: no names
    const size_t mask = slots_.size() - 1;
    for (size_t slot = hash & mask; slots_[slot] != 0; slot = (slot + 1) & mask) {
      if (equal(at(slots_[slot] - 1))) return true;
    }
    return false;
  }

  std::string text_;
  std::vector<Span> spans_;
  /// By hash, open addressing: a span's index + 1, or 0 for an empty slot; a
  /// power of two at least twice the names.
  std::vector<uint32_t> slots_;
};

/// An open directory. Its subdirectories are opened relative to it, so that
/// opening one costs the same at any depth and is not bound by the length of its
/// path; each entry costs no system call unless it is a link or of unknown type.
class Directory {
 public:
  Directory() = default;
  /// Opens the directory at path ("" is the working directory), following links.
  explicit Directory(const QString& path);
  Directory(Directory&& other) noexcept;
  Directory& operator=(Directory&& other) noexcept;
  Directory(const Directory&) = delete;
  Directory& operator=(const Directory&) = delete;
  ~Directory();

  /// The subdirectory rawName (following a link), relative to this one; by path
  /// (its full path) once this one is closed.
  Directory openSubdirectory(const QByteArray& rawName, const QString& path) const;
  bool isOpen() const { return descriptor_ >= 0; }
  /// Why the directory could not be opened (an errno value); 0 when it was.
  int openError() const { return openError_; }
  /// The device and inode of the directory opened (after links); 0 when not open.
  uint64_t device() const { return device_; }
  uint64_t inode() const { return inode_; }
  /// The entries that keep accepts (all when it is empty), sorted by name ignoring
  /// case as the IDEs list them; empty when not open. Reads the directory (or
  /// takes what cache holds of it), so it is called once.
  std::vector<DirectoryEntry> entries(EntryFilter keep = {}, ListingCache* cache = nullptr) const;
  /// The valid UTF-8 names in the directory, without looking at the entries;
  /// empty when not open. Reads the directory, so it is called once.
  DirectoryNames names() const;
  /// Gives the descriptor back; subdirectories are then opened by their paths.
  void close();

 private:
  explicit Directory(int descriptor);
  // The directory's records as the kernel gives them.
  QByteArray readRecords() const;

  int descriptor_ = -1;
  int openError_ = 0;
  uint64_t device_ = 0;
  uint64_t inode_ = 0;
};

/// How deep a walk may hold the directories above it open: half the process's
/// descriptor limit, at most 1024; deeper directories are opened by path.
int directoriesHeldOpenAtMost();

/// The entries of directory ("" is the working directory) sorted by name ignoring
/// case, as the IDEs list them; empty when it cannot be read.
std::vector<DirectoryEntry> listDirectory(const QString& directory);

/// The device and inode of the directory at path (links followed); nothing when there is none.
std::optional<FileIdentity> directoryIdentity(const QString& path);

/// What the entry at path is when it is no regular file, for messages: "a
/// directory", "a named pipe", "a symbolic link that leads nowhere", "a symbolic
/// link loop", ...
QString nonRegularFileKind(const QString& path);

/// A name for messages: valid UTF-8 as it is, every other byte as "\xHH".
QString displayName(const QByteArray& rawName);
