#include "importers/directory_stack.h"

#include <QDir>
#include <QFileInfo>

#include "importers/hexception.h"

QStringList& directoryStack() {
  static QStringList stack;
  return stack;
}

void pushDirectory(const QString& directory) {
  if (!directory.isNull() && !QFileInfo::exists(directory))
    throw HException(QStringLiteral("directory ") + directory + QStringLiteral(" does not exist"));
  const QString current = QDir::currentPath();
  // A path that exists but cannot be entered (a file, a directory without
  // permission) fails here instead of leaving relative paths resolving elsewhere.
  if (!directory.isEmpty() && !QDir::setCurrent(directory))
    throw HException(QStringLiteral("cannot enter directory ") + directory);
  directoryStack().prepend(current);
}

void popDirectory() {
  QDir::setCurrent(directoryStack().front());
  directoryStack().pop_front();
}

QString toForwardSlashes(const QString& path) {
  QString converted = path;
  converted.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (converted.endsWith(QLatin1Char('/'))) converted.chop(1);
  return converted;
}
