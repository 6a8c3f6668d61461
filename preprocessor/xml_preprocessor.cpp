#include "preprocessor/xml_preprocessor.h"

#include "preprocessor/preprocessor_walk.h"
#include "support/diagnostics.h"

XMLPreprocessor::XMLPreprocessor(XMLDocument& document, const GlobalMacros& globalMacros, Diagnostics* diagnostics)
    : parseIncludedFile([](const QString& path, XMLDocument& included) { included.parseFile(path); }),
      document_(document),
      globalMacros_(globalMacros),
      diagnostics_(diagnostics) {}

XMLPreprocessor::~XMLPreprocessor() = default;

void XMLPreprocessor::load(const QString& path, const QString& definitions, bool expand) {
  document_.parseFile(path);
  preprocess(path, definitions, expand);
}

void XMLPreprocessor::loadText(std::string_view text, const QString& path, const QString& definitions, bool expand) {
  document_.parse(text);
  preprocess(path, definitions, expand);
}

void XMLPreprocessor::preprocess(const QString& path, const QString& definitions, bool expand) {
  // The user's macros are consulted before the global values when expanding, so
  // they take precedence here too; the load's own definitions come last.
  MacroTable macros = globalMacros_.values;
  macros.insert(globalMacros_.userMacros);
  macros.insert(parseMacroDefinitions(definitions));
  if (document_.root) processConditionals(document_.root.get(), path, macros, expand ? unsigned(ExpandMacros) : 0u);
}

// A chain without a parent other than the document element has nothing to yield
// into: only the children of its elements are processed.
void XMLPreprocessor::processConditionals(XMLNode* first, const QString& filePath, MacroTable macros, unsigned flags) {
  if (!first) return;
  PreprocessorWalk walk(*this, filePath);
  if (first == document_.root.get()) {
    walk.processRoot(macros, flags);
  } else if (first->parent()) {
    walk.walk(first, macros, flags);
  } else {
    for (XMLNode* node = first; node; node = node->nextSibling()) walk.walkChildren(*node, macros, flags);
  }
}

void XMLPreprocessor::warn(const QString& file, int line, const QString& message) {
  if (diagnostics_) diagnostics_->warn(file + QLatin1Char(':') + QString::number(line), message);
}

const XMLElement* XMLPreprocessor::fragment(const QString& name) const {
  const auto found = fragments_.find(name);
  return found == fragments_.end() ? nullptr : found->second.get();
}
