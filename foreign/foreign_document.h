#pragma once
// A compact read-only element tree of a foreign workspace or project file.
//
// The readers only ever look at elements, their attributes and the text of
// their first child, so this tree keeps just that. Most files are read by a
// strict byte parser (foreign_parser.h) in one pass; whatever it does not
// fully understand is read by Qt's XML stream reader (the parser under Qt's
// DOM, with the same error messages and positions) into the same tree.

#include <QAnyStringView>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "xml/utf8_text.h"

/// UTF-8 bytes of a value as a QString; a leading U+FEFF (from a character
/// reference) is kept, where QString::fromUtf8 would drop it as a byte order mark.
QString decodeUtf8(const char* bytes, size_t size);

struct ForeignAttribute;
struct ForeignName;
class ForeignStorage;

/// An element, or the document itself (the first node, with an empty name).
/// Nodes sit in document order, so an element's descendants are the
/// descendantCount nodes that follow it. Files are at most maximumFileBytes
/// long, so counts and byte offsets fit 32 bits (the fast path leaves longer
/// inputs to the stream reader).
struct ForeignNode {
  const ForeignName* name = nullptr;
  const char* text = nullptr;  // the first child's text (UTF-8), when it is text
  uint32_t textSize = 0;
  uint32_t firstAttribute = 0;  // where its attributes begin among the storage's
  uint32_t attributeCount = 0;
  uint32_t childCount = 0;
  uint32_t descendantCount = 0;
  uint32_t startTagEnd = 0;  // see ForeignStorage::setStartTagEnd
  bool hasFirstChild = false;
  bool textIsAscii = false;  // then text decodes as Latin-1, which is quicker
};

class ForeignChildren;

/// A handle to an element (or to the document itself), cheap to copy; null when
/// a lookup found nothing. Lookups on a null element find nothing.
class ForeignElement {
 public:
  ForeignElement() = default;
  explicit ForeignElement(const ForeignNode* node) : node_(node) {}

  bool isNull() const { return node_ == nullptr; }
  /// The qualified tag name; empty for the document and for a null element.
  const QString& tagName() const;
  /// tagName() == name, without decoding: an 8-bit name (a literal such as "File")
  /// is compared as UTF-8 bytes, so a QLatin1StringView name must be ASCII.
  bool hasTagName(QAnyStringView name) const;
  /// Both elements have the same tag name; they must be of one document, whose
  /// names are interned, so this compares two pointers.
  bool hasSameTagName(ForeignElement other) const { return nameOf(*this) == nameOf(other); }
  /// The attribute's value; empty when it is absent.
  QString attribute(const QString& name) const;
  /// The attributes in document order: their number, and each one's name and value.
  size_t attributeCount() const { return node_ ? node_->attributeCount : 0; }
  const QString& attributeName(size_t index) const;
  QString attributeValue(size_t index) const;
  /// The character data of the first child node (text or CDATA); empty when the
  /// first child is missing or is something else (an element, a comment). Text
  /// made only of (Unicode) white space is not a node, as in Qt's DOM.
  QString firstChildText() const;
  /// firstChildText() as the UTF-8 bytes the document holds, without making a
  /// QString; valid as long as the document. A leading U+FEFF (from a character
  /// reference) is part of it, where QString::fromUtf8 would drop it.
  std::string_view firstChildUtf8() const {
    return node_ ? std::string_view(node_->text, node_->textSize) : std::string_view();
  }
  /// firstChildUtf8() holds ASCII only (true when empty), so it reads as Latin-1 too.
  bool firstChildIsAscii() const { return !node_ || node_->textIsAscii || node_->textSize == 0; }
  /// The line of the file where the element's start tag ends (from 1); 0 for the document.
  int line() const;
  /// The number of element children, and the children in document order.
  size_t childCount() const { return node_ ? node_->childCount : 0; }
  ForeignChildren children() const;
  /// The number of elements below this one (children, theirs, ...), and the one
  /// at index in document order.
  size_t descendantCount() const { return node_ ? node_->descendantCount : 0; }
  ForeignElement descendant(size_t index) const { return ForeignElement(node_ + 1 + index); }

 private:
  static const ForeignName* nameOf(ForeignElement element) { return element.node_ ? element.node_->name : nullptr; }

  const ForeignNode* node_ = nullptr;
};

/// The element children of an element, for a range-for: a child's next sibling
/// follows its descendants, so each step is one addition.
class ForeignChildren {
 public:
  class iterator {
   public:
    explicit iterator(const ForeignNode* node) : node_(node) {}
    ForeignElement operator*() const { return ForeignElement(node_); }
    iterator& operator++() {
      node_ += 1 + node_->descendantCount;
      return *this;
    }
    iterator operator++(int) {
      const iterator before = *this;
      ++*this;
      return before;
    }
    friend bool operator==(const iterator&, const iterator&) = default;

   private:
    const ForeignNode* node_;
  };

  /// The children of parent (none for null).
  explicit ForeignChildren(const ForeignNode* parent)
      : begin_(parent ? parent + 1 : nullptr), end_(parent ? parent + 1 + parent->descendantCount : nullptr) {}
  iterator begin() const { return begin_; }
  iterator end() const { return end_; }

 private:
  iterator begin_;
  iterator end_;
};

inline ForeignChildren ForeignElement::children() const { return ForeignChildren(node_); }

/// What a foreign file's parser found wrong: the stream reader's message and
/// position (line and column counted from 1). Thrown by ForeignDocument's parse
/// functions and caught where a foreign file is loaded.
struct ForeignParseError {
  QString message;
  int line = 0;
  int column = 0;
};

/// One parsed file; owns all its elements.
class ForeignDocument {
 public:
  /// An empty document.
  ForeignDocument();
  ForeignDocument(ForeignDocument&&) noexcept;
  ForeignDocument& operator=(ForeignDocument&&) noexcept;
  ~ForeignDocument();

  /// The document bytes hold; throws ForeignParseError. NUL bytes (and white space
  /// among them) after the document element are ignored: padded files are read as
  /// the IDEs read them.
  static ForeignDocument parse(const QByteArray& bytes);
  /// Only the fast path of parse: nothing when it gives up.
  static std::optional<ForeignDocument> parseFast(const QByteArray& bytes);
  /// Only the stream reader path of parse, which reads any file the fast path reads.
  static ForeignDocument parseWithStreamReader(const QByteArray& bytes);

  /// The document node, whose only element child is the document element.
  operator ForeignElement() const;

 private:
  struct FastParse;
  static FastParse parseFastPath(const QByteArray& bytes);

  std::unique_ptr<ForeignStorage> storage_;
};
