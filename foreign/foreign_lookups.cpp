#include "foreign/foreign_lookups.h"

#include <utility>
#include <vector>

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
