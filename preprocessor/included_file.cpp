#include "preprocessor/included_file.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "support/directory_listing.h"

namespace {

QString joined(const QString& directory, const QString& name) {
  if (!QDir::isRelativePath(name) || directory.isEmpty()) return QDir::cleanPath(name);
  return QDir::cleanPath(directory + QLatin1Char('/') + name);
}

// Walks the components of path from its start, taking for each one that does not exist
// as written the first directory entry equal to it ignoring case. Null when some
// component has no such entry.
QString caseInsensitiveMatch(const QString& path) {
  const bool absolute = path.startsWith(QLatin1Char('/'));
  QString resolved = absolute ? QStringLiteral("/") : QString();
  for (const QString& component : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
    const QString directory = resolved.isEmpty() ? QStringLiteral(".") : resolved;
    QString chosen = component;
    if (component != QLatin1String(".") && component != QLatin1String("..") &&
        !QFileInfo::exists(QDir(directory).filePath(component))) {
      chosen.clear();
      for (const DirectoryEntry& entry : Directory(directory).entries()) {
        if (entry.name.compare(component, Qt::CaseInsensitive) == 0) {
          chosen = entry.name;
          break;
        }
      }
      if (chosen.isEmpty()) return QString();
    }
    if (!resolved.isEmpty() && !resolved.endsWith(QLatin1Char('/'))) resolved += QLatin1Char('/');
    resolved += chosen;
  }
  return resolved;
}

}  // namespace

QString resolveIncludedPath(const QString& name, const QString& baseDirectory) {
  const QString asWritten = joined(baseDirectory, name);
  if (QFileInfo(asWritten).isFile()) return asWritten;
  const QString slashed = joined(baseDirectory, QString(name).replace(QLatin1Char('\\'), QLatin1Char('/')));
  if (QFileInfo(slashed).isFile()) return slashed;
  const QString matched = caseInsensitiveMatch(slashed);
  return !matched.isEmpty() && QFileInfo(matched).isFile() ? matched : asWritten;
}
