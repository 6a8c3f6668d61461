#include "importers/common/xml_loading.h"

#include <utility>
#include <vector>

#include "importers/common/foreign_path.h"
#include "importers/common/diagnostics.h"

DomDocument loadXmlDocument(const QString& path, const QString& referencedBy, InputFiles* inputs) {
  const std::optional<QByteArray> bytes = readInputFile(path, inputs);
  if (!bytes) {
    throw ConversionError(referencedBy.isEmpty() ? QString() : displayPath(referencedBy),
                          QStringLiteral("Cannot open ") + displayPath(path) + QStringLiteral(" for reading"));
  }
  DomDocument document;
  QString message;
  int line = 0;
  int column = 0;
  if (!document.setContent(*bytes, message, line, column)) {
    throw ConversionError(displayPath(path), message + QString::asprintf(" line: %d column: %d", line, column));
  }
  return document;
}

DomDocument loadForeignFile(InputFiles& inputs, const QString& path, const DocumentKind& kind,
                            const QString& referencedBy) {
  DomDocument document = loadXmlDocument(path, referencedBy, &inputs);
  if (documentElement(document).tagName() != QLatin1String(kind.element))
    throw ConversionError(displayPath(path), QStringLiteral("not ") + QLatin1String(kind.description));
  return document;
}

DomElement documentElement(const DomDocument& document) {
  const DomElement node = document;
  return node.childCount() > 0 ? node.child(0) : DomElement();
}

DomElement firstChildElement(DomElement node, const QString& tagName) {
  for (size_t i = 0; i < node.childCount(); ++i)
    if (node.child(i).tagName() == tagName) return node.child(i);
  return {};
}

QList<DomElement> childElements(DomElement node, const QString& tagName) {
  QList<DomElement> found;
  for (size_t i = 0; i < node.childCount(); ++i)
    if (node.child(i).tagName() == tagName) found.append(node.child(i));
  return found;
}

QString childElementText(DomElement node, const QString& tagName) {
  return firstChildElement(node, tagName).firstChildText();
}

QList<DomElement> descendantElements(DomElement node, const QString& tagName) {
  // Depth first in document order with an explicit stack, so deep files cannot
  // exhaust the call stack.
  QList<DomElement> found;
  std::vector<std::pair<DomElement, size_t>> stack{{node, 0}};  // element, next child
  while (!stack.empty()) {
    auto& [parent, next] = stack.back();
    if (next == parent.childCount()) {
      stack.pop_back();
      continue;
    }
    const DomElement element = parent.child(next++);
    if (element.tagName() == tagName) found.append(element);
    stack.emplace_back(element, 0);
  }
  return found;
}
