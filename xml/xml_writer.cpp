#include "xml/xml_writer.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "xml/xml_document.h"
#include "xml/xml_references.h"

namespace {

void appendQuotedPair(std::string& out, std::string_view name, std::string_view value) {
  out.push_back(' ');
  out.append(name);
  out.append("=\"");
  out.append(value);
  out.push_back('"');
}

}  // namespace

// The declaration keeps the format's two blanks after "xml" and one before "?>".
void XMLWriter::writeDocument(const XMLDocument& document) {
  if (document.version || document.encoding) {
    out_.append("<?xml ");
    if (document.version) appendQuotedPair(out_, "version", *document.version);
    if (document.encoding) appendQuotedPair(out_, "encoding", *document.encoding);
    out_.append(" ?>\n");
  }
  if (document.doctype) writeDoctype(*document.doctype);
  if (document.root) writeTree(*document.root);
}

void XMLWriter::writeDoctype(std::string_view name) { out_.append("<!DOCTYPE ").append(name).append(">\n"); }

void XMLWriter::writeTree(const XMLElement& root) {
  std::vector<const XMLElement*> openElements;  // elements whose children are being written
  const XMLNode* node = &root;
  for (;;) {
    if (writeNode(*node, openElements.size())) {
      openElements.push_back(static_cast<const XMLElement*>(node));
      node = node->firstChild();
      continue;
    }
    while (!openElements.empty() && !node->nextSibling()) {
      const XMLElement* closed = openElements.back();
      openElements.pop_back();
      writeEndTag(closed->tagName(), openElements.size());
      writeLineFeed();
      node = closed;
    }
    if (openElements.empty()) return;
    node = node->nextSibling();
  }
}

bool XMLWriter::writeNode(const XMLNode& node, size_t depth) {
  switch (node.nodeKind()) {
    case XMLNodeKind::Element:
      return writeElement(static_cast<const XMLElement&>(node), depth);
    case XMLNodeKind::Data:
      writeIndent(depth);
      appendEscaped(out_, static_cast<const XMLTextNode&>(node).text());
      break;
    case XMLNodeKind::Comment:
      writeIndent(depth);
      out_.append("<!--").append(static_cast<const XMLTextNode&>(node).text()).append("-->");
      break;
    case XMLNodeKind::CDATASection:
      writeIndent(depth);
      out_.append("<![CDATA[").append(static_cast<const XMLTextNode&>(node).text()).append("]]>");
      break;
    case XMLNodeKind::Node:
      writeIndent(depth);
      break;  // a bare container node has no text form
  }
  return false;
}

bool XMLWriter::writeElement(const XMLElement& element, size_t depth) {
  const XMLNode* first = element.firstChild();
  if (!first) {
    writeStartTag(element.tagName(), element.attributes(), depth, TagEnd::Empty);
    return false;
  }
  if (first->nodeKind() == XMLNodeKind::Data) {
    // Only the text is written, and no line feed after the end tag; the element's
    // other children are left out.
    writeStartTag(element.tagName(), element.attributes(), depth, TagEnd::Open);
    out_.push_back('>');
    appendEscaped(out_, static_cast<const XMLTextNode*>(first)->text());
    writeEndTag(element.tagName(), 0);
    return false;
  }
  writeStartTag(element.tagName(), element.attributes(), depth, TagEnd::Children);
  return true;
}

// Written in place: room for the longest form of the whole tag is taken at once and
// the unused part given back, rather than appending piece by piece. A value longer
// than a piece (with a spill) is the exception: it is handed on as it is written.
void XMLWriter::writeStartTag(std::string_view tag, std::span<const XMLAttribute> attributes, size_t depth,
                              TagEnd end) {
  const bool wrap = wrapsAttributes(tag, attributes, depth);
  const size_t wrapIndent = indent_ * (depth + 1);
  constexpr size_t endRoom = 4;  // " />" and a line feed
  char* to = takeRoom(indent_ * depth + 1 + tag.size() + attributesRoom(attributes, wrapIndent) + endRoom);
  to = std::fill_n(to, indent_ * depth, ' ');
  *to++ = '<';
  to = copyBytes(to, tag);
  for (size_t index = 0; index < attributes.size(); ++index) {
    const XMLAttribute& attribute = attributes[index];
    // An attribute without a value stays on the current line even when the others wrap.
    if (wrap && attribute.hasValue) {
      *to++ = '\n';
      to = std::fill_n(to, wrapIndent, ' ');
    } else {
      *to++ = ' ';
    }
    to = copyBytes(to, attribute.name);
    *to++ = '=';
    *to++ = '"';
    if (writtenInPlace(attribute)) {
      to = writeEscaped(to, attribute.value);
    } else if (attribute.hasValue) {
      giveBackFrom(to);
      appendValue(attribute.value);
      to = takeRoom(1 + attributesRoom(attributes.subspan(index + 1), wrapIndent) + endRoom);
    }
    *to++ = '"';
  }
  if (end == TagEnd::Children) *to++ = '>';
  if (end == TagEnd::Empty) to = copyBytes(to, attributes.empty() ? std::string_view("/>") : std::string_view(" />"));
  if (end != TagEnd::Open && indent_ != 0) *to++ = '\n';
  giveBackFrom(to);
}

// One attribute never wraps: the tag, the attribute and the end on one line.
bool XMLWriter::writeStartTag(std::string_view tag, std::string_view name, QStringView value, size_t depth,
                              TagEnd end) {
  const size_t valueSize = static_cast<size_t>(value.size());
  if (spill_ && valueSize > valuePieceSize_) return false;
  const size_t start = out_.size();
  constexpr size_t endRoom = 4;  // " />" and a line feed
  char* to = takeRoom(indent_ * depth + 2 + tag.size() + name.size() + 3 + valueSize * maxEscapedLength + endRoom);
  to = std::fill_n(to, indent_ * depth, ' ');
  *to++ = '<';
  to = copyBytes(to, tag);
  *to++ = ' ';
  to = copyBytes(to, name);
  *to++ = '=';
  *to++ = '"';
  to = writeEscapedAscii(to, value);
  if (!to) {
    out_.resize(start);
    return false;
  }
  *to++ = '"';
  if (end == TagEnd::Children) *to++ = '>';
  if (end == TagEnd::Empty) to = copyBytes(to, " />");
  if (end != TagEnd::Open && indent_ != 0) *to++ = '\n';
  giveBackFrom(to);
  return true;
}

// The most bytes the attributes take written, values escaped in place included.
size_t XMLWriter::attributesRoom(std::span<const XMLAttribute> attributes, size_t wrapIndent) const {
  size_t room = 0;
  for (const XMLAttribute& attribute : attributes)
    room += 1 + wrapIndent + attribute.name.size() + 3 +
            (writtenInPlace(attribute) ? attribute.value.size() * maxEscapedLength : 0);
  return room;
}

char* XMLWriter::takeRoom(size_t bytes) {
  const size_t used = out_.size();
  out_.resize(used + bytes);
  return out_.data() + used;
}

void XMLWriter::appendValue(std::string_view value) {
  if (!spill_) {
    appendEscaped(out_, value);
    return;
  }
  for (size_t start = 0; start < value.size(); start += valuePieceSize_) {
    appendEscaped(out_, value.substr(start, valuePieceSize_));
    spill_();
  }
}

void XMLWriter::writeEndTag(std::string_view tag, size_t depth) {
  writeIndent(depth);
  out_.append("</");
  out_.append(tag);
  out_.push_back('>');
}

// The start tag's width as counted here: indentation, "<" and name, and per attribute
// its name, raw value, blank, "=" and quotes.
bool XMLWriter::wrapsAttributes(std::string_view tag, std::span<const XMLAttribute> attributes, size_t depth) const {
  if (lineWidth_ == 0 || attributes.size() < 2) return false;
  uint64_t width = uint64_t{indent_} * depth + tag.size() + 1;
  for (const XMLAttribute& attribute : attributes) {
    width += attribute.name.size() + (attribute.hasValue ? attribute.value.size() : 0) + 4;
    if (width > lineWidth_) return true;
  }
  return false;
}
