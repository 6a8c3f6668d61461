#include "xml/xml_node.h"

#include <algorithm>

XMLNode::~XMLNode() {
  destroyChain(firstChild_);
  destroyChain(nextSibling_);
}

// Walks the chain as a work list: a node's children are spliced in front of the rest
// before the node is deleted, so every delete finds a node without children or chain
// and nothing recurses, however long or deep the tree.
void XMLNode::destroyChain(XMLNode* chain) {
  while (chain) {
    XMLNode* node = chain;
    chain = node->nextSibling_;
    if (node->firstChild_) {
      node->lastChild_->nextSibling_ = chain;
      chain = node->firstChild_;
    }
    node->firstChild_ = node->lastChild_ = node->nextSibling_ = nullptr;
    delete node;
  }
}

void XMLNode::linkChain(XMLNode* after, XMLNode* chain) {
  XMLNode* last = chain;
  for (;;) {
    last->parent_ = this;
    if (!last->nextSibling_) break;
    last = last->nextSibling_;
  }
  XMLNode*& slot = after ? after->nextSibling_ : firstChild_;
  last->nextSibling_ = slot;
  slot = chain;
  if (!last->nextSibling_) lastChild_ = last;
}

bool XMLNode::findChild(const XMLNode* child, XMLNode** previous) const {
  *previous = nullptr;
  for (XMLNode* node = firstChild_; node; node = node->nextSibling_) {
    if (node == child) return true;
    *previous = node;
  }
  return false;
}

void XMLNode::appendChild(std::unique_ptr<XMLNode> node) {
  if (node) linkChain(lastChild_, node.release());
}

XMLNode* XMLNode::prependChild(std::unique_ptr<XMLNode> node) {
  XMLNode* oldFirst = firstChild_;
  if (node) linkChain(nullptr, node.release());
  return oldFirst;
}

std::unique_ptr<XMLNode> XMLNode::removeChild(XMLNode* node) {
  XMLNode* previous;
  if (!node || !findChild(node, &previous)) return nullptr;
  (previous ? previous->nextSibling_ : firstChild_) = node->nextSibling_;
  if (lastChild_ == node) lastChild_ = previous;
  node->nextSibling_ = nullptr;
  return std::unique_ptr<XMLNode>(node);
}

std::unique_ptr<XMLNode> XMLNode::replaceChild(XMLNode* oldChild, std::unique_ptr<XMLNode> replacement) {
  XMLNode* previous;
  if (!oldChild || !findChild(oldChild, &previous)) return nullptr;
  std::unique_ptr<XMLNode> removed = removeChild(oldChild);
  if (replacement) linkChain(previous, replacement.release());
  return removed;
}

void XMLNode::insertAfter(XMLNode* reference, std::unique_ptr<XMLNode> chain) {
  if (!chain) return;
  XMLNode* previous;
  const bool isChild = reference && findChild(reference, &previous);
  linkChain(isChild ? reference : lastChild_, chain.release());
}

std::unique_ptr<XMLNode> XMLNode::takeChildren() {
  XMLNode* chain = firstChild_;
  firstChild_ = lastChild_ = nullptr;
  return std::unique_ptr<XMLNode>(chain);
}

void XMLNode::clearChildren() {
  destroyChain(firstChild_);
  firstChild_ = lastChild_ = nullptr;
}

void XMLElement::setAttribute(std::string name, std::string value) {
  for (XMLAttribute& attribute : attributes_) {
    if (attribute.name == name) {
      attribute.value = std::move(value);
      attribute.hasValue = true;
      return;
    }
  }
  attributes_.push_back(XMLAttribute{std::move(name), std::move(value), true});
}

void XMLElement::removeAttribute(std::string_view name) {
  auto found = std::find_if(attributes_.begin(), attributes_.end(),
                            [name](const XMLAttribute& attribute) { return attribute.name == name; });
  if (found != attributes_.end()) attributes_.erase(found);
}

bool XMLElement::hasAttribute(std::string_view name) const {
  return std::any_of(attributes_.begin(), attributes_.end(),
                     [name](const XMLAttribute& attribute) { return attribute.name == name; });
}

const std::string* XMLElement::attribute(std::string_view name) const {
  for (const XMLAttribute& attribute : attributes_) {
    if (attribute.name == name) return attribute.hasValue ? &attribute.value : nullptr;
  }
  return nullptr;
}
