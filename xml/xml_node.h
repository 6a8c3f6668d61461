#pragma once
// The program's own XML tree: byte strings, a singly linked child list,
// and unique ownership (a node owns its children; detaching hands a node to the caller).
//
// Ownership of sibling chains: a node owns its first child, and every node owns the
// node after it (its nextSibling). So a node in a child list is owned through that
// list, and a detached node owns the chain that follows it: a chain handed to
// appendChild, insertAfter and the like moves as a whole, and destroying the head of
// a detached chain destroys the chain. removeChild and replaceChild clear the
// nextSibling of the node they hand back, so it owns only its own subtree.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

/// What a node is, so code can tell the kinds apart without a cast.
enum class XMLNodeKind { Node, Element, Data, Comment, CDATASection };

/// A node of the tree. Destroying a node destroys its whole subtree (and the chain
/// after it, see above), iteratively, so long lists and deep trees cannot exhaust the stack.
/// A plain XMLNode serves as a scratch container to collect a chain (see takeChildren).
class XMLNode {
 public:
  XMLNode() = default;
  XMLNode(const XMLNode&) = delete;
  XMLNode& operator=(const XMLNode&) = delete;
  virtual ~XMLNode();

  XMLNode* parent() const { return parent_; }
  XMLNode* nextSibling() const { return nextSibling_; }
  XMLNode* firstChild() const { return firstChild_; }
  XMLNode* lastChild() const { return lastChild_; }
  virtual XMLNodeKind nodeKind() const { return XMLNodeKind::Node; }
  /// Parser line (first line is 0) at the "<" that began the node; a copy keeps the line
  /// of its original; 0 for other nodes made by code.
  uint32_t line = 0;

  /// Links node (with the chain after it) after the last child and makes this its parent.
  void appendChild(std::unique_ptr<XMLNode> node);
  /// Makes node (with its chain) the first child; returns the old first child (still owned here).
  XMLNode* prependChild(std::unique_ptr<XMLNode> node);
  /// Unlinks node from the child list and hands it to the caller; its parent link is
  /// kept, as the tree's users expect, and its nextSibling is cleared (take the next
  /// sibling before removing while walking a list). Returns null when node is not a child.
  std::unique_ptr<XMLNode> removeChild(XMLNode* node);
  /// Puts replacement where oldChild stood and hands oldChild to the caller
  /// (null when oldChild is not a child, and replacement is then destroyed).
  std::unique_ptr<XMLNode> replaceChild(XMLNode* oldChild, std::unique_ptr<XMLNode> replacement);
  /// Splices chain (a node and its nextSibling links) after reference; appends it when
  /// reference is not a child. Every node of the chain gets this node as parent.
  void insertAfter(XMLNode* reference, std::unique_ptr<XMLNode> chain);

  /// Detaches the whole child list and hands it over as one chain (null when there are
  /// no children); the parent links are kept, as with removeChild.
  std::unique_ptr<XMLNode> takeChildren();
  /// Destroys all children.
  void clearChildren();

 private:
  // Links chain (taking ownership) after `after`, or at the front when after is null.
  void linkChain(XMLNode* after, XMLNode* chain);
  // The child before child (null for the first one); false when child is not a child.
  bool findChild(const XMLNode* child, XMLNode** previous) const;
  static void destroyChain(XMLNode* chain);

  XMLNode* parent_ = nullptr;
  XMLNode* nextSibling_ = nullptr;
  XMLNode* firstChild_ = nullptr;
  XMLNode* lastChild_ = nullptr;  // keeps appending O(1) for long child lists
};

/// One attribute: name and value, both byte strings. A null value is written as "".
struct XMLAttribute {
  std::string name;
  std::string value;
  bool hasValue = true;
};

/// An element with a tag name and attributes in document order.
class XMLElement : public XMLNode {
 public:
  explicit XMLElement(std::string name) : name_(std::move(name)) {}
  XMLNodeKind nodeKind() const override { return XMLNodeKind::Element; }

  void setTagName(std::string name) { name_ = std::move(name); }
  const std::string& tagName() const { return name_; }
  /// Replaces the value of an existing attribute in place, else appends the pair.
  void setAttribute(std::string name, std::string value);
  /// Removes the first attribute with that name.
  void removeAttribute(std::string_view name);
  bool hasAttribute(std::string_view name) const;
  /// The value of the first attribute with that name, or null when absent or without value.
  const std::string* attribute(std::string_view name) const;
  const std::vector<XMLAttribute>& attributes() const { return attributes_; }
  std::vector<XMLAttribute>& attributes() { return attributes_; }

 private:
  std::string name_;
  std::vector<XMLAttribute> attributes_;
};

/// A node holding one text: the base of character data, comments and CDATA sections.
class XMLTextNode : public XMLNode {
 public:
  explicit XMLTextNode(std::string text) : text_(std::move(text)) {}
  void setText(std::string text) { text_ = std::move(text); }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

/// Character data.
class XMLData : public XMLTextNode {
 public:
  using XMLTextNode::XMLTextNode;
  XMLNodeKind nodeKind() const override { return XMLNodeKind::Data; }
};

/// A comment, written back as "<!--text-->".
class XMLComment : public XMLTextNode {
 public:
  using XMLTextNode::XMLTextNode;
  XMLNodeKind nodeKind() const override { return XMLNodeKind::Comment; }
};

/// A CDATA section, written back as "<![CDATA[text]]>".
class XMLCDATASection : public XMLTextNode {
 public:
  using XMLTextNode::XMLTextNode;
  XMLNodeKind nodeKind() const override { return XMLNodeKind::CDATASection; }
};
