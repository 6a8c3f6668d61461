#pragma once
// A compact text form of a tree for the XML tests: a(x=1)[b,'text',<!--c-->,[[cdata]]].

#include <string>

#include "xml/xml_node.h"

namespace xml_testing {

inline std::string describe(const XMLNode& node) {
  const auto& text = [&node]() { return static_cast<const XMLTextNode&>(node).text(); };
  switch (node.nodeKind()) {
    case XMLNodeKind::Data:
      return "'" + text() + "'";
    case XMLNodeKind::Comment:
      return "<!--" + text() + "-->";
    case XMLNodeKind::CDATASection:
      return "[[" + text() + "]]";
    default:
      break;
  }
  std::string result;
  if (node.nodeKind() == XMLNodeKind::Element) {
    const auto& element = static_cast<const XMLElement&>(node);
    result = element.tagName();
    if (!element.attributes().empty()) {
      result += "(";
      for (const XMLAttribute& attribute : element.attributes())
        result += (result.back() == '(' ? "" : ",") + attribute.name + "=" + attribute.value;
      result += ")";
    }
  }
  if (node.firstChild()) {
    result += "[";
    for (const XMLNode* child = node.firstChild(); child; child = child->nextSibling())
      result += (child == node.firstChild() ? "" : ",") + describe(*child);
    result += "]";
  }
  return result;
}

}  // namespace xml_testing
