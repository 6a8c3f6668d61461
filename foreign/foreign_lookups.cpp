#include "foreign/foreign_lookups.h"

namespace {

/// Matches elements of one document against a tag name. The document interns
/// its names, so once one element has matched, the others are compared with it
/// by identity instead of by text.
class TagMatcher {
 public:
  explicit TagMatcher(QAnyStringView tagName) : tagName_(tagName) {}

  bool matches(ForeignElement element) {
    if (!match_.isNull()) return element.hasSameTagName(match_);
    if (!element.hasTagName(tagName_)) return false;
    match_ = element;
    return true;
  }

 private:
  QAnyStringView tagName_;
  ForeignElement match_;
};

}  // namespace

ForeignElement documentElement(const ForeignDocument& document) {
  const ForeignElement node = document;
  return node.childCount() > 0 ? node.child(0) : ForeignElement();
}

ForeignElement childNamed(ForeignElement node, QAnyStringView tagName) {
  for (size_t i = 0; i < node.childCount(); ++i)
    if (node.child(i).hasTagName(tagName)) return node.child(i);
  return {};
}

QList<ForeignElement> childrenNamed(ForeignElement node, QAnyStringView tagName) {
  QList<ForeignElement> found;
  TagMatcher matcher(tagName);
  for (size_t i = 0; i < node.childCount(); ++i)
    if (matcher.matches(node.child(i))) found.append(node.child(i));
  return found;
}

QString childText(ForeignElement node, QAnyStringView tagName) { return childNamed(node, tagName).firstChildText(); }

// The descendants follow their ancestor in one array: a scan without a stack.
QList<ForeignElement> descendantsNamed(ForeignElement node, QAnyStringView tagName) {
  QList<ForeignElement> found;
  TagMatcher matcher(tagName);
  for (size_t i = 0; i < node.descendantCount(); ++i)
    if (matcher.matches(node.descendant(i))) found.append(node.descendant(i));
  return found;
}
