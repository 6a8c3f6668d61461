#include "preprocessor/xml_preprocessor.h"

#include <QFile>

#include "preprocessor/preprocessor_walk.h"

XMLPreprocessor::XMLPreprocessor(const GlobalMacros& globalMacros, bool keepData)
    : QXMLDocument(keepData), globalMacros_(globalMacros) {}

XMLPreprocessor::~XMLPreprocessor() = default;

bool XMLPreprocessor::load(const QString& path, const QString& definitions, bool expand) {
  if (!QXMLDocument::load(path)) return false;
  preprocess(path, definitions, expand);
  return true;
}

bool XMLPreprocessor::loadText(std::string_view text, const QString& path, const QString& definitions, bool expand) {
  if (!parse(text)) return false;
  preprocess(path, definitions, expand);
  return true;
}

void XMLPreprocessor::preprocess(const QString& path, const QString& definitions, bool expand) {
  // The user's macros are consulted before the global values when expanding, so
  // they take precedence here too; the load's own definitions come last.
  MacroTable macros = globalMacros_.values;
  macros.insert(globalMacros_.userMacros);
  macros.insert(parseMacroDefinitions(definitions));
  if (root) processConditionals(root.get(), path, macros, expand ? unsigned(ExpandMacros) : 0u);
}

// A chain without a parent other than the document element has nothing to yield
// into: only the children of its elements are processed.
void XMLPreprocessor::processConditionals(XMLNode* first, const QString& filePath, MacroTable macros, unsigned flags) {
  if (!first) return;
  PreprocessorWalk walk(*this, filePath);
  if (first == root.get()) {
    walk.processRoot(macros, flags);
  } else if (first->parent()) {
    walk.walk(first, macros, flags);
  } else {
    for (XMLNode* node = first; node; node = node->nextSibling()) walk.walkChildren(*node, macros, flags);
  }
}

void XMLPreprocessor::workLimitReached(const QString& file, int line) {
  warning(file, line, QStringLiteral("the document grows beyond %1 bytes; the rest is left unprocessed").arg(workLimit_));
}

const XMLElement* XMLPreprocessor::fragment(const QString& name) const {
  const auto found = fragments_.find(name);
  return found == fragments_.end() ? nullptr : found->second.get();
}

// parseUtf8File reads only regular files: a pipe or a device could be read from forever.
bool XMLPreprocessor::parseIncludedFile(const QString& path, XMLDocument& document) {
  return document.parseUtf8File(QFile::encodeName(path).constData());
}
