#include "importers/eclipse/eclipse_source_tree.h"

#include <algorithm>
#include <iterator>

#include "importers/common/conversion_context.h"
#include "importers/common/directory_listing.h"
#include "importers/common/foreign_path.h"
#include "importers/eclipse/directory_visits.h"
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

QString entryPath(const QString& directory, const QString& name) { return directory + QLatin1Char('/') + name; }

// A name that is not valid UTF-8 cannot be written into a solution (an XML
// file); the entry is reported and left out.
void reportUndecodableName(ConversionContext& context, const QString& directory, const DirectoryEntry& entry) {
  context.warn(displayPath(entryPath(directory, displayName(entry.rawName))) +
               QStringLiteral(": the name is not valid UTF-8; it is left out"));
}

void findFilesBelow(ConversionContext& context, DirectoryVisits& visits, const QString& directory,
                    const QString& reported, const WildcardPattern& pattern, QStringList& list) {
  for (const DirectoryEntry& entry : listDirectory(directory)) {
    if (entry.isDirectory() && !entry.validName) {
      reportUndecodableName(context, directory, entry);
    } else if (entry.isDirectory()) {
      const QString path = entryPath(directory, entry.name);
      if (visits.enter(path, entry))
        findFilesBelow(context, visits, path, entryPath(reported, entry.name), pattern, list);
    } else if (entry.isFile() && entry.validName && pattern.matches(entry.name)) {
      list.append(entryPath(reported, entry.name));
    }
  }
}

}  // namespace

void findFiles(ConversionContext& context, DirectoryVisits& visits, const QString& directory,
               const QString& reported, const WildcardPattern& pattern, QStringList& list) {
  if (visits.enterTop(directory)) findFilesBelow(context, visits, directory, reported, pattern, list);
}

void addSourceDirectory(ProjectSystem& projectSystem, ConversionContext& context, DirectoryVisits& visits,
                        ProjectElement* folder, const QString& directory, const QString& prefix) {
  for (const DirectoryEntry& entry : listDirectory(directory)) {
    if (entry.name.startsWith(QLatin1Char('.'))) continue;
    const bool sourceFile =
        entry.isFile() && hasSourceExtension(entry.name) && !context.settings().excludesFile(entry.name);
    if (!entry.validName && (entry.isDirectory() || sourceFile)) {
      reportUndecodableName(context, directory, entry);
    } else if (entry.isDirectory()) {
      // A directory entered before (a link back into the tree) gets no folder:
      // its content is already in the tree.
      const QString path = entryPath(directory, entry.name);
      if (!visits.enter(path, entry)) continue;
      ProjectElement* subfolder = projectSystem.findOrAddFolder(folder, entry.name, QString());
      addSourceDirectory(projectSystem, context, visits, subfolder, path, entryPath(prefix, entry.name));
    } else if (sourceFile) {
      projectSystem.addFile(folder, entryPath(prefix, entry.name));
    }
  }
}
