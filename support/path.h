#pragma once
// A file-system path value that is cleaned once, when it is set.

#include <QDateTime>
#include <QString>
#include <optional>

/// A cleaned path: "." parts and empty parts are dropped (a leading separator
/// stays), and ".." removes the part before it; a ".." with nothing before it
/// (or only other ".." parts) stays. Cleaning is purely textual: symbolic links
/// are not followed.
class Path {
 public:
  Path() = default;
  explicit Path(const QString& text);

  /// The cleaned path as stored (relative stays relative).
  const QString& path() const { return path_; }
  bool isEmpty() const { return path_.isEmpty(); }
  bool isAbsolute() const { return path_.startsWith(QLatin1Char('/')); }

  /// The path made absolute against the working directory; empty for an empty path.
  QString absoluteFilePath() const;
  /// The stored path without its last component; "/" for a file at the root and
  /// empty for a bare file name.
  QString directory() const;
  /// The directory of absoluteFilePath().
  QString absoluteDirectory() const;
  /// The last component.
  QString fileName() const;
  /// The file name up to its first ".".
  QString baseName() const;
  /// The file name up to its last "." (the whole name when it has none).
  QString completeBaseName() const;
  /// The text of the file name after its first "." (empty when it has none).
  QString completeSuffix() const;
  /// The text of the file name after its last "." (empty when it has none).
  QString suffix() const;
  /// The modification time of the file; invalid when it does not exist.
  QDateTime lastModified() const;

  bool operator==(const Path& other) const { return path_ == other.path_; }
  bool operator!=(const Path& other) const { return path_ != other.path_; }

  /// The cleaned form of text (the rules above).
  static QString clean(const QString& text);

 private:
  QString path_;
};

/// path as messages show it: "." and ".." steps folded, no doubled separators.
QString displayPath(const QString& path);

/// The path from base to path ("../" steps, then path's remaining parts); nothing
/// when their first components differ. "." gives the empty string; an empty path
/// stands for the working directory.
std::optional<QString> relativePath(const QString& base, const QString& path);
