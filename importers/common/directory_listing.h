#pragma once
// Reading directories as the importers need them: raw names (a name that is not
// valid UTF-8 is reported, never silently lost), the kind of each entry after
// following symbolic links, and the identity of each directory.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

/// One entry of a directory ("." and ".." are never listed).
struct DirectoryEntry {
  enum class Type { File, Directory, Other };

  /// The name decoded as UTF-8 (invalid bytes replaced when validName is false).
  QString name;
  /// The name's bytes as the file system holds them.
  QByteArray rawName;
  bool validName = true;
  /// What the entry is, after following a symbolic link; a dangling link is Other.
  Type type = Type::Other;
  bool isSymbolicLink = false;
  /// The device and inode of a directory (the link's target for a link).
  uint64_t device = 0;
  uint64_t inode = 0;

  bool isDirectory() const { return type == Type::Directory; }
  bool isFile() const { return type == Type::File; }
};

/// The entries of directory ("" is the working directory) sorted by name ignoring
/// case, as the IDEs list them; empty when it cannot be read.
std::vector<DirectoryEntry> listDirectory(const QString& directory);

/// The valid UTF-8 names in directory, unsorted, without looking at the entries;
/// false when the directory cannot be read.
bool listDirectoryNames(const QString& directory, QStringList& names);

/// The device and inode of the directory at path (links followed); false when there is none.
bool directoryIdentity(const QString& path, uint64_t& device, uint64_t& inode);

/// A name for messages: valid UTF-8 as it is, every other byte as "\xHH".
QString displayName(const QByteArray& rawName);
