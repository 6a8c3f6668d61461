#pragma once
// The write and re-parse property that the fuzz target checks and the corpus test
// replays: a text that parses into a document element is written to bytes that parse
// again and are written back byte for byte the same.

#include <string>
#include <string_view>
#include <vector>

#include "xml/xml_document.h"

namespace xml_round_trip {

/// An element with an empty name, no attributes and no children is written as "</>",
/// which reads back as an end tag. The writer's format is fixed, so such trees are
/// the one shape the property leaves out.
inline bool hasBareEmptyNamedElement(const XMLNode& root) {
  std::vector<const XMLNode*> pending{&root};
  while (!pending.empty()) {
    const XMLNode* node = pending.back();
    pending.pop_back();
    if (node->nodeKind() == XMLNodeKind::Element && !node->firstChild()) {
      const auto* element = static_cast<const XMLElement*>(node);
      if (element->tagName().empty() && element->attributes().empty()) return true;
    }
    for (const XMLNode* child = node->firstChild(); child; child = child->nextSibling()) pending.push_back(child);
  }
  return false;
}

struct Mode {
  bool keepData;
  uint32_t indent;
  uint32_t lineWidth;
};

/// The project's own setting, and a data-keeping one on a single line (with indentation,
/// the written blanks would come back as character data).
inline constexpr Mode modes[] = {{false, 2, 75}, {true, 0, 0}};

/// Empty when the property holds for bytes in every mode, else what went wrong.
inline std::string check(std::string_view bytes) {
  for (const Mode& mode : modes) {
    XMLDocument first(mode.keepData);
    try {
      first.parse(bytes);
    } catch (const XMLParseError&) {
      continue;
    }
    if (!first.root || hasBareEmptyNamedElement(*first.root)) continue;
    const std::string written = first.toString(mode.indent, mode.lineWidth);
    XMLDocument second(mode.keepData);
    try {
      second.parse(written);
    } catch (const XMLParseError& error) {
      return "the written text does not parse: " + error.message;
    }
    if (!second.root) return "the written text has no document element";
    if (second.toString(mode.indent, mode.lineWidth) != written) return "writing the re-parsed text differs";
  }
  return {};
}

}  // namespace xml_round_trip
