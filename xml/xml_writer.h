#pragma once
// The one XML writer: the layout of the solution and templates files, used for whole
// documents (XMLDocument::toString) and for solutions written straight from the model.

#include <QStringView>
#include <cstdint>
#include <cstring>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "xml/xml_node.h"

class XMLDocument;

/// Writes XML into a byte string: indent blanks per level, one start tag per line,
/// the attributes of a start tag wider than lineWidth wrapped one per line (no line
/// feeds at all when indent is 0). Documents are walked with an explicit stack, so
/// deep trees cannot exhaust the call stack.
class XMLWriter {
 public:
  XMLWriter(uint32_t indent, uint32_t lineWidth, std::string& out)
      : indent_(indent), lineWidth_(lineWidth), out_(out) {}

  /// The declaration, the DOCTYPE line and the tree of document.
  void writeDocument(const XMLDocument& document);

  /// "<!DOCTYPE name>" and a line feed.
  void writeDoctype(std::string_view name);
  /// How a start tag ends: left open for text, closed for children that follow
  /// (">" and a line feed), or closed as an empty element ("/>", " />" after
  /// attributes, and a line feed).
  enum class TagEnd { Open, Children, Empty };
  /// Indentation for depth, "<", tag, the attributes with their values escaped, and end.
  void writeStartTag(std::string_view tag, std::span<const XMLAttribute> attributes, size_t depth, TagEnd end);
  /// The start tag of an element of one attribute, whose value is given as UTF-16
  /// text: the bytes writeStartTag writes for it, without an encoded copy of the
  /// value. False, with nothing written, where the value holds a character outside
  /// printable ASCII or is longer than a spilled piece: writeStartTag writes those.
  bool writeStartTag(std::string_view tag, std::string_view name, QStringView value, size_t depth, TagEnd end);
  /// Indentation for depth and "</tag>".
  void writeEndTag(std::string_view tag, size_t depth);
  /// Has spill called after every pieceSize bytes of an attribute value are
  /// written: a writer handing its text on in pieces then never holds a whole
  /// value, which may be as long as the file it came from.
  void setValueSpill(size_t pieceSize, std::function<void()> spill) {
    valuePieceSize_ = pieceSize;
    spill_ = std::move(spill);
  }

 private:
  void writeTree(const XMLElement& root);
  // Writes node at depth; true when it is an element whose children follow.
  bool writeNode(const XMLNode& node, size_t depth);
  bool writeElement(const XMLElement& element, size_t depth);
  bool wrapsAttributes(std::string_view tag, std::span<const XMLAttribute> attributes, size_t depth) const;
  void appendValue(std::string_view value);
  // The next bytes of out, to be written through the pointer; giveBackFrom(end)
  // then drops what was not written.
  char* takeRoom(size_t bytes);
  void giveBackFrom(const char* end) { out_.resize(size_t(end - out_.data())); }
  // Inline: a start tag copies a few short pieces, where a call would cost more than the copy.
  static char* copyBytes(char* to, std::string_view bytes) {
    std::memcpy(to, bytes.data(), bytes.size());
    return to + bytes.size();
  }
  bool writtenInPlace(const XMLAttribute& attribute) const {
    return attribute.hasValue && (!spill_ || attribute.value.size() <= valuePieceSize_);
  }
  size_t attributesRoom(std::span<const XMLAttribute> attributes, size_t wrapIndent) const;
  void writeIndent(size_t depth) { out_.append(indent_ * depth, ' '); }
  void writeLineFeed() {
    if (indent_ != 0) out_.push_back('\n');
  }

  const uint32_t indent_;
  const uint32_t lineWidth_;
  std::string& out_;
  size_t valuePieceSize_ = 0;
  std::function<void()> spill_;
};
