// Fragments ("xmldef", "xmlput") and file inclusion ("include").

#include <QFileInfo>

#include "preprocessor/included_file.h"
#include "preprocessor/preprocessor_walk.h"
#include "preprocessor/xml_preprocessor.h"
#include "xml/xml_document.h"

namespace {

// "no_root" is not settled by the file format: here it includes the children of the
// included document element instead of the element itself, as "envelope" does for
// any name. Present means set, except for the values "0", "false" and "no".
bool isSet(const XMLElement& element, const char* name) {
  const QString value = attributeValue(element, name);
  return !value.isNull() && value.compare(QLatin1String("0")) != 0 &&
         value.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0 &&
         value.compare(QLatin1String("no"), Qt::CaseInsensitive) != 0;
}

// An "expand_macros" attribute (any value) switches macro expansion on for what
// the directive yields.
unsigned flagsFor(const XMLElement& element, unsigned flags) {
  return flags | (element.hasAttribute("expand_macros") ? unsigned(XMLPreprocessor::ExpandMacros) : 0u);
}

}  // namespace

// Taken out of the tree and kept by the document, replacing an earlier fragment of that
// name; its content is walked only where it is put. The document keeps a copy: a removed
// element keeps its parent link, which would dangle once that parent is gone.
PreprocessorWalk::Outcome PreprocessorWalk::processXmldef(XMLElement& element, MacroTable&, unsigned) {
  const QString name = attributeValue(element, "name");
  if (name.isNull()) return {Action::Keep, nullptr};
  if (!spend(costOf(element))) return {Action::Leave, nullptr};
  preprocessor_.fragments_[name].reset(static_cast<XMLElement*>(copyNode(element).release()));
  return {Action::Replace, nullptr};
}

MacroTable PreprocessorWalk::withDefinitions(const MacroTable& macros, const XMLElement& element) {
  MacroTable result = macros;
  const QString definitions = attributeValue(element, "macros");
  const MacroTable added = parseMacroDefinitions(QString(definitions).remove(QLatin1Char('\n')));
  for (auto entry = added.cbegin(); entry != added.cend(); ++entry) setMacro(result, entry.key(), entry.value());
  return result;
}

// A fragment that is being put and puts itself again, directly or through others,
// would never end: that put yields nothing, with a warning.
PreprocessorWalk::Outcome PreprocessorWalk::processXmlput(XMLElement& element, MacroTable& macros, unsigned flags) {
  const QString name = attributeValue(element, "name");
  if (name.isNull()) return {Action::Keep, nullptr};
  const XMLElement* fragment = preprocessor_.fragment(name);
  if (!fragment) {
    warn(QStringLiteral("xmlput cannot fine xmldef named ") + name);
    return {Action::Keep, nullptr};
  }
  if (putStack_.contains(name)) {
    warn(QStringLiteral("xmlput named %1 puts itself").arg(name));
    return {Action::Replace, nullptr};
  }
  if (!spend(costOf(*fragment))) return {Action::Leave, nullptr};
  // A copy: the walk may register another fragment of the same name meanwhile.
  std::unique_ptr<XMLNode> copy = copyNode(*fragment);
  putStack_ << name;
  std::unique_ptr<XMLNode> content = walkAndTake(*copy, withDefinitions(macros, element), flagsFor(element, flags));
  putStack_.removeLast();
  return {Action::Replace, std::move(content)};
}

// An include whose file cannot be read or parsed, or is empty, or is already being
// included (directly or through others), yields nothing: a warning says why.
PreprocessorWalk::Outcome PreprocessorWalk::processInclude(XMLElement& element, MacroTable& macros, unsigned flags) {
  const QString fileName = attributeValue(element, "filename");
  if (fileName.isNull()) {
    warn(QStringLiteral("missing filename in <include>"));
    return {Action::Keep, nullptr};
  }
  const QString baseDirectory = currentFile_.isEmpty() ? QString() : QFileInfo(currentFile_).path();
  const QString path = resolveIncludedPath(expandText(fileName, MacroTable()), baseDirectory);
  const QString identity = fileIdentity(path);
  if (includeStack_.contains(identity)) {
    warn(QStringLiteral("include file '%1' includes itself").arg(path));
    return {Action::Replace, nullptr};
  }
  // Finding, reading and parsing a file costs more than the nodes it makes.
  if (!spend(includeCost + QFileInfo(path).size())) return {Action::Leave, nullptr};
  XMLDocument included(preprocessor_.document().keepData());
  try {
    preprocessor_.parseIncludedFile(path, included);
  } catch (const XMLParseError& error) {
    warn(QStringLiteral("error \"%1\" in include file %2 line:%3")
             .arg(QString::fromStdString(error.message), path)
             .arg(error.line));
    return {Action::Replace, nullptr};
  }
  if (!included.root) {
    warn(QStringLiteral("error: include file '%1' is empty").arg(path));
    return {Action::Replace, nullptr};
  }
  if (!spend(costOf(*included.root))) return {Action::Leave, nullptr};
  for (const QString& name :
       attributeValue(element, "inherit_attributes").split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const std::string attribute = name.toStdString();
    if (const std::string* value = element.attribute(attribute)) included.root->setAttribute(attribute, *value);
  }
  const bool childrenOnly = included.root->tagName() == "envelope" || isSet(element, "no_root");
  const unsigned includedFlags = flagsFor(element, flags);
  const QString includingFile = currentFile_;
  currentFile_ = path;
  includeStack_ << identity;
  std::unique_ptr<XMLNode> content =
      walkIncluded(std::move(included.root), childrenOnly, withDefinitions(macros, element), includedFlags);
  includeStack_.removeLast();
  currentFile_ = includingFile;
  return {Action::Replace, std::move(content)};
}

// The included document element is walked inside a holder, like the content of any
// directive, so a directive there yields into it.
std::unique_ptr<XMLNode> PreprocessorWalk::walkIncluded(std::unique_ptr<XMLElement> included, bool childrenOnly,
                                                        const MacroTable& macros, unsigned flags) {
  if (childrenOnly) return walkAndTake(*included, macros, flags);
  XMLNode holder;
  holder.appendChild(std::move(included));
  return walkAndTake(holder, macros, flags);
}
