#include "foreign/foreign_files.h"

#include "foreign/foreign_path.h"
#include "support/path.h"

ForeignDocument loadXmlDocument(const QString& path, const QString& referencedBy, InputFiles* inputs) {
  const std::optional<QByteArray> bytes = readInputFile(path, inputs);
  if (!bytes) {
    throw UnreadableFile(referencedBy.isEmpty() ? QString() : displayPath(referencedBy),
                         QStringLiteral("Cannot open ") + displayPath(path) + QStringLiteral(" for reading"));
  }
  try {
    return ForeignDocument::parse(*bytes);
  } catch (const ForeignParseError& error) {
    throw UnreadableFile(displayPath(path),
                         error.message + QString::asprintf(" line: %d column: %d", error.line, error.column));
  }
}

ForeignDocument loadForeignFile(InputFiles& inputs, const QString& path, const DocumentKind& kind,
                                const QString& referencedBy) {
  ForeignDocument document = loadXmlDocument(path, referencedBy, &inputs);
  if (documentElement(document).tagName() != QLatin1String(kind.element))
    throw UnreadableFile(displayPath(path), QStringLiteral("not ") + QLatin1String(kind.description));
  return document;
}
