#include "importers/eclipse_source_tree.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <iterator>

#include "importers/import_settings.h"
#include "projectsystem/project_system.h"
#include "projectsystem/wildcard.h"

namespace {

// Compared exactly: "main.C" and "startup.S" are not source files here.
const char* const sourceExtensions[] = {"c", "cpp", "cxx", "h", "hpp", "hxx", "txt", "asm", "s"};

// The extension is everything after the first ".", so "test.main.c" has "main.c".
bool hasSourceExtension(const QString& name) {
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  if (dot < 0) return false;
  const QString extension = name.mid(dot + 1);
  return std::any_of(std::begin(sourceExtensions), std::end(sourceExtensions),
                     [&](const char* known) { return extension == QLatin1String(known); });
}

/// The real paths of the directories on the current recursion path of one scan.
class RecursionPath {
 public:
  /// Enters directory unless its real path is already on the path (a link
  /// cycle); returns whether it did.
  bool enter(const QFileInfo& directory) {
    QString real = directory.canonicalFilePath();
    if (real.isEmpty()) real = directory.absoluteFilePath();
    if (realPaths_.contains(real)) return false;
    realPaths_.append(real);
    return true;
  }
  void leave() { realPaths_.removeLast(); }

 private:
  QStringList realPaths_;
};

QFileInfoList sortedEntries(const QString& directory, QDir::Filters extraFilters) {
  return QDir(directory).entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | extraFilters,
                                       QDir::Name | QDir::IgnoreCase);
}

void findFilesBelow(const QString& directory, const WildcardPattern& pattern, QStringList& list,
                    RecursionPath& recursionPath) {
  for (const QFileInfo& entry : sortedEntries(directory, QDir::Hidden)) {
    const QString path = directory + QLatin1Char('/') + entry.fileName();
    if (entry.isDir()) {
      if (!recursionPath.enter(entry)) continue;
      findFilesBelow(path, pattern, list, recursionPath);
      recursionPath.leave();
    } else if (entry.isFile() && pattern.matches(entry.fileName())) {
      list.append(path);
    }
  }
}

// A link back to a directory being mirrored gets no folder at all: its content
// is already in the tree above it.
void addSourceDirectoryBelow(ProjectSystem& projectSystem, ProjectElement* folder, const QString& directory,
                             RecursionPath& recursionPath) {
  for (const QFileInfo& entry : sortedEntries(directory, QDir::Filters())) {
    const QString name = entry.fileName();
    if (name.startsWith(QLatin1Char('.'))) continue;
    const QString path = directory + QLatin1Char('/') + name;
    if (entry.isDir()) {
      if (!recursionPath.enter(entry)) continue;
      ProjectElement* subfolder = projectSystem.findOrAddFolder(folder, name, QString());
      addSourceDirectoryBelow(projectSystem, subfolder, path, recursionPath);
      recursionPath.leave();
    } else if (entry.isFile() && hasSourceExtension(name) && !matchesFileFilter(name)) {
      projectSystem.addFile(folder, path);
    }
  }
}

}  // namespace

void findFiles(const QString& directory, const WildcardPattern& pattern, QStringList& list) {
  RecursionPath recursionPath;
  recursionPath.enter(QFileInfo(directory));
  findFilesBelow(directory, pattern, list, recursionPath);
}

void addSourceDirectory(ProjectSystem& projectSystem, ProjectElement* folder, const QString& directory) {
  RecursionPath recursionPath;
  recursionPath.enter(QFileInfo(directory));
  addSourceDirectoryBelow(projectSystem, folder, directory, recursionPath);
}
