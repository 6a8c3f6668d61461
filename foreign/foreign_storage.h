#pragma once
// The memory behind a ForeignDocument, and the builder both of its parsers feed.
//
// Elements sit in one array in document order; their attributes and child
// lists in two more. Names are interned (one QString per distinct name, shared
// by every element or attribute that carries it); values and texts stay UTF-8
// bytes, pointing into the file's own bytes where they need no decoding and
// into a block arena where they do. QStrings for values are made only when an
// reader asks for one.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "foreign/foreign_document.h"

/// The longest text or attribute value a foreign file may hold, in UTF-8 bytes.
/// Real ones hold a few KiB at most; a value is decoded and copied as the
/// readers read it, so a larger one would cost several times its size.
inline constexpr size_t maximumValueBytes = size_t(1) << 20;

/// The Word at bytes, which need not be aligned.
template <typename Word>
inline Word loadWord(const void* bytes) {
  Word word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

/// Whether the size bytes at p and q are the same. Names are a few bytes long,
/// where a call to memcmp costs more than the compare: words are compared, the
/// last one overlapping the one before, so that any size takes a few loads.
inline bool sameBytes(const char* p, const char* q, size_t size) {
  if (size >= 8) {
    for (size_t i = 0; i + 8 < size; i += 8)
      if (loadWord<uint64_t>(p + i) != loadWord<uint64_t>(q + i)) return false;
    return loadWord<uint64_t>(p + size - 8) == loadWord<uint64_t>(q + size - 8);
  }
  if (size >= 4)
    return loadWord<uint32_t>(p) == loadWord<uint32_t>(q) &&
           loadWord<uint32_t>(p + size - 4) == loadWord<uint32_t>(q + size - 4);
  if (size >= 2) return loadWord<uint16_t>(p) == loadWord<uint16_t>(q) && p[size - 1] == q[size - 1];
  return size == 0 || *p == *q;
}

/// An attribute: its interned name and its value as UTF-8 bytes.
struct ForeignAttribute {
  const QString* name;
  const char* value;
  size_t valueSize;
};

/// A distinct element or attribute name of one file, and the names that came
/// after it last time: elements of a kind tend to hold the same children and
/// attributes in the same order, so the next name is nearly always the predicted
/// one, checked with a byte compare instead of a hash lookup.
struct ForeignName {
  QString name;
  std::string_view bytes;                          // UTF-8, kept in the storage's arena
  const ForeignStorage* storage = nullptr;         // the one that holds it, which knows the lines
  ForeignName* predictedFirstChild = nullptr;      // of the last element of this name
  ForeignName* predictedNextSibling = nullptr;     // the element that followed the last one of this name
  ForeignName* predictedFirstAttribute = nullptr;  // of the last element of this name
  ForeignName* predictedNextAttribute = nullptr;   // the attribute that followed the last one of this name
};

/// Owns one parsed file's nodes, names and bytes; built in document order.
class ForeignStorage {
 public:
  explicit ForeignStorage(QByteArray source = QByteArray());
  ForeignStorage(const ForeignStorage&) = delete;
  ForeignStorage& operator=(const ForeignStorage&) = delete;

  /// The bytes the parser reads; views into them stay valid as long as the storage.
  const QByteArray& source() const { return source_; }

  /// Opens an element under the innermost open one; name is copied when new.
  void startElement(std::string_view name) {
    ForeignName*& prediction = nextElementName();
    if (!prediction || prediction->bytes != name) prediction = intern(name);
    open(prediction);
  }
  /// The name the next element opened is likely to have (empty when there is no
  /// guess), and the element opened with exactly that name.
  std::string_view predictedElementName() { return bytesOf(nextElementName()); }
  void startPredictedElement() { open(nextElementName()); }
  /// The innermost open element's name, as its end tag must repeat it.
  std::string_view openElementName() const { return open_.back().name->bytes; }
  /// Adds an attribute to the element just opened; value must live as long as the storage.
  void addAttribute(std::string_view name, std::string_view value) {
    ForeignName*& prediction = nextAttributeName();
    if (!prediction || prediction->bytes != name) prediction = intern(name);
    add(prediction, value);
  }
  /// The same for attribute names as for element names above.
  std::string_view predictedAttributeName() { return bytesOf(nextAttributeName()); }
  void addPredictedAttribute(std::string_view value) { add(nextAttributeName(), value); }
  /// Whether two attributes of the element opened last have one name.
  bool hasRepeatedAttribute() const { return nodes_.back().attributeCount > 1 && hasRepeatedAttributeName(); }
  /// Where the start tag of the element opened last ends: its byte offset in
  /// source(), or, for a storage without source (the stream reader decodes its
  /// bytes itself), the line the reader counted. line() turns an offset into a line.
  void setStartTagEnd(uint32_t position) { nodes_.back().startTagEnd = position; }
  /// A text child that is not blank; value must live as long as the storage.
  /// ascii: the value holds ASCII only.
  void addText(std::string_view value, bool ascii) {
    ForeignNode& node = nodes_[open_.back().node];
    if (!node.hasFirstChild) {
      node.text = value.data();
      node.textSize = uint32_t(value.size());
      node.textIsAscii = ascii;
    }
    node.hasFirstChild = true;
  }
  /// A child that is neither an element nor text (a comment, a processing instruction).
  void addOtherChild() { nodes_[open_.back().node].hasFirstChild = true; }
  void endElement() {
    ForeignNode& node = nodes_[open_.back().node];
    node.descendantCount = uint32_t(nodes_.size() - 1 - open_.back().node);
    previousSibling_ = open_.back().name;
    open_.pop_back();
  }
  /// How many elements are open (0 at document level).
  size_t depth() const { return open_.size() - 1; }

  /// Room for size bytes that live as long as the storage; give back the unused
  /// tail of the last allocation with shrinkLast.
  char* allocate(size_t size);
  void shrinkLast(size_t unused) { blockUsed_ -= unused; }
  /// Copies bytes into the arena.
  std::string_view keep(std::string_view bytes);

  /// Closes what is still open; call once after the last element.
  void finish();

  const ForeignNode& document() const { return nodes_.front(); }
  /// The attribute at index, in document order (see ForeignNode::firstAttribute).
  const ForeignAttribute& attribute(size_t index) const { return attributes_[index]; }
  /// The line of the file where node's start tag ends (from 1); 0 for the document.
  int line(const ForeignNode& node) const;

  /// Where in source() the first value longer than maximumValueBytes begins, when
  /// a parser met one (and gave up there).
  std::optional<size_t> longValueAt;

 private:
  struct OpenElement {
    size_t node;
    ForeignName* name;
  };

  // Where the next element's or attribute's name is predicted: after the
  // previous sibling or attribute, or else as the first of the innermost element.
  ForeignName*& nextElementName() {
    return previousSibling_ ? previousSibling_->predictedNextSibling : open_.back().name->predictedFirstChild;
  }
  ForeignName*& nextAttributeName() {
    return previousAttribute_ ? previousAttribute_->predictedNextAttribute : open_.back().name->predictedFirstAttribute;
  }
  static std::string_view bytesOf(const ForeignName* name) { return name ? name->bytes : std::string_view(); }
  void open(ForeignName* name) {
    ForeignNode& parent = nodes_[open_.back().node];
    parent.hasFirstChild = true;
    ++parent.childCount;
    open_.push_back({nodes_.size(), name});
    ForeignNode& node = nodes_.emplace_back();
    node.name = name;
    node.firstAttribute = uint32_t(attributes_.size());
    previousSibling_ = nullptr;
    previousAttribute_ = nullptr;
  }
  void add(ForeignName* name, std::string_view value) {
    attributes_.push_back({&name->name, value.data(), value.size()});
    ++nodes_.back().attributeCount;
    previousAttribute_ = name;
  }
  ForeignName* intern(std::string_view name);
  bool hasRepeatedAttributeName() const;
  void indexLines() const;

  QByteArray source_;
  std::vector<ForeignNode> nodes_;
  std::vector<ForeignAttribute> attributes_;
  ForeignName documentName_;
  std::vector<OpenElement> open_;
  ForeignName* previousSibling_ = nullptr;    // the element closed last, while its parent is open
  ForeignName* previousAttribute_ = nullptr;  // of the element opened last
  std::deque<ForeignName> names_;
  std::unordered_map<std::string_view, ForeignName*> nameIndex_;
  std::vector<std::unique_ptr<char[]>> blocks_;
  size_t blockSize_ = 0;
  size_t blockUsed_ = 0;
  mutable std::vector<uint32_t> lineEnds_;  // offsets of the line ends, once a line was asked for
  mutable bool linesIndexed_ = false;
};
