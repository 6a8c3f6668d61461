#pragma once
// The property of reading foreign files, shared by the fuzz target and the test
// that replays its corpus: whenever the fast byte parser accepts an input, Qt's
// stream reader accepts it too and the two trees are identical (tag names,
// lines, attributes in order, first-child texts, element children).

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foreign/foreign_document.h"

namespace foreign_xml_check {

inline std::string quoted(const QString& text) { return '"' + text.toStdString() + '"'; }

// The first difference between the two elements themselves (not their children).
inline std::string compareElement(ForeignElement fast, ForeignElement reference) {
  const std::string where = "<" + reference.tagName().toStdString() + ">: ";
  if (fast.tagName() != reference.tagName()) return where + "tag name " + quoted(fast.tagName());
  if (!fast.hasTagName(QUtf8StringView(reference.tagName().toUtf8()))) return where + "tag name bytes";
  if (fast.line() != reference.line())
    return where + "line " + std::to_string(fast.line()) + " instead of " + std::to_string(reference.line());
  if (fast.firstChildText() != reference.firstChildText())
    return where + "text " + quoted(fast.firstChildText()) + " instead of " + quoted(reference.firstChildText());
  if (fast.firstChildUtf8() != reference.firstChildUtf8() || fast.firstChildIsAscii() != reference.firstChildIsAscii())
    return where + "text bytes";
  if (fast.attributeCount() != reference.attributeCount()) return where + "attribute count";
  for (size_t i = 0; i < fast.attributeCount(); ++i) {
    if (fast.attributeName(i) != reference.attributeName(i) || fast.attributeValue(i) != reference.attributeValue(i))
      return where + "attribute " + quoted(fast.attributeName(i)) + "=" + quoted(fast.attributeValue(i)) +
             " instead of " + quoted(reference.attributeName(i)) + "=" + quoted(reference.attributeValue(i));
  }
  if (fast.childCount() != reference.childCount()) return where + "child count";
  // The children, each after the one before and its descendants (as children()
  // steps), end where the element's descendants end.
  size_t below = 0;
  size_t children = 0;
  for (; below < fast.descendantCount(); ++children) below += 1 + fast.descendant(below).descendantCount();
  if (fast.descendantCount() != below || reference.descendantCount() != below || children != fast.childCount())
    return where + "descendant count";
  return {};
}

// The property for one document.
inline std::string checkDocument(const QByteArray& bytes) {
  const std::optional<ForeignDocument> fast = ForeignDocument::parseFast(bytes);
  if (!fast) return {};
  ForeignDocument reference;
  try {
    reference = ForeignDocument::parseWithStreamReader(bytes);
  } catch (const ForeignParseError& error) {
    return "the fast path accepts what the stream reader rejects: " + error.message.toStdString() + " line " +
           std::to_string(error.line) + " column " + std::to_string(error.column);
  }
  std::vector<std::pair<ForeignElement, ForeignElement>> pending{{*fast, reference}};
  while (!pending.empty()) {
    const auto [fastElement, referenceElement] = pending.back();
    pending.pop_back();
    if (std::string difference = compareElement(fastElement, referenceElement); !difference.empty()) return difference;
    ForeignChildren::iterator referenceChild = referenceElement.children().begin();
    for (const ForeignElement child : fastElement.children()) pending.emplace_back(child, *referenceChild++);
  }
  return {};
}

/// An empty string when the property holds, else the first difference. The input
/// is read as a whole document and also as the content of a document element, in
/// UTF-8 and in a single-byte encoding, so that most inputs reach the fast path.
inline std::string check(std::string_view input) {
  const QByteArray bytes(input.data(), qsizetype(input.size()));
  for (const QByteArray& document :
       {bytes, "<r>" + bytes + "</r>", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<r>" + bytes + "</r>"}) {
    if (std::string difference = checkDocument(document); !difference.empty()) return difference;
  }
  return {};
}

}  // namespace foreign_xml_check
