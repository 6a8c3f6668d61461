#include "readers/common/windows_path_anchor.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

#include "foreign/foreign_path.h"

namespace {

constexpr qsizetype mostComponentsTried = 64;

// The directory and those above it, the nearest first.
QStringList directoriesUpFrom(const QString& directory) {
  QStringList directories;
  const QString start = directory.isEmpty() ? QStringLiteral(".") : directory;
  QString current = QDir::cleanPath(QFileInfo(start).absoluteFilePath());
  for (;;) {
    directories.append(current);
    const QString parent = QFileInfo(current).path();
    if (parent == current) return directories;
    current = parent;
  }
}

}  // namespace

bool isWindowsAbsolutePath(const QString& path) {
  if (path.size() < 3) return false;
  const auto isSeparator = [](QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); };
  const char16_t first = path[0].unicode();
  const bool letter = (first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z');
  const bool drive = letter && path[1] == QLatin1Char(':') && isSeparator(path[2]);
  const bool share = isSeparator(path[0]) && isSeparator(path[1]) && !isSeparator(path[2]);
  return drive || share;
}

std::optional<AnchoredPath> anchorWindowsPath(ForeignPathResolver& paths, const QString& windowsPath,
                                              const QString& startDirectory, qsizetype leastComponents) {
  QStringList components = toForwardSlashes(windowsPath).split(QLatin1Char('/'), Qt::SkipEmptyParts);
  if (!components.isEmpty() && components.first().endsWith(QLatin1Char(':'))) components.removeFirst();  // the drive
  components = QDir::cleanPath(components.join(QLatin1Char('/'))).split(QLatin1Char('/'), Qt::SkipEmptyParts);
  components.removeAll(QStringLiteral(".."));
  if (components.size() > mostComponentsTried) components = components.mid(components.size() - mostComponentsTried);
  const QStringList directories = directoriesUpFrom(startDirectory);
  for (qsizetype count = components.size(); count >= std::max<qsizetype>(leastComponents, 1); --count) {
    const qsizetype first = components.size() - count;
    for (const QString& directory : directories) {
      // Most directories hold no entry of the part's first name: that costs one
      // look into a listing the resolver keeps.
      bool exists = false;
      paths.respell(components[first], directory, &exists);
      if (!exists) continue;
      const QString part = paths.respell(components.mid(first).join(QLatin1Char('/')), directory, &exists);
      if (exists) return AnchoredPath{QDir::cleanPath(directory + QLatin1Char('/') + part), count};
    }
  }
  return std::nullopt;
}
