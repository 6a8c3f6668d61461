#include "foreign/foreign_lookups.h"

bool TagMatcher::matchesFirst(ForeignElement element) {
  if (!rejected_.isNull() && element.hasSameTagName(rejected_)) return false;
  if (!element.hasTagName(tagName_)) {
    rejected_ = element;
    return false;
  }
  match_ = element;
  return true;
}

ForeignElement documentElement(const ForeignDocument& document) {
  const ForeignChildren children = ForeignElement(document).children();
  return children.begin() != children.end() ? *children.begin() : ForeignElement();
}

ForeignElement childNamed(ForeignElement node, QAnyStringView tagName) {
  for (const ForeignElement child : node.children())
    if (child.hasTagName(tagName)) return child;
  return {};
}

QList<ForeignElement> childrenNamed(ForeignElement node, QAnyStringView tagName) {
  QList<ForeignElement> found;
  TagMatcher matcher(tagName);
  for (const ForeignElement child : node.children())
    if (matcher.matches(child)) found.append(child);
  return found;
}

QString childText(ForeignElement node, QAnyStringView tagName) { return childNamed(node, tagName).firstChildText(); }

// The descendants follow their ancestor in one array: a scan without a stack.
// Once one has matched, the rest are told apart by their interned names alone.
QList<ForeignElement> descendantsNamed(ForeignElement node, QAnyStringView tagName) {
  QList<ForeignElement> found;
  TagMatcher matcher(tagName);
  const size_t count = node.descendantCount();
  size_t i = 0;
  while (i < count && !matcher.matches(node.descendant(i))) ++i;
  if (i == count) return found;
  const ForeignElement first = node.descendant(i);
  for (; i < count; ++i)
    if (node.descendant(i).hasSameTagName(first)) found.append(node.descendant(i));
  return found;
}
