#include "foreign/foreign_lookups.h"

#include <utility>
#include <vector>

ForeignElement documentElement(const ForeignDocument& document) {
  const ForeignElement node = document;
  return node.childCount() > 0 ? node.child(0) : ForeignElement();
}

ForeignElement childNamed(ForeignElement node, const QString& tagName) {
  for (size_t i = 0; i < node.childCount(); ++i)
    if (node.child(i).tagName() == tagName) return node.child(i);
  return {};
}

QList<ForeignElement> childrenNamed(ForeignElement node, const QString& tagName) {
  QList<ForeignElement> found;
  for (size_t i = 0; i < node.childCount(); ++i)
    if (node.child(i).tagName() == tagName) found.append(node.child(i));
  return found;
}

QString childText(ForeignElement node, const QString& tagName) { return childNamed(node, tagName).firstChildText(); }

QList<ForeignElement> descendantsNamed(ForeignElement node, const QString& tagName) {
  // Depth first in document order with an explicit stack, so deep files cannot
  // exhaust the call stack.
  QList<ForeignElement> found;
  std::vector<std::pair<ForeignElement, size_t>> stack{{node, 0}};  // element, next child
  while (!stack.empty()) {
    auto& [parent, next] = stack.back();
    if (next == parent.childCount()) {
      stack.pop_back();
      continue;
    }
    const ForeignElement element = parent.child(next++);
    if (element.tagName() == tagName) found.append(element);
    stack.emplace_back(element, 0);
  }
  return found;
}
