#include "xml/xml_preprocessor.h"

#include <QFile>

#include "properties/property_class_list.h"

XMLPP2::XMLPP2(bool keepData) : QXMLDocument(keepData) {}

XMLPP2::~XMLPP2() = default;

bool XMLPP2::load(const QString& path, const QString& definitions, bool expand) {
  if (!QXMLDocument::load(path)) return false;
  // The user's macros are consulted before the global values when expanding, so
  // they take precedence here too; the load's own definitions come last.
  MacroTable macros = globalMacros().values;
  macros.insert(globalMacros().userMacros);
  macros.insert(parseMacroDefinitions(definitions));
  if (root) processConditionals(root.get(), path, macros, expand ? unsigned(ExpandMacros) : 0u);
  return true;
}

void XMLPP2::processConditionals(XMLNode*, const QString&, MacroTable, unsigned) {}

const XMLElement* XMLPP2::fragment(const QString& name) const {
  const auto found = fragments_.find(name);
  return found == fragments_.end() ? nullptr : found->second.get();
}

bool XMLPP2::parseIncludedFile(const QString& path, XMLDocument& document) {
  return document.parseFile(QFile::encodeName(path).constData());
}
