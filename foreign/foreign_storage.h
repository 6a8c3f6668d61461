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
#include <deque>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

/// The longest text or attribute value a foreign file may hold, in UTF-8 bytes.
/// Real ones hold a few KiB at most; a value is decoded and copied as the
/// readers read it, so a larger one would cost several times its size.
inline constexpr size_t maximumValueBytes = size_t(1) << 20;

/// UTF-8 bytes of a value as a QString; a leading U+FEFF (from a character
/// reference) is kept, where QString::fromUtf8 would drop it as a byte order mark.
QString decodeUtf8(const char* bytes, size_t size);

/// An attribute: its interned name and its value as UTF-8 bytes.
struct ForeignAttribute {
  const QString* name;
  const char* value;
  size_t valueSize;
};

struct ForeignName;

/// An element, or the document itself (the first node, with an empty name).
/// Nodes sit in document order, so an element's descendants are the
/// descendantCount nodes that follow it.
struct ForeignNode {
  const ForeignName* name = nullptr;
  const char* text = nullptr;  // the first child's text (UTF-8), when it is text
  size_t textSize = 0;
  bool hasFirstChild = false;
  bool textIsAscii = false;  // then text decodes as Latin-1, which is quicker
  uint32_t line = 0;         // where the start tag ends, as Qt's stream reader counts lines
  size_t attributeCount = 0;
  size_t childCount = 0;
  size_t descendantCount = 0;
  const ForeignAttribute* attributes = nullptr;  // set by ForeignStorage::finish
  const ForeignNode* const* children = nullptr;  // elements only; set by ForeignStorage::finish
  size_t parent = 0;                             // index while building
  size_t firstAttribute = 0;                     // index while building
};

/// A distinct element or attribute name of one file, and the names that came
/// after it last time: elements of a kind tend to hold the same children and
/// attributes in the same order, so the next name is nearly always the predicted
/// one, checked with a byte compare instead of a hash lookup.
struct ForeignName {
  QString name;
  std::string_view bytes;                          // UTF-8, kept in the storage's arena
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
  void startElement(std::string_view name);
  /// Adds an attribute to the element just opened; value must live as long as the storage.
  void addAttribute(std::string_view name, std::string_view value);
  /// Sets the line of the element opened last.
  void setLine(uint32_t line) { nodes_[lastStarted_].line = line; }
  /// A text child that is not blank; value must live as long as the storage.
  /// ascii: the value holds ASCII only.
  void addText(std::string_view value, bool ascii);
  /// A child that is neither an element nor text (a comment, a processing instruction).
  void addOtherChild() { nodes_[open_.back().node].hasFirstChild = true; }
  void endElement() {
    nodes_[open_.back().node].descendantCount = nodes_.size() - 1 - open_.back().node;
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

  /// Sets the nodes' attribute and child pointers; call once after the last element.
  void finish();

  const ForeignNode& document() const { return nodes_.front(); }

  /// Where in source() the first value longer than maximumValueBytes begins, when
  /// a parser met one (and gave up there).
  std::optional<size_t> longValueAt;

 private:
  /// An open element: its node, its name, and the names of its last element child
  /// and last attribute so far.
  struct OpenElement {
    size_t node;
    ForeignName* name;
    ForeignName* lastChild = nullptr;
    ForeignName* lastAttribute = nullptr;
  };

  /// The interned name: the predicted one when it matches; the prediction becomes it.
  ForeignName* intern(std::string_view name, ForeignName*& prediction) {
    if (!prediction || prediction->bytes != name) prediction = intern(name);
    return prediction;
  }
  ForeignName* intern(std::string_view name);

  QByteArray source_;
  std::vector<ForeignNode> nodes_;
  std::vector<ForeignAttribute> attributes_;
  std::vector<const ForeignNode*> children_;
  ForeignName documentName_;
  std::vector<OpenElement> open_{{0, &documentName_}};
  size_t lastStarted_ = 0;
  std::deque<ForeignName> names_;
  std::unordered_map<std::string_view, ForeignName*> nameIndex_;
  std::vector<std::unique_ptr<char[]>> blocks_;
  size_t blockSize_ = 0;
  size_t blockUsed_ = 0;
};
