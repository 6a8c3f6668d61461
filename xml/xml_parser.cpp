#include "xml/xml_parser.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "xml/xml_document.h"
#include "xml/xml_references.h"

namespace {

enum CharacterClass : uint8_t { Blank = 1, NameCharacter = 2, AttributeStart = 4 };

// "Blank" is isspace in the C locale; names are ASCII letters, digits, "-", ":" and
// "_" (no "."); an attribute name must not begin with a digit.
constexpr std::array<uint8_t, 256> makeCharacterClasses() {
  std::array<uint8_t, 256> classes{};
  for (char blank : std::string_view(" \t\n\v\f\r")) classes[static_cast<unsigned char>(blank)] |= Blank;
  for (size_t c = 0; c < 256; ++c) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    const bool digit = c >= '0' && c <= '9';
    const bool punctuation = c == '-' || c == ':' || c == '_';
    if (letter || digit || punctuation) classes[c] |= NameCharacter;
    if (letter || punctuation) classes[c] |= AttributeStart;
  }
  return classes;
}

constexpr std::array<uint8_t, 256> characterClasses = makeCharacterClasses();

bool isOfClass(char c, CharacterClass characterClass) {
  return characterClasses[static_cast<unsigned char>(c)] & characterClass;
}

}  // namespace

// The text ends at its first NUL byte, as the C string the format was made for; the
// writer never writes a raw NUL (it escapes it), so nothing of ours is lost there.
XMLParser::XMLParser(XMLDocument& document, std::string_view text) : document_(document) {
  text = text.substr(0, text.find('\0'));
  cursor_ = text.data();
  end_ = cursor_ + text.size();
}

void XMLParser::parse() {
  document_.unclosedAtEnd.reset();
  skipBlanks();
  while (at('<')) {
    const Step step = parseMarkup(line_);
    if (step == Step::Failed) throw XMLParseError{failure_, static_cast<int32_t>(line_), 0};
    if (step == Step::Stop) return;
    parseCharacterData();
  }
  // Elements still open here are discarded (freed with the parser).
  if (!openElements_.empty()) document_.unclosedAtEnd = {openElements_.front()->tagName(), openElements_.front()->line};
}

XMLParser::Step XMLParser::parseMarkup(uint32_t line) {
  if (consume("<?")) {
    readName();
    // Any other target is passed over: its word is skipped and the rest read as character data.
    return token_ == "xml" ? parseDeclaration() : Step::Continue;
  }
  if (consume("<!--")) {
    parseDelimited("-->", XMLNodeKind::Comment, line);
  } else if (consume("<![CDATA[")) {
    parseDelimited("]]>", XMLNodeKind::CDATASection, line);
  } else if (consume("<!DOCTYPE")) {
    parseDoctype();
  } else if (consume("<!")) {
    readName();  // an unrecognised construct, passed over like "<?" with another target
  } else if (consume("</")) {
    return parseEndTag();
  } else {
    ++cursor_;
    return parseStartTag(line);
  }
  return Step::Continue;
}

// Pseudo-attributes up to "?": version and encoding are kept, other names ignored.
XMLParser::Step XMLParser::parseDeclaration() {
  while (cursor_ < end_ && *cursor_ != '?') {
    const char* start = cursor_;
    readName();
    if (!at('=')) {
      // A name without "=" is skipped. A byte that is neither a name, a blank nor "="
      // is stepped over, our choice so that the loop always moves on.
      if (cursor_ == start) ++cursor_;
      continue;
    }
    const std::string_view name = token_;
    ++cursor_;
    skipBlanks();
    if (!at('"')) {
      // An unquoted value ends the parse without error and leaves no document element,
      // not even one completed before the declaration.
      document_.root.reset();
      return Step::Stop;
    }
    ++cursor_;
    const char* close = find('"');
    std::string value(cursor_, close);
    advanceTo(close);
    if (close < end_) ++cursor_;
    if (name == "version")
      document_.version = std::move(value);
    else if (name == "encoding")
      document_.encoding = std::move(value);
  }
  if (at('?')) ++cursor_;
  if (at('>')) ++cursor_;
  return Step::Continue;
}

// After "</", or after the "/" that ends a start tag.
XMLParser::Step XMLParser::parseEndTag() {
  if (at('>')) {
    ++cursor_;
    closeInnermost();
    return Step::Continue;
  }
  readName();
  if (!openElements_.empty() && !token_.empty()) {
    if (token_ != openElements_.back()->tagName()) return fail("tagName mismatch");
    // Without ">" the element stays open and what follows is character data.
    if (at('>')) {
      ++cursor_;
      closeInnermost();
    }
    return Step::Continue;
  }
  // An end tag outside any element is passed over. An empty name closes the innermost
  // element like "</>"; a ">" after it is consumed too, our choice, so that "/ >" reads as "/>".
  if (at('>')) ++cursor_;
  closeInnermost();
  return Step::Continue;
}

XMLParser::Step XMLParser::parseStartTag(uint32_t line) {
  readName();
  openElements_.push_back(std::make_unique<XMLElement>(std::string(token_)));
  XMLElement& element = *openElements_.back();
  element.line = line;
  if (parseAttributes(element) == Step::Failed) return Step::Failed;
  if (at('>')) {
    ++cursor_;
  } else if (at('/')) {
    ++cursor_;
    return parseEndTag();
  }
  return Step::Continue;
}

XMLParser::Step XMLParser::parseAttributes(XMLElement& element) {
  while (cursor_ < end_ && *cursor_ != '/' && *cursor_ != '>') {
    if (!isOfClass(*cursor_, AttributeStart)) return fail("bad tagName");
    readName();
    const std::string_view name = token_;
    if (!at('=')) continue;  // a name without a value is dropped
    ++cursor_;
    skipBlanks();
    if (!at('"')) continue;  // the next byte is taken as the start of another name
    ++cursor_;
    const char* close = find('"');
    std::string value;
    appendDecoded(value, std::string_view(cursor_, static_cast<size_t>(close - cursor_)), false);
    advanceTo(close);
    if (close < end_) ++cursor_;
    skipBlanks();
    element.setAttribute(std::string(name), std::move(value));
  }
  return Step::Continue;
}

// A comment or CDATA section: the text up to the terminator, or to the end of input.
void XMLParser::parseDelimited(std::string_view terminator, XMLNodeKind kind, uint32_t line) {
  const std::string_view rest(cursor_, static_cast<size_t>(end_ - cursor_));
  const size_t found = rest.find(terminator);
  const std::string_view text = rest.substr(0, found);
  advanceTo(cursor_ + text.size());
  if (found != std::string_view::npos) cursor_ += terminator.size();
  if (kind == XMLNodeKind::CDATASection)
    appendToInnermost(std::make_unique<XMLCDATASection>(std::string(text)), line);
  else if (document_.keepData())
    appendToInnermost(std::make_unique<XMLComment>(std::string(text)), line);
}

void XMLParser::parseDoctype() {
  // The blanks before the name are skipped, so that "<!DOCTYPE name>" as the writer
  // writes it reads back. Without ">" right after the name (and its blanks) the
  // DOCTYPE is not recorded, and what follows is character data.
  skipBlanks();
  readName();
  if (at('>')) {
    document_.doctype = std::string(token_);
    ++cursor_;
  }
}

void XMLParser::parseCharacterData() {
  const char* start = cursor_;
  const uint32_t line = line_;
  advanceTo(find('<'));
  if (!document_.keepData() || openElements_.empty() || start == cursor_) return;
  std::string text;
  appendDecoded(text, std::string_view(start, static_cast<size_t>(cursor_ - start)), true);
  // A run of carriage returns only makes no node: an empty text would not survive a write and read.
  if (!text.empty()) appendToInnermost(std::make_unique<XMLData>(std::move(text)), line);
}

// Children enter their parent's list when they are closed; a closed top-level element
// becomes root, replacing (and freeing) an earlier one.
void XMLParser::closeInnermost() {
  if (openElements_.empty()) return;
  std::unique_ptr<XMLElement> closed = std::move(openElements_.back());
  openElements_.pop_back();
  if (openElements_.empty())
    document_.root = std::move(closed);
  else
    openElements_.back()->appendChild(std::move(closed));
}

// Outside any element the node is dropped.
void XMLParser::appendToInnermost(std::unique_ptr<XMLNode> node, uint32_t line) {
  if (openElements_.empty()) return;
  node->line = line;
  openElements_.back()->appendChild(std::move(node));
}

XMLParser::Step XMLParser::fail(const char* message) {
  failure_ = message;
  return Step::Failed;
}

bool XMLParser::consume(std::string_view prefix) {
  if (static_cast<size_t>(end_ - cursor_) < prefix.size() || std::memcmp(cursor_, prefix.data(), prefix.size()) != 0)
    return false;
  cursor_ += prefix.size();
  return true;
}

const char* XMLParser::find(char byte) const {
  const void* found = std::memchr(cursor_, byte, static_cast<size_t>(end_ - cursor_));
  return found ? static_cast<const char*>(found) : end_;
}

void XMLParser::skipBlanks() {
  while (cursor_ < end_ && isOfClass(*cursor_, Blank)) {
    if (*cursor_ == '\n') ++line_;
    ++cursor_;
  }
}

void XMLParser::readName() {
  const char* start = cursor_;
  while (cursor_ < end_ && isOfClass(*cursor_, NameCharacter)) ++cursor_;
  token_ = std::string_view(start, static_cast<size_t>(cursor_ - start));
  skipBlanks();
}

void XMLParser::advanceTo(const char* position) {
  line_ += static_cast<uint32_t>(std::count(cursor_, position, '\n'));
  cursor_ = position;
}
