#include "preprocessor/preprocessor_walk.h"

#include <QFileInfo>
#include <vector>

#include "preprocessor/xml_preprocessor.h"
#include "xml/xml_document.h"

const PreprocessorWalk::Directive PreprocessorWalk::directives[] = {
    {"if", &PreprocessorWalk::processIf},           {"ifnot", &PreprocessorWalk::processIfnot},
    {"ifex", &PreprocessorWalk::processIfex},       {"ifdef", &PreprocessorWalk::processIfdef},
    {"ifndef", &PreprocessorWalk::processIfndef},   {"switch", &PreprocessorWalk::processSwitch},
    {"define", &PreprocessorWalk::processDefine},   {"for", &PreprocessorWalk::processFor},
    {"foreach", &PreprocessorWalk::processForeach}, {"xmldef", &PreprocessorWalk::processXmldef},
    {"xmlput", &PreprocessorWalk::processXmlput},   {"include", &PreprocessorWalk::processInclude},
};

QString fileIdentity(const QString& path) {
  const QFileInfo file(path);
  const QString canonical = file.canonicalFilePath();
  return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

PreprocessorWalk::PreprocessorWalk(XMLPreprocessor& preprocessor, const QString& filePath)
    : preprocessor_(preprocessor), currentFile_(filePath) {
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
  XMLElement* root = preprocessor_.document().root.get();
  if (!directiveFor(root->tagName())) {
    if (flags & XMLPreprocessor::ExpandMacros) expandAttributes(*root, macros);
    walkChildren(*root, macros, flags);
    return;
  }
  XMLNode holder;
  holder.line = root->line;
  holder.appendChild(std::move(preprocessor_.document().root));
  walk(holder.firstChild(), macros, flags);
  std::vector<const XMLNode*> elements;
  for (const XMLNode* node = holder.firstChild(); node; node = node->nextSibling())
    if (node->nodeKind() == XMLNodeKind::Element) elements.push_back(node);
  currentNode_ = &holder;  // the directive that was the document element
  if (elements.size() > 1) warn(QStringLiteral("only the first element the document element yields is kept"));
  currentNode_ = nullptr;
  if (!elements.empty())
    preprocessor_.document().root.reset(static_cast<XMLElement*>(copyNode(*elements.front()).release()));
}

// The parent's children from first on wait in a queue and move back to the parent one
// at a time: an element that stays is appended again, a directive's content (already
// walked) is appended in its place, and a loop's copies go to the front of the queue to
// be walked next. Each step costs the same however long the list, where splicing into
// the parent's singly linked list would search it from the start every time.
void PreprocessorWalk::walk(XMLNode* first, MacroTable& macros, unsigned flags) {
  XMLNode* const parent = first->parent();
  XMLNode queue;
  queue.appendChild(parent->takeChildren());
  while (queue.firstChild() != first) parent->appendChild(queue.removeChild(queue.firstChild()));
  while (XMLNode* const node = queue.firstChild()) {
    if (stopped_) break;
    std::unique_ptr<XMLNode> taken = queue.removeChild(node);
    if (node->nodeKind() != XMLNodeKind::Element) {
      parent->appendChild(std::move(taken));
      continue;
    }
    Outcome outcome = processElement(static_cast<XMLElement&>(*node), macros, flags);
    if (outcome.action == Action::Keep || outcome.action == Action::Leave)
      parent->appendChild(std::move(taken));
    else if (outcome.action == Action::Replace)
      parent->appendChild(std::move(outcome.content));
    else
      queue.prependChild(std::move(outcome.content));
  }
  parent->appendChild(queue.takeChildren());  // what a stopped walk leaves as it stands
}

void PreprocessorWalk::walkChildren(XMLNode& parent, MacroTable macros, unsigned flags) {
  if (!parent.firstChild() || stopped_) return;
  if (nesting_ >= maximumNesting) {
    if (!nestingWarned_) warn(QStringLiteral("nesting deeper than %1 levels is left unprocessed").arg(maximumNesting));
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

// The element is out of the tree while it is processed; the walk puts back what the
// outcome says.
PreprocessorWalk::Outcome PreprocessorWalk::processElement(XMLElement& element, MacroTable& macros, unsigned flags) {
  const XMLNode* const enclosing = currentNode_;
  currentNode_ = &element;
  if (flags & XMLPreprocessor::ExpandMacros) expandAttributes(element, macros);
  const Handler handler = directiveFor(element.tagName());
  Outcome outcome = handler ? (this->*handler)(element, macros, flags) : Outcome{Action::Keep, nullptr};
  if (outcome.action == Action::Keep) walkChildren(element, macros, flags);
  currentNode_ = enclosing;
  return outcome;
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
  if (spent_ <= preprocessor_.workLimit_) return true;
  stopped_ = true;
  preprocessor_.stoppedAt_ = currentFile_ + QLatin1Char(':') + QString::number(currentLine());
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
  QString expanded = expand(text, macros, preprocessor_.globalMacros());
  spend(2 * expanded.size());
  return expanded;
}

void PreprocessorWalk::setMacro(MacroTable& macros, const QString& name, const QString& value) {
  // Every scope has its own copy of the map, shared until written: the first write
  // in a scope copies every entry.
  if (!macros.isDetached()) spend(64 * macros.size());
  macros.insert(name, value);
}

void PreprocessorWalk::warn(const QString& message) { preprocessor_.warn(currentFile_, currentLine(), message); }

// Outside any element the document element's line stands for the place.
int PreprocessorWalk::currentLine() const {
  const XMLNode* at = currentNode_ ? currentNode_ : preprocessor_.document().root.get();
  return at ? int(at->line) + 1 : 1;
}
