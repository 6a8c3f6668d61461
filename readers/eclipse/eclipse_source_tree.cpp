#include "readers/eclipse/eclipse_source_tree.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "foreign/foreign_path.h"
#include "readers/common/conversion_context.h"
#include "readers/eclipse/directory_visits.h"
#include "readers/eclipse/eclipse_resource_rules.h"
#include "support/directory_listing.h"
#include "support/path.h"
#include "xml/utf8_text.h"

namespace {

// Compared exactly: "main.C" is not a source file here, while "startup.S" is
// one (CDT builds it with the preprocessor).
constexpr std::string_view sourceExtensions[] = {"c", "cpp", "cxx", "h", "hpp", "hxx", "txt", "asm", "s", "S"};

// The extension is everything after the first ".", so "test.main.c" has "main.c".
// Looked at in the raw name, before the entry is decoded: the bytes of "." and of
// these extensions are the same in every name, valid UTF-8 or not.
bool hasSourceExtension(QByteArrayView rawName) {
  const char* const end = rawName.data() + rawName.size();
  const char* const dot = std::find(rawName.data(), end, '.');
  if (dot == end) return false;
  const std::string_view extension(dot + 1, size_t(end - dot - 1));
  return std::find(std::begin(sourceExtensions), std::end(sourceExtensions), extension) != std::end(sourceExtensions);
}

QString entryPath(const QString& directory, const QString& name) { return directory + QLatin1Char('/') + name; }

// A name that is not valid UTF-8, or that holds a control character, cannot be
// written into a solution (an XML file): why, for an entry that is left out and
// reported; empty for a name that can be written.
QString nameProblem(const DirectoryEntry& entry) {
  if (!entry.validName) return QStringLiteral("the name is not valid UTF-8; it is left out");
  if (!isXmlText(entry.name)) return QStringLiteral("the name holds a control character; it is left out");
  return QString();
}

QString shownEntry(const QString& directory, const DirectoryEntry& entry) {
  return displayPath(entryPath(directory, entry.validName ? entry.name : displayName(entry.rawName)));
}

bool leavesOutName(ConversionContext& context, const QString& directory, const DirectoryEntry& entry) {
  const QString problem = nameProblem(entry);
  if (!problem.isEmpty()) context.warn(shownEntry(directory, entry), problem);
  return !problem.isEmpty();
}

// Directories deeper than the walk may hold open give their descriptor back once
// read; their subdirectories are then opened by path.
void releaseIfTooDeep(Directory& directory, int depth) {
  if (depth >= directoriesHeldOpenAtMost()) directory.close();
}

/// A path that grows by a name while the walk is below that name. One buffer
/// serves the whole walk, so a directory costs the length of its name, not of
/// its path, however deep it lies.
class PathDuringWalk {
 public:
  explicit PathDuringWalk(const QString& start) : path_(start) {}

  const QString& path() const { return path_; }
  /// path + "/" + name (name alone after an empty path), as a string of its
  /// own (allocated once and filled by copies: one per file).
  QString with(const QString& name) const {
    if (path_.isEmpty()) return name;
    QString joined(path_.size() + 1 + name.size(), Qt::Uninitialized);
    QChar* to = std::copy_n(path_.constData(), path_.size(), joined.data());
    *to++ = QLatin1Char('/');
    // The name by a loop, not std::copy_n: a call to memmove for its few
    // characters measured slower than this whole function does now (an eighth
    // of an Eclipse conversion on the bench machine).
    for (const QChar c : name) *to++ = c;
    return joined;
  }
  /// Appends "/" + name (name alone to an empty path); returns what leave()
  /// needs to take it off again.
  qsizetype enter(const QString& name) {
    const qsizetype length = path_.size();
    if (!path_.isEmpty()) path_ += QLatin1Char('/');
    path_ += name;
    return length;
  }
  void leave(qsizetype length) { path_.truncate(length); }

 private:
  QString path_;
};

/// One search for files of one name.
struct FileSearch {
  ConversionContext& context;
  DirectoryVisits& visits;
  const QByteArray& fileName;
  QStringList& list;
  PathDuringWalk path;      // on disk
  PathDuringWalk reported;  // as results name it
};

// An entry named as the file searched for that is no regular file (a
// directory, a pipe, a link that leads nowhere) is reported: it looks like
// what is searched for and would otherwise vanish without a word.
void takeFoundFile(FileSearch& search, const DirectoryEntry& entry) {
  const QString path = search.path.with(entry.name);
  if (!entry.isFile()) {
    search.context.leaveOutProject(displayPath(path), QStringLiteral("not read: it is ") + nonRegularFileKind(path));
  } else if (search.visits.followsLink(path, entry)) {
    search.list.append(search.reported.with(entry.name));
  }
}

// A directory that holds what is searched for is a project left out with it,
// which counts when nothing of the workspace converts.
void leaveOutDirectory(FileSearch& search, const Directory& directory, const DirectoryEntry& entry,
                       const QString& problem) {
  const QString shown = shownEntry(search.path.path(), entry);
  const std::vector<DirectoryEntry> found =
      directory.openSubdirectory(entry.rawName, search.path.with(entry.name))
          .entries([&](QByteArrayView rawName, DirectoryEntry::Type) { return rawName == search.fileName; });
  if (found.empty())
    search.context.warn(shown, problem);
  else
    search.context.leaveOutProject(shown, problem);
}

void findFilesBelow(FileSearch& search, Directory& directory, int depth) {
  // Only the subdirectories and the entries named as the file searched for are decoded and sorted.
  const std::vector<DirectoryEntry> entries =
      search.visits.read(directory, [&](QByteArrayView rawName, DirectoryEntry::Type type) {
        return type == DirectoryEntry::Type::Directory || rawName == search.fileName;
      });
  releaseIfTooDeep(directory, depth);
  for (const DirectoryEntry& entry : entries) {
    if (entry.name.toUtf8() == search.fileName) takeFoundFile(search, entry);
    if (!entry.isDirectory()) continue;
    if (const QString problem = nameProblem(entry); !problem.isEmpty()) {
      leaveOutDirectory(search, directory, entry, problem);
      continue;
    }
    const qsizetype pathLength = search.path.enter(entry.name);
    if (std::optional<Directory> subdirectory = search.visits.enter(directory, search.path.path(), entry)) {
      const qsizetype reportedLength = search.reported.enter(entry.name);
      findFilesBelow(search, *subdirectory, depth + 1);
      search.reported.leave(reportedLength);
    }
    search.path.leave(pathLength);
  }
}

/// One mirroring of a directory tree as folders and files.
struct SourceScan {
  ConversionContext& context;
  DirectoryVisits& visits;
  PathDuringWalk path;      // on disk
  PathDuringWalk prefix;    // as the solution names it
  PathDuringWalk resource;  // in the project, as its rules name it
  const ResourceRules& rules;
};

/// Gives item, the entry name, what the project's rules say about it; false when
/// its filters drop it.
bool applyRules(const SourceScan& scan, const ContainerFilters& filters, SourceItem& item, const QString& name,
                const QStringList& excludedAbove) {
  if (scan.rules.isTrivial()) return true;
  const bool isFolder = item.kind == SourceItem::Kind::Folder;
  const QString path = scan.resource.with(name);
  if (!filters.isEmpty() && !filters.keepsChild(name, path, isFolder)) return false;
  scan.rules.describe(item, path, excludedAbove);
  return true;
}

bool addSourceDirectory(SourceScan& scan, std::vector<SourceItem>& items, Directory& directory, int depth,
                        const QStringList& excludedAbove);

// The folder of a subdirectory, filled. A directory entered before (a link back
// into the tree) gets no folder: its content is already in the tree. False when
// the budget of listed items is spent.
bool addSubdirectory(SourceScan& scan, std::vector<SourceItem>& items, const Directory& directory,
                     const DirectoryEntry& entry, SourceItem folder, int depth, const QStringList& excludedAbove) {
  const qsizetype pathLength = scan.path.enter(entry.name);
  std::optional<Directory> subdirectory = scan.visits.enter(directory, scan.path.path(), entry);
  bool complete = !subdirectory || scan.visits.takeItem();
  if (subdirectory && complete) {
    items.push_back(std::move(folder));
    const qsizetype prefixLength = scan.prefix.enter(entry.name);
    const qsizetype resourceLength = scan.resource.enter(entry.name);
    complete = addSourceDirectory(scan, items.back().items, *subdirectory, depth + 1,
                                  excludedAbove + items.back().excludedFrom);
    scan.resource.leave(resourceLength);
    scan.prefix.leave(prefixLength);
  }
  scan.path.leave(pathLength);
  return complete;
}

// False when the scan stopped at the workspace's budget of listed items.
bool addSourceDirectory(SourceScan& scan, std::vector<SourceItem>& items, Directory& directory, int depth,
                        const QStringList& excludedAbove) {
  const std::vector<DirectoryEntry> entries =
      scan.visits.read(directory, [](QByteArrayView rawName, DirectoryEntry::Type type) {
        if (rawName.startsWith('.')) return false;
        return type == DirectoryEntry::Type::Directory ||
               (type == DirectoryEntry::Type::File && hasSourceExtension(rawName));
      });
  releaseIfTooDeep(directory, depth);
  const ContainerFilters filters =
      scan.rules.isTrivial() ? ContainerFilters() : scan.rules.filtersOf(scan.resource.path());
  if (items.empty()) items.reserve(entries.size());  // a folder's own items: most entries become one
  for (const DirectoryEntry& entry : entries) {
    if (leavesOutName(scan.context, scan.path.path(), entry)) continue;
    if (entry.isDirectory()) {
      SourceItem folder = SourceItem::folder(entry.name);
      if (applyRules(scan, filters, folder, entry.name, excludedAbove) &&
          !addSubdirectory(scan, items, directory, entry, std::move(folder), depth, excludedAbove))
        return false;
      continue;
    }
    // The name is the last component of the path (SourceItem::fileName): one
    // string a file.
    SourceItem file = SourceItem::file(QString(), scan.prefix.with(entry.name));
    if (!applyRules(scan, filters, file, entry.name, excludedAbove)) continue;
    if (entry.isSymbolicLink && !scan.visits.followsLink(scan.path.with(entry.name), entry)) continue;
    if (!scan.visits.takeItem()) return false;
    items.push_back(std::move(file));
  }
  return true;
}

}  // namespace

void findFiles(ConversionContext& context, DirectoryVisits& visits, const QString& directory, const QString& reported,
               const QByteArray& fileName, QStringList& list) {
  FileSearch search{context, visits, fileName, list, PathDuringWalk(directory), PathDuringWalk(reported)};
  if (std::optional<Directory> top = visits.enterTop(directory)) findFilesBelow(search, *top, 0);
}

bool addSourceTree(ConversionContext& context, DirectoryVisits& visits, std::vector<SourceItem>& items,
                   const QString& directory, const QString& prefix, const ResourceScope& scope) {
  static const ResourceRules noRules;
  SourceScan scan{context,
                  visits,
                  PathDuringWalk(directory),
                  PathDuringWalk(prefix),
                  PathDuringWalk(scope.path),
                  scope.rules ? *scope.rules : noRules};
  std::optional<Directory> top = visits.enterTop(directory);
  return !top || addSourceDirectory(scan, items, *top, 0, scope.excludedAbove);
}
