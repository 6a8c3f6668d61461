#pragma once
// The byte-oriented one-pass parser behind XMLDocument::parse.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "xml/xml_node.h"

class XMLDocument;

/// Parses one text into a document: scans the bytes once with a cursor, keeps the open
/// elements on an explicit stack (so deep nesting cannot exhaust the call stack) and
/// reports at most one error, thrown as an XMLParseError.
class XMLParser {
 public:
  XMLParser(XMLDocument& document, std::string_view text);
  /// Throws XMLParseError "bad tagName" or "tagName mismatch" at the line of the error.
  void parse();

 private:
  // Stop ends the parse without error (an unquoted declaration value); Failed with one.
  enum class Step { Continue, Stop, Failed };

  Step parseMarkup(uint32_t line);
  Step parseDeclaration();
  Step parseEndTag();
  Step parseStartTag(uint32_t line);
  Step parseAttributes(XMLElement& element);
  void parseDelimited(std::string_view terminator, XMLNodeKind kind, uint32_t line);
  void parseDoctype();
  void parseCharacterData();
  void closeInnermost();
  void appendToInnermost(std::unique_ptr<XMLNode> node, uint32_t line);
  Step fail(const char* message);

  // Steps over prefix when the text continues with it (prefixes hold no line feed).
  bool consume(std::string_view prefix);
  bool at(char byte) const { return cursor_ < end_ && *cursor_ == byte; }
  // The next occurrence of byte at or after the cursor, or the end of input.
  const char* find(char byte) const;
  void skipBlanks();
  // Reads the longest run of name characters into token_, then skips blanks.
  void readName();
  // Moves the cursor to position, counting the line feeds passed.
  void advanceTo(const char* position);

  XMLDocument& document_;
  const char* cursor_;
  const char* end_;
  uint32_t line_ = 0;
  std::string_view token_;
  std::vector<std::unique_ptr<XMLElement>> openElements_;
  const char* failure_ = "";
};
