#pragma once
// The pretty-printing writer behind XMLDocument::write.

#include <cstdint>
#include <string>

#include "xml/xml_node.h"

class XMLDocument;

/// Writes a document into a byte string: the declaration, the DOCTYPE line and the tree
/// with indent spaces per level, wrapping attributes of start tags longer than lineWidth.
/// Walks the tree with an explicit stack, so deep trees cannot exhaust the call stack.
class XMLWriter {
 public:
  XMLWriter(uint32_t indent, uint32_t lineWidth, std::string& out)
      : indent_(indent), lineWidth_(lineWidth), out_(out) {}
  void writeDocument(const XMLDocument& document);

 private:
  void writeTree(const XMLElement& root);
  // Writes node at depth; true when it is an element whose children follow.
  bool writeNode(const XMLNode& node, size_t depth);
  bool writeElement(const XMLElement& element, size_t depth);
  void writeAttributes(const XMLElement& element, size_t depth);
  bool wrapsAttributes(const XMLElement& element, size_t depth) const;
  void writeEndTag(const XMLElement& element);
  void writeIndent(size_t depth) { out_.append(indent_ * depth, ' '); }
  void writeLineFeed() {
    if (indent_ != 0) out_.push_back('\n');
  }

  const uint32_t indent_;
  const uint32_t lineWidth_;
  std::string& out_;
};
