#pragma once
// Paths that foreign workspace and project files name, resolved the way the IDE
// that wrote them would on its own platform: "\" separates components, a
// "$NAME$" variable at the start stands for a directory, and where the exact
// path does not exist, a component that matches a directory entry
// case-insensitively and uniquely is taken (Windows file systems ignore case).
// Everything is relative to an explicit base directory, never to the working
// directory of the moment.

#include <QHash>
#include <QPair>
#include <QString>
#include <QStringView>
#include <deque>
#include <functional>
#include <optional>
#include <unordered_map>

#include "support/directory_listing.h"

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

/// A path read from a foreign file, or why it cannot be used.
struct PathOrProblem {
  QString path;
  /// Empty when path can be used.
  QString problem;

  bool usable() const { return problem.isEmpty(); }
  static PathOrProblem failure(QString why) { return {QString(), std::move(why)}; }
};

/// How many listed names a reader keeps from one project to the next: about
/// 1 MiB, the directories of a dozen projects of a thousand files or more.
inline constexpr qsizetype listedNamesKeptAcrossProjects = 25'000;

/// Resolves foreign paths, remembering the directories it has listed.
class ForeignPathResolver {
 public:
  /// Directories that "$NAME$" variables stand for, by NAME.
  using Variables = QHash<QString, QString>;

  /// Resolves text against baseDirectory ("" is the working directory). An
  /// unknown variable is kept as text, so the path is not found.
  ResolvedPath resolve(const QString& text, const QString& baseDirectory, const Variables& variables = {});
  /// Just ResolvedPath::relative for text (no variables) against baseDirectory;
  /// exists, when given, tells whether something is there.
  QString respell(const QString& text, const QString& baseDirectory, bool* exists = nullptr);
  /// Forgets the listed directories (the disk may have changed).
  void clear() {
    listings_.clear();
    listingsByIdentity_.clear();
    listingStore_.clear();
    walks_.clear();
    lastWalk_ = nullptr;
    listedNames_ = 0;
  }
  /// clear(), once the directories listed hold more than names names. Readers
  /// call it after each project: a large workspace does not keep every directory
  /// it looked in, while a directory that many projects share (all of them in
  /// one folder) is not read again for each, which would cost the square of
  /// their number.
  void clearBeyond(qsizetype names) {
    if (listedNames_ > names) clear();
  }

 private:
  /// The names in a directory (none when it cannot be listed), and the names
  /// by case-folded spelling; a folded spelling shared by several names maps to
  /// an empty string (not unique). The folded names are made on the first
  /// lookup that misses: most paths are spelled as on disk, and folding every
  /// name of every directory cost more than the listing itself.
  struct Listing {
    std::optional<DirectoryNames> names;
    std::optional<QHash<QString, QString>> byFoldedName;
  };
  /// A directory part walked component by component from start: its text with
  /// the components respelled as on disk, the path reached, and whether every
  /// component was found.
  struct Walk {
    QString text;
    QString directory;
    bool found = true;
    QString start;                 // what was walked: from start,
    QString source;                // the text as written
    Listing* listing = nullptr;    // of directory, once looked at
    bool spelledAsWritten = true;  // text == source
  };
  /// The rest of respell once the directory part of relative (before slash) is
  /// walked: the name after slash looked up in directory.
  QString respellName(Walk& directory, const QString& relative, qsizetype slash, bool* exists);
  /// The walk of text from start: made on first use, then kept.
  Walk& walk(const QString& start, QStringView text);
  Listing& listing(const QString& directory);
  /// The component's spelling on disk in directory; empty when there is none.
  QString findComponent(const QString& directory, QStringView component);
  /// The same for a listing already at hand.
  QString findComponent(Listing& entries, const QString& directory, QStringView component);

  // By the path as walked, and by device and inode: a directory reached by many
  // paths ("p1/..", "p2/..", one per project) is read once.
  QHash<QString, Listing*> listings_;
  QHash<QPair<quint64, quint64>, Listing*> listingsByIdentity_;
  std::deque<Listing> listingStore_;
  qsizetype listedNames_ = 0;  // in listingStore_
  // Looked up by views of the paths being resolved, so that the common case
  // (a directory walked before) allocates nothing.
  struct ViewHash {
    using is_transparent = void;
    size_t operator()(QStringView text) const { return qHash(text); }
  };
  using WalksByText = std::unordered_map<QString, Walk, ViewHash, std::equal_to<>>;
  std::unordered_map<QString, WalksByText, ViewHash, std::equal_to<>> walks_;  // by start directory
  Walk* lastWalk_ = nullptr;
};

/// path with every "\" turned into "/", then one trailing "/" removed.
QString toForwardSlashes(const QString& path);
/// The same for a path not needed as it was (a text just read): converted in place.
QString toForwardSlashes(QString&& path);
/// The same for Latin-1 text (a document's ASCII bytes): decoded and converted
/// in one pass into the one string made; null for a null text.
QString toForwardSlashes(QLatin1StringView path);

/// Where the last "/" or "\\" of text is; -1 when there is none.
qsizetype lastSeparator(QStringView text);

/// path relative to directory: path itself when it is absolute or directory is
/// "" or "."; otherwise directory + "/" + path.
QString joinPath(const QString& directory, const QString& path);

/// True for a path that begins at a root: "/x" or a drive such as "C:/x".
bool isAbsoluteForeignPath(const QString& path);
