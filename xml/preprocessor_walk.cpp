#include "xml/preprocessor_walk.h"

#include <QFileInfo>
#include <vector>

#include "xml/xml_document.h"
#include "xml/xml_preprocessor.h"

const PreprocessorWalk::Directive PreprocessorWalk::directives[] = {
    {"if", &PreprocessorWalk::processIf},
    {"ifnot", &PreprocessorWalk::processIfnot},
    {"ifex", &PreprocessorWalk::processIfex},
    {"ifdef", &PreprocessorWalk::processIfdef},
    {"ifndef", &PreprocessorWalk::processIfndef},
    {"switch", &PreprocessorWalk::processSwitch},
    {"define", &PreprocessorWalk::processDefine},
    {"for", &PreprocessorWalk::processFor},
    {"foreach", &PreprocessorWalk::processForeach},
    {"xmldef", &PreprocessorWalk::processXmldef},
    {"xmlput", &PreprocessorWalk::processXmlput},
    {"include", &PreprocessorWalk::processInclude},
};

QString attributeValue(const XMLElement& element, const char* name) {
  const std::string* value = element.attribute(name);
  if (value) return QString::fromUtf8(value->data(), qsizetype(value->size()));
  return element.hasAttribute(name) ? QStringLiteral("") : QString();
}

QString fileIdentity(const QString& path) {
  const QFileInfo file(path);
  const QString canonical = file.canonicalFilePath();
  return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

PreprocessorWalk::PreprocessorWalk(XMLPP2& document, const QString& filePath)
    : document_(document), currentFile_(filePath) {
  if (!filePath.isEmpty()) includeStack_ << fileIdentity(filePath);
}

PreprocessorWalk::Handler PreprocessorWalk::directiveFor(const std::string& tagName) {
  for (const Directive& directive : directives)
    if (tagName == directive.name) return directive.handle;
  return nullptr;
}

// A directive as document element has no parent to yield into: it is walked inside a
// holder, and the first element it yields becomes the document element. That element
// is a copy, so that, like any document element, it has no parent.
void PreprocessorWalk::processRoot(MacroTable macros, unsigned flags) {
  XMLElement* root = document_.root.get();
  if (!directiveFor(root->tagName())) {
    if (flags & XMLPP2::ExpandMacros) expandAttributes(*root, macros);
    walkChildren(*root, macros, flags);
    return;
  }
  XMLNode holder;
  holder.appendChild(std::move(document_.root));
  walk(holder.firstChild(), macros, flags);
  std::vector<const XMLNode*> elements;
  for (const XMLNode* node = holder.firstChild(); node; node = node->nextSibling())
    if (node->nodeKind() == XMLNodeKind::Element) elements.push_back(node);
  if (elements.size() > 1) warn(QStringLiteral("only the first element the document element yields is kept"));
  if (!elements.empty())
    document_.root.reset(static_cast<XMLElement*>(importNode(document_, *elements.front()).release()));
}

void PreprocessorWalk::walk(XMLNode* node, MacroTable& macros, unsigned flags) {
  while (node && !stopped_) {
    if (node->nodeKind() != XMLNodeKind::Element)
      node = node->nextSibling();
    else
      node = processElement(static_cast<XMLElement&>(*node), macros, flags);
  }
}

void PreprocessorWalk::walkChildren(XMLNode& parent, MacroTable macros, unsigned flags) {
  if (!parent.firstChild() || stopped_) return;
  if (nesting_ >= maximumNesting) {
    if (!nestingWarned_)
      warn(QStringLiteral("nesting deeper than %1 levels is left unprocessed").arg(maximumNesting));
    nestingWarned_ = true;
    return;
  }
  ++nesting_;
  walk(parent.firstChild(), macros, flags);
  --nesting_;
}

std::unique_ptr<XMLNode> PreprocessorWalk::walkAndTake(XMLNode& parent, const MacroTable& macros, unsigned flags) {
  walkChildren(parent, macros, flags);
  return parent.takeChildren();
}

// The next sibling is taken first, so content spliced in is not walked again at this level.
XMLNode* PreprocessorWalk::processElement(XMLElement& element, MacroTable& macros, unsigned flags) {
  XMLNode* const next = element.nextSibling();
  XMLNode* const parent = element.parent();
  if (flags & XMLPP2::ExpandMacros) expandAttributes(element, macros);
  const Handler handler = directiveFor(element.tagName());
  Outcome outcome = handler ? (this->*handler)(element, macros, flags) : Outcome{Action::Keep, nullptr};
  switch (outcome.action) {
    case Action::Keep:
      walkChildren(element, macros, flags);
      return next;
    case Action::Leave:
      return next;
    case Action::Replace:
    case Action::Repeat:
      break;
  }
  XMLNode* const first = outcome.content ? outcome.content.get() : next;
  parent->insertAfter(&element, std::move(outcome.content));
  parent->removeChild(&element);  // destroyed here
  return outcome.action == Action::Repeat ? first : next;
}

void PreprocessorWalk::expandAttributes(XMLElement& element, const MacroTable& macros) {
  for (XMLAttribute& attribute : element.attributes()) {
    if (attribute.value.find('$') == std::string::npos) continue;
    const QString value = QString::fromUtf8(attribute.value.data(), qsizetype(attribute.value.size()));
    const QString expanded = expandText(value, macros);
    if (expanded != value) attribute.value = expanded.toStdString();
  }
}

PreprocessorWalk::Outcome PreprocessorWalk::yieldChildrenIf(bool condition, XMLElement& element,
                                                            const MacroTable& macros, unsigned flags) {
  return {Action::Replace, condition ? walkAndTake(element, macros, flags) : nullptr};
}

bool PreprocessorWalk::spend(int64_t bytes) {
  if (stopped_) return false;
  spent_ += bytes;
  if (spent_ <= document_.workLimit_) return true;
  stopped_ = true;
  warn(QStringLiteral("the document grows beyond %1 bytes; the rest is left unprocessed").arg(document_.workLimit_));
  return false;
}

// Iterative, like the XML layer's own walks, so a deep subtree costs no stack.
int64_t PreprocessorWalk::costOf(const XMLNode& node) {
  int64_t cost = 0;
  std::vector<const XMLNode*> pending{&node};
  while (!pending.empty()) {
    const XMLNode* current = pending.back();
    pending.pop_back();
    cost += nodeCost;
    if (current->nodeKind() == XMLNodeKind::Element) {
      const auto& element = static_cast<const XMLElement&>(*current);
      cost += int64_t(element.tagName().size());
      for (const XMLAttribute& attribute : element.attributes())
        cost += int64_t(attribute.name.size() + attribute.value.size());
    } else if (current->nodeKind() != XMLNodeKind::Node) {
      cost += int64_t(static_cast<const XMLTextNode&>(*current).text().size());
    }
    for (const XMLNode* child = current->firstChild(); child; child = child->nextSibling()) pending.push_back(child);
  }
  return cost;
}

QString PreprocessorWalk::expandText(const QString& text, const MacroTable& macros) {
  QString expanded = expand(text, macros, true, true);
  spend(2 * expanded.size());
  return expanded;
}

void PreprocessorWalk::setMacro(MacroTable& macros, const QString& name, const QString& value) {
  // Every scope has its own copy of the map, shared until written: the first write
  // in a scope copies every entry.
  if (!macros.isDetached()) spend(64 * macros.size());
  macros.insert(name, value);
}

void PreprocessorWalk::warn(const QString& message) {
  document_.warning(QStringLiteral("XmlPP::processConditionals(): ") + message);
}
