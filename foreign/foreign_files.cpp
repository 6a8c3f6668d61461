#include "foreign/foreign_files.h"

#include "foreign/foreign_path.h"
#include "support/path.h"

DomDocument loadXmlDocument(const QString& path, const QString& referencedBy, InputFiles* inputs) {
  const std::optional<QByteArray> bytes = readInputFile(path, inputs);
  if (!bytes) {
    throw UnreadableFile(referencedBy.isEmpty() ? QString() : displayPath(referencedBy),
                          QStringLiteral("Cannot open ") + displayPath(path) + QStringLiteral(" for reading"));
  }
  DomDocument document;
  QString message;
  int line = 0;
  int column = 0;
  if (!document.setContent(*bytes, message, line, column)) {
    throw UnreadableFile(displayPath(path), message + QString::asprintf(" line: %d column: %d", line, column));
  }
  return document;
}

DomDocument loadForeignFile(InputFiles& inputs, const QString& path, const DocumentKind& kind,
                            const QString& referencedBy) {
  DomDocument document = loadXmlDocument(path, referencedBy, &inputs);
  if (documentElement(document).tagName() != QLatin1String(kind.element))
    throw UnreadableFile(displayPath(path), QStringLiteral("not ") + QLatin1String(kind.description));
  return document;
}
