#include "templates/templates_file_list.h"

#include <QFileInfo>

#include "support/directory_listing.h"
#include "support/wildcard.h"

namespace {

const QChar separator = QLatin1Char('/');

bool hasWildcard(const QString& text) {
  return text.contains(QLatin1Char('*')) || text.contains(QLatin1Char('?')) || text.contains(QLatin1Char('['));
}

QString joined(const QString& prefix, const QString& name) {
  if (prefix.isEmpty()) return name;
  return prefix.endsWith(separator) ? prefix + name : prefix + separator + name;
}

// The entries of directory whose names match component: directories for inner
// components, files for the last one, in listing order (by name, ignoring case);
// hidden entries are not listed, as a shell does not list them.
QStringList matchingEntries(const QString& directory, const QString& component, bool last) {
  const WildcardPattern pattern(component);
  QStringList matches;
  for (const DirectoryEntry& entry : Directory(directory).entries()) {
    if (entry.name.startsWith(QLatin1Char('.')) || (last ? !entry.isFile() : !entry.isDirectory())) continue;
    if (pattern.matches(entry.name)) matches.append(joined(directory, entry.name));
  }
  return matches;
}

// Walks the entry's components, widening the set of candidate paths at each
// component that holds a wildcard.
QStringList expandWildcards(const QString& entry) {
  QStringList candidates{entry.startsWith(separator) ? QString(separator) : QString()};
  const QStringList components = entry.split(separator, Qt::SkipEmptyParts);
  for (qsizetype index = 0; index < components.size(); ++index) {
    const QString& component = components[index];
    const bool last = index + 1 == components.size();
    QStringList widened;
    for (const QString& candidate : std::as_const(candidates))
      widened += hasWildcard(component) ? matchingEntries(candidate, component, last)
                                        : QStringList{joined(candidate, component)};
    candidates = widened;
  }
  return candidates;
}

}  // namespace

// A device, a pipe or a directory named as a templates file exists, but holds no
// templates; saying it does not exist would send its user looking for a typing error.
TemplatesFileList templatesFilePaths(const QString& templatesFiles, const GlobalMacros& globalMacros) {
  TemplatesFileList list;
  for (const QString& entry : expandGlobal(templatesFiles, globalMacros).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    if (!hasWildcard(entry)) {
      const QFileInfo file(entry);
      if (file.isFile())
        list.paths.append(entry);
      else
        list.leftOut.append(
            QStringLiteral("templates file ") + entry +
            (file.exists() ? QStringLiteral(" is not a regular file") : QStringLiteral(" does not exist")));
      continue;
    }
    for (const QString& candidate : expandWildcards(entry))
      if (QFileInfo(candidate).isFile()) list.paths.append(candidate);
  }
  return list;
}
