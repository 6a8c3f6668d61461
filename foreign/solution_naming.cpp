#include "foreign/solution_naming.h"

#include <QFileInfo>

#include "support/diagnostics.h"
#include "xml/utf8_text.h"

QString nameWithoutLastSuffix(const QString& path) {
  const QString fileName = QFileInfo(path).fileName();
  const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? fileName : fileName.left(dot);
}

QString absoluteDirectoryOf(const QString& path) { return QFileInfo(path).absolutePath(); }

QString solutionNameOf(const QString& name, const QString& workspace) {
  if (!isXmlText(name)) {
    throw ConversionError(workspace, QStringLiteral("the workspace's name holds a control character, which a "
                                                    "solution file cannot hold"));
  }
  return name;
}
