#pragma once
// Paths that foreign workspace and project files name, resolved the way the IDE
// that wrote them would on its own platform: "\" separates components, a
// "$NAME$" variable at the start stands for a directory, and where the exact
// path does not exist, a component that matches a directory entry
// case-insensitively and uniquely is taken (Windows file systems ignore case).
// Everything is relative to an explicit base directory, never to the working
// directory of the moment.

#include <QHash>
#include <QSet>
#include <QString>

/// A path named in a foreign file, as found on disk.
struct ResolvedPath {
  /// The path to open: the base directory (or the variable's directory) joined
  /// with relative; absolute when the path was.
  QString path;
  /// The path as written, with "/" separators, without its leading variable,
  /// and with each component that differed in case spelled as on disk.
  QString relative;
  /// Something exists at path.
  bool exists = false;
};

/// Resolves foreign paths, remembering the directories it has listed.
class ForeignPathResolver {
 public:
  /// Directories that "$NAME$" variables stand for, by NAME.
  using Variables = QHash<QString, QString>;

  /// Resolves text against baseDirectory ("" is the working directory). An
  /// unknown variable is kept as text, so the path is not found.
  ResolvedPath resolve(const QString& text, const QString& baseDirectory, const Variables& variables = {});
  /// Forgets the listed directories (the disk may have changed).
  void clear() { listings_.clear(); }

 private:
  /// The names in a directory, and the names by case-folded spelling; a folded
  /// spelling shared by several names maps to an empty string (not unique).
  struct Listing {
    bool readable = false;
    QSet<QString> names;
    QHash<QString, QString> byFoldedName;
  };
  const Listing& listing(const QString& directory);
  /// The component's spelling on disk in directory; empty when there is none.
  QString findComponent(const QString& directory, const QString& component);

  QHash<QString, Listing> listings_;
};

/// path with every "\" turned into "/", then one trailing "/" removed.
QString toForwardSlashes(const QString& path);

/// path relative to directory: path itself when it is absolute or directory is
/// "" or "."; otherwise directory + "/" + path.
QString joinPath(const QString& directory, const QString& path);

/// path as messages show it: "." and ".." steps folded, no doubled separators.
QString displayPath(const QString& path);

/// True for a path that begins at a root: "/x" or a drive such as "C:/x".
bool isAbsoluteForeignPath(const QString& path);
