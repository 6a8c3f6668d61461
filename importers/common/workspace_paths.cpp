#include "importers/common/workspace_paths.h"

#include <QFileInfo>

QString nameWithoutLastSuffix(const QString& path) {
  const QString fileName = QFileInfo(path).fileName();
  const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? fileName : fileName.left(dot);
}

QString absoluteDirectoryOf(const QString& path) { return QFileInfo(path).absolutePath(); }
