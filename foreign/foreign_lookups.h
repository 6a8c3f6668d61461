#pragma once
// The lookups the readers make in a foreign file's element tree. Tag names are
// compared exactly; a literal ("File") is compared as bytes, without decoding.

#include <QAnyStringView>
#include <QList>
#include <QString>

#include "foreign/foreign_document.h"

/// Matches elements of one document against a tag name. The document interns
/// its names, so once one element has matched, the others are compared with it
/// by identity instead of by text: a reader that looks at many elements keeps
/// one matcher per name.
class TagMatcher {
 public:
  explicit TagMatcher(QAnyStringView tagName) : tagName_(tagName) {}

  bool matches(ForeignElement element) {
    return match_.isNull() ? matchesFirst(element) : element.hasSameTagName(match_);
  }

 private:
  bool matchesFirst(ForeignElement element);

  QAnyStringView tagName_;
  ForeignElement match_;
  // The last element that did not match before any did: a name that is never
  // there ("FileOption") then costs one comparison of identities per element too.
  ForeignElement rejected_;
};

/// The document element of document (null for an empty document).
ForeignElement documentElement(const ForeignDocument& document);

/// The first direct child of node that is an element named tagName (exact), or a null element.
ForeignElement childNamed(ForeignElement node, QAnyStringView tagName);

/// The direct children of node that are elements named tagName, in document order.
QList<ForeignElement> childrenNamed(ForeignElement node, QAnyStringView tagName);

/// The character data of the first child node of childNamed(node, tagName);
/// empty when that element is missing, has no children, or its first child is not text.
QString childText(ForeignElement node, QAnyStringView tagName);

/// The character data of element's first child node, empty when it is not text.
inline QString elementText(ForeignElement element) { return element.firstChildText(); }

/// Every element named tagName below node (all descendants), in document order.
/// Each element is visited once, so the cost stays proportional to the file.
QList<ForeignElement> descendantsNamed(ForeignElement node, QAnyStringView tagName);
