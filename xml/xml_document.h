#pragma once
// A document of the program's own XML layer: a byte-oriented one-pass parser
// and a pretty-printing writer (xml_writer.h).

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "xml/xml_node.h"

/// What the parser found wrong with a text. Thrown by the parse functions and
/// caught where a document is loaded, which turns it into its own message.
struct XMLParseError {
  std::string message;
  /// The line counted from 0, as the parser counts.
  int32_t line = 0;
  /// The column in characters counted from 1; 0 when the error names none.
  int32_t column = 0;
  /// False when the file was not read at all (see readWholeFile): then no line is meant.
  bool inText = true;
};

/// An XML document: the document element, the declaration values and the DOCTYPE name.
class XMLDocument {
 public:
  /// Without keepData the parser makes no character-data and no comment nodes.
  explicit XMLDocument(bool keepData = false) : keepData_(keepData) {}
  XMLDocument(const XMLDocument&) = delete;
  XMLDocument& operator=(const XMLDocument&) = delete;

  /// Parses text into root, version, encoding and doctype; throws XMLParseError
  /// ("bad tagName", "tagName mismatch"). Success does not imply a document element.
  /// The text ends at its first NUL byte, if any. Fields a previous parse set are kept.
  void parse(std::string_view text);
  /// Reads the regular file at path whole, skips a UTF-8 byte-order mark and parses
  /// the rest, whose text must be UTF-8 unless its declaration names another
  /// encoding. Throws XMLParseError "couldn't read <path>" when path names no
  /// regular file that can be read (a directory, a device, a pipe), the refusal of
  /// readWholeFile when it is too large or the system gives no size for it, and
  /// "invalid UTF-8" at the line and column of the first bytes that are not (no
  /// document element is kept then).
  void parseFile(const QString& path);
  /// The document as text (the declaration, the DOCTYPE line and the tree), laid out
  /// with indent blanks per level and attributes wrapped beyond lineWidth (XMLWriter).
  std::string toString(uint32_t indent, uint32_t lineWidth) const;

  bool keepData() const { return keepData_; }

  std::optional<std::string> doctype;
  std::optional<std::string> version;
  std::optional<std::string> encoding;
  std::unique_ptr<XMLElement> root;
  /// The outermost element still open where the last parsed text ended (a file cut
  /// short), with the line of its start tag. The parse does not fail on it; the
  /// element is discarded.
  struct OpenElement {
    std::string name;
    uint32_t line;
  };
  std::optional<OpenElement> unclosedAtEnd;

 private:
  bool keepData_;
};

/// Deep copy of node and its descendants with fresh strings; the copy keeps the
/// lines of its originals.
std::unique_ptr<XMLNode> copyNode(const XMLNode& node);

/// The value of an attribute decoded as UTF-8 (templates and solution files are UTF-8
/// files), or a null string when the element has none.
QString attributeValue(const XMLElement& element, const char* name);
