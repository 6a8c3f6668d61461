#include "foreign/foreign_parser.h"

#include <QString>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "foreign/foreign_storage.h"
#include "xml/xml_references.h"

namespace {

enum ByteClass : uint8_t { kInvalid, kPlain, kSpace, kCarriageReturn, kLess, kAmpersand, kBracket, kNonAscii };

// What each byte means in character data; quotes are handled by the attribute scan.
constexpr std::array<uint8_t, 256> kClasses = [] {
  std::array<uint8_t, 256> classes{};
  for (size_t c = 0x20; c < 0x80; ++c) classes[c] = kPlain;
  for (size_t c = 0x80; c < 0x100; ++c) classes[c] = kNonAscii;
  classes['\t'] = classes['\n'] = classes[' '] = kSpace;
  classes['\r'] = kCarriageReturn;
  classes['<'] = kLess;
  classes['&'] = kAmpersand;
  classes[']'] = kBracket;
  return classes;
}();

enum MarkupByte : uint8_t { kOther, kWhiteSpace, kNameChar, kNameStart };

// What each byte can be in markup: white space, or a character of an ASCII name.
// Names and white space are scanned with one lookup a byte.
constexpr std::array<uint8_t, 256> kMarkupBytes = [] {
  std::array<uint8_t, 256> bytes{};
  for (size_t c = 'a'; c <= 'z'; ++c) bytes[c] = bytes[c - 'a' + 'A'] = kNameStart;
  for (size_t c = '0'; c <= '9'; ++c) bytes[c] = kNameChar;
  bytes['_'] = kNameStart;
  bytes['-'] = bytes['.'] = kNameChar;
  bytes[' '] = bytes['\t'] = bytes['\n'] = bytes['\r'] = kWhiteSpace;
  return bytes;
}();

bool isSpace(uint32_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isSpaceByte(unsigned char c) { return kMarkupBytes[c] == kWhiteSpace; }
bool isNameStart(unsigned char c) { return kMarkupBytes[c] == kNameStart; }
bool isNameChar(unsigned char c) { return kMarkupBytes[c] >= kNameChar; }

bool isXmlChar(uint32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

// The length of the well-formed UTF-8 sequence of an XML character at p, or 0.
int characterLength(const unsigned char* p, const unsigned char* end) {
  const unsigned char lead = *p;
  int length = 0;
  uint32_t c = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07;
  } else {
    return 0;
  }
  if (end - p < length) return 0;
  for (int i = 1; i < length; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    c = (c << 6) | (p[i] & 0x3F);
  }
  const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
  // A byte order mark inside the document is dropped by Qt's decoding in some
  // places and kept in others; only the one at the very start is taken.
  return !overlong && isXmlChar(c) && c != 0xFEFF ? length : 0;
}

char* appendUtf8(char* out, uint32_t c) {
  if (c < 0x80) {
    *out++ = char(c);
  } else if (c < 0x800) {
    *out++ = char(0xC0 | (c >> 6));
    *out++ = char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out++ = char(0xE0 | (c >> 12));
    *out++ = char(0x80 | ((c >> 6) & 0x3F));
    *out++ = char(0x80 | (c & 0x3F));
  } else {
    *out++ = char(0xF0 | (c >> 18));
    *out++ = char(0x80 | ((c >> 12) & 0x3F));
    *out++ = char(0x80 | ((c >> 6) & 0x3F));
    *out++ = char(0x80 | (c & 0x3F));
  }
  return out;
}

bool startsWith(const unsigned char* p, const unsigned char* end, std::string_view literal) {
  return size_t(end - p) >= literal.size() && std::memcmp(p, literal.data(), literal.size()) == 0;
}

// Reads the reference at p (on its "&") into c and moves p past its ";". Longer
// numbers than any character needs are refused rather than checked for overflow.
bool readReference(const unsigned char*& p, const unsigned char* end, uint32_t& c) {
  for (const NamedReference& reference : namedReferences) {
    if (startsWith(p + 1, end, reference.name)) {
      p += 1 + reference.name.size();
      c = uint32_t(reference.byte);
      return true;
    }
  }
  if (!startsWith(p, end, "&#")) return false;
  const bool hex = startsWith(p, end, "&#x");
  const unsigned char* digit = p + (hex ? 3 : 2);
  const unsigned char* first = digit;
  c = 0;
  for (; digit < end && digit - first < 8; ++digit) {
    const unsigned char d = *digit;
    if (d >= '0' && d <= '9') {
      c = c * (hex ? 16 : 10) + (d - '0');
    } else if (hex && ((d >= 'a' && d <= 'f') || (d >= 'A' && d <= 'F'))) {
      c = c * 16 + ((d | 0x20) - 'a' + 10);
    } else {
      break;
    }
  }
  if (digit == first || digit == end || *digit != ';' || !isXmlChar(c)) return false;
  p = digit + 1;
  return true;
}

class Parser {
 public:
  Parser(ForeignStorage& storage, std::string_view encoding)
      : storage_(storage),
        begin_(reinterpret_cast<const unsigned char*>(storage.source().constData())),
        p_(begin_),
        end_(p_ + storage.source().size()),
        encoding_(encoding) {}

  bool document();

 private:
  // Records where a value too long to read begins: the parse ends there.
  bool isTooLong(std::string_view value) {
    if (value.size() <= maximumValueBytes) return false;
    storage_.longValueAt = size_t(value.data() - storage_.source().constData());
    return true;
  }
  bool at(std::string_view literal) const { return startsWith(p_, end_, literal); }
  bool atName(std::string_view name) const {
    return size_t(end_ - p_) >= name.size() && sameBytes(reinterpret_cast<const char*>(p_), name.data(), name.size());
  }
  // Most calls find no white space: that test is made inline.
  bool skipSpace() {
    if (p_ == end_ || !isSpaceByte(*p_)) return false;
    skipSpaceRun();
    return true;
  }
  void skipSpaceRun();
  void skipPlainText();
  // Moves p_ over blocks of sixteen bytes that runEnds marks none of, then to the
  // first byte it marks; false when fewer than sixteen bytes were left to look at.
  template <unsigned (*runEnds)(const unsigned char*)>
  bool skipBlocks() {
    for (; end_ - p_ >= 16; p_ += 16) {
      if (const unsigned ends = runEnds(p_)) {
        p_ += std::countr_zero(ends);
        return true;
      }
    }
    return false;
  }
  void skipNameChars() {
    while (p_ < end_ && isNameChar(*p_)) ++p_;
  }
  bool expect(char c) {
    if (p_ == end_ || *p_ != c) return false;
    ++p_;
    return true;
  }
  bool declaration();
  bool pseudoAttribute(std::string_view name, std::string_view& value);
  bool miscellany();
  bool comment();
  bool processingInstruction();
  bool characters(std::string_view terminator);
  bool name(std::string_view& name);
  bool atPredictedName(std::string_view predicted);
  bool content();
  bool startTag();
  bool elementName();
  bool endTag();
  bool attribute();
  bool attributeValue(std::string_view& value);
  bool text();
  bool decode(std::string_view& value, bool attribute, bool& blank, bool& nonAscii);

  ForeignStorage& storage_;
  const unsigned char* const begin_;
  const unsigned char* p_;
  const unsigned char* const end_;
  std::string_view encoding_;
};

bool Parser::document() {
  if (at("\xEF\xBB\xBF")) p_ += 3;
  if (at("<?xml") && p_ + 5 < end_ && isSpace(p_[5])) {
    if (!declaration()) return false;
  } else if (!encoding_.empty()) {
    return false;
  }
  if (!miscellany() || !at("<")) return false;
  if (!startTag()) return false;
  while (storage_.depth() > 0)
    if (!content()) return false;
  return miscellany() && p_ == end_;
}

#if defined(__SSE2__)
// Sixteen bytes at a time: a mask with bit i set where byte i of the block at p
// ends a run, of white space or of kPlain text.
unsigned notSpaceBytes(const unsigned char* p) {
  const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i spaces = _mm_or_si128(
      _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8(' ')), _mm_cmpeq_epi8(block, _mm_set1_epi8('\n'))),
      _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(block, _mm_set1_epi8('\t'))));
  return ~unsigned(_mm_movemask_epi8(spaces)) & 0xFFFF;
}

unsigned notPlainBytes(const unsigned char* p) {
  const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  // As signed bytes, non-ASCII ones are negative: one compare finds them, the controls and the space.
  const __m128i stops =
      _mm_or_si128(_mm_or_si128(_mm_cmplt_epi8(block, _mm_set1_epi8(0x21)), _mm_cmpeq_epi8(block, _mm_set1_epi8('<'))),
                   _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('&')), _mm_cmpeq_epi8(block, _mm_set1_epi8(']'))));
  return unsigned(_mm_movemask_epi8(stops));
}
#endif

// Indentation and the names and paths in text are runs of tens of bytes, looked
// at a block at a time where the machine can; the last bytes one at a time.
void Parser::skipSpaceRun() {
#if defined(__SSE2__)
  if (skipBlocks<notSpaceBytes>()) return;
#endif
  while (p_ < end_ && isSpaceByte(*p_)) ++p_;
}

void Parser::skipPlainText() {
#if defined(__SSE2__)
  if (skipBlocks<notPlainBytes>()) return;
#endif
  while (p_ < end_ && kClasses[*p_] == kPlain) ++p_;
}

// version="1.0", then optionally encoding and standalone, in that order.
bool Parser::declaration() {
  p_ += 5;
  std::string_view version, encoding, standalone;
  if (!pseudoAttribute("version", version) || version != "1.0") return false;
  const unsigned char* mark = p_;
  if (!pseudoAttribute("encoding", encoding)) p_ = mark;
  if (encoding != encoding_) return false;
  if (!encoding.empty()) {
    if (!isNameStart(uint8_t(encoding.front())) || encoding.front() == '_') return false;
    for (const char c : encoding)
      if (!isNameChar(uint8_t(c))) return false;
  }
  mark = p_;
  if (!pseudoAttribute("standalone", standalone)) {
    p_ = mark;
  } else if (standalone != "yes" && standalone != "no") {
    return false;
  }
  skipSpace();
  if (!at("?>")) return false;
  p_ += 2;
  return true;
}

// S name S? = S? quoted value, the value made of ASCII name characters only.
bool Parser::pseudoAttribute(std::string_view name, std::string_view& value) {
  if (!skipSpace() || !at(name)) return false;
  p_ += name.size();
  skipSpace();
  if (!expect('=')) return false;
  skipSpace();
  if (p_ == end_ || (*p_ != '"' && *p_ != '\'')) return false;
  const unsigned char quote = *p_++;
  const unsigned char* start = p_;
  while (p_ < end_ && isNameChar(*p_)) ++p_;
  value = std::string_view(reinterpret_cast<const char*>(start), size_t(p_ - start));
  return expect(char(quote)) && !value.empty();
}

// White space, comments and processing instructions outside the document element.
bool Parser::miscellany() {
  for (;;) {
    skipSpace();
    if (at("<!--")) {
      if (!comment()) return false;
    } else if (at("<?")) {
      if (!processingInstruction()) return false;
    } else {
      return true;
    }
  }
}

bool Parser::comment() {
  p_ += 4;
  // "--" may only end a comment.
  if (!characters("--") || !at("-->")) return false;
  p_ += 3;
  storage_.addOtherChild();
  return true;
}

// A target that is an ASCII name without a colon and not "xml" in any case (CDT
// writes <?fileVersion 4.0.0?>), then nothing or white space and data.
bool Parser::processingInstruction() {
  p_ += 2;
  const unsigned char* target = p_;
  while (p_ < end_ && isNameChar(*p_)) ++p_;
  const auto length = size_t(p_ - target);
  if (!length || !isNameStart(*target) || (p_ < end_ && (*p_ >= 0x80 || *p_ == ':'))) return false;
  if (length == 3 && (target[0] | 0x20) == 'x' && (target[1] | 0x20) == 'm' && (target[2] | 0x20) == 'l') return false;
  if (!at("?>") && !skipSpace()) return false;
  if (!characters("?>")) return false;
  p_ += 2;
  storage_.addOtherChild();
  return true;
}

// Moves over XML characters up to the terminator; false at the end of the input
// or on a byte that is no XML character.
bool Parser::characters(std::string_view terminator) {
  while (p_ < end_) {
    if (*p_ == uint8_t(terminator.front()) && at(terminator)) return true;
    const uint8_t kind = kClasses[*p_];
    if (kind == kNonAscii) {
      const int length = characterLength(p_, end_);
      if (!length) return false;
      p_ += length;
    } else if (kind == kInvalid) {
      return false;
    } else {
      ++p_;
    }
  }
  return false;
}

// An ASCII name, with at most one colon between two non-empty parts.
bool Parser::name(std::string_view& name) {
  const unsigned char* start = p_;
  for (int part = 0; part < 2; ++part) {
    if (p_ == end_ || !isNameStart(*p_)) return false;
    skipNameChars();
    if (p_ == end_ || *p_ != ':') break;
    if (part == 1) return false;
    ++p_;
  }
  if (p_ < end_ && *p_ >= 0x80) return false;
  name = std::string_view(reinterpret_cast<const char*>(start), size_t(p_ - start));
  return true;
}

// Moves past predicted when the name at p_ is exactly it: a name checked before,
// followed by a byte that cannot go on a name.
bool Parser::atPredictedName(std::string_view predicted) {
  if (predicted.empty() || !atName(predicted)) return false;
  const unsigned char* const after = p_ + predicted.size();
  if (after != end_ && (isNameChar(*after) || *after == ':' || *after >= 0x80)) return false;
  p_ = after;
  return true;
}

// One step inside the open elements: a tag, a comment or a run of text.
bool Parser::content() {
  if (p_ == end_) return false;
  if (*p_ != '<') return text();
  if (end_ - p_ < 2) return false;
  switch (p_[1]) {
    case '/':
      return endTag();
    case '!':
      return at("<!--") && comment();
    case '?':
      return processingInstruction();
    default:
      return startTag();
  }
}

// Element and attribute names are nearly always the ones the storage predicts:
// their bytes are compared instead of scanned and looked up.
bool Parser::startTag() {
  ++p_;
  if (!elementName()) return false;
  for (;;) {
    const bool spaced = skipSpace();
    if (at(">")) {
      ++p_;
      storage_.setStartTagEnd(uint32_t(p_ - begin_));
      break;
    }
    if (at("/>")) {
      p_ += 2;
      storage_.setStartTagEnd(uint32_t(p_ - begin_));
      storage_.endElement();
      break;
    }
    if (!spaced || !attribute()) return false;
  }
  return !storage_.hasRepeatedAttribute();
}

bool Parser::elementName() {
  if (atPredictedName(storage_.predictedElementName())) {
    storage_.startPredictedElement();
    return true;
  }
  std::string_view tag;
  if (!name(tag)) return false;
  storage_.startElement(tag);
  return true;
}

bool Parser::attribute() {
  const bool predicted = atPredictedName(storage_.predictedAttributeName());
  std::string_view attributeName, value;
  if (!predicted && !name(attributeName)) return false;
  skipSpace();
  if (!expect('=')) return false;
  skipSpace();
  if (!attributeValue(value)) return false;
  if (predicted)
    storage_.addPredictedAttribute(value);
  else
    storage_.addAttribute(attributeName, value);
  return true;
}

// The end tag must repeat the name of the open element, which was checked when
// it opened: comparing bytes replaces scanning the name again (a longer name
// fails at the ">" expected after it).
bool Parser::endTag() {
  p_ += 2;
  const std::string_view tag = storage_.openElementName();
  if (!atName(tag)) return false;
  p_ += tag.size();
  skipSpace();
  if (!expect('>')) return false;
  storage_.endElement();
  return true;
}

bool Parser::attributeValue(std::string_view& value) {
  if (p_ == end_ || (*p_ != '"' && *p_ != '\'')) return false;
  const unsigned char quote = *p_++;
  const unsigned char* start = p_;
  bool changes = false;
  for (; p_ < end_ && *p_ != quote; ++p_) {
    switch (kClasses[*p_]) {
      case kPlain:
      case kBracket:
        break;
      case kSpace:
        changes |= *p_ != ' ';
        break;
      case kCarriageReturn:
      case kAmpersand:
        changes = true;
        break;
      case kNonAscii: {
        const int length = characterLength(p_, end_);
        if (!length) return false;
        p_ += length - 1;
        break;
      }
      default:  // "<" or a control character
        return false;
    }
  }
  if (p_ == end_) return false;
  value = std::string_view(reinterpret_cast<const char*>(start), size_t(p_ - start));
  if (isTooLong(value)) return false;
  ++p_;
  bool blank = false, nonAscii = false;
  return !changes || decode(value, true, blank, nonAscii);
}

bool Parser::text() {
  const unsigned char* start = p_;
  // Most text between tags is indentation: blank, so no node, and in CRLF files
  // it would need decoding. It ends where a tag starts; anything else goes on.
  bool changes = false;
  if (skipSpace()) {
    if (p_ < end_ && *p_ == '<') return true;
    changes = std::memchr(start, '\r', size_t(p_ - start)) != nullptr;
  }
  bool blank = true, nonAscii = false;
  for (;;) {
    const unsigned char* plain = p_;
    skipPlainText();
    if (p_ != plain) blank = false;
    if (p_ == end_ || *p_ == '<') break;
    switch (kClasses[*p_]) {
      case kSpace:
        break;
      case kCarriageReturn:
      case kAmpersand:
        changes = true;
        break;
      case kBracket:
        if (at("]]>")) return false;
        blank = false;
        break;
      case kNonAscii: {
        const int length = characterLength(p_, end_);
        if (!length) return false;
        nonAscii = true;
        p_ += length - 1;
        break;
      }
      default:
        return false;
    }
    ++p_;
  }
  std::string_view value(reinterpret_cast<const char*>(start), size_t(p_ - start));
  if (isTooLong(value)) return false;
  if (changes && !decode(value, false, blank, nonAscii)) return false;
  // Blank means only what QString::trimmed removes, which includes non-ASCII spaces.
  if (blank && nonAscii) blank = decodeUtf8(value.data(), value.size()).trimmed().isEmpty();
  if (!blank) storage_.addText(value, !nonAscii);
  return true;
}

// Resolves references and line ends into the arena. In attribute values every
// literal white-space character becomes a space (CR LF one space), while
// characters from references stay as they are; in text CR LF and CR become LF.
bool Parser::decode(std::string_view& value, bool attribute, bool& blank, bool& nonAscii) {
  char* const decoded = storage_.allocate(value.size());
  char* out = decoded;
  const auto* in = reinterpret_cast<const unsigned char*>(value.data());
  const unsigned char* const end = in + value.size();
  blank = true;
  while (in < end) {
    uint32_t c = *in;
    if (c >= 0x80) {  // a byte of a character already checked: copied as it is
      *out++ = char(*in++);
      nonAscii = true;
      continue;
    }
    if (c == '&') {
      if (!readReference(in, end, c)) return false;
    } else {
      ++in;
      if (c == '\r') {
        if (in < end && *in == '\n') ++in;
        c = '\n';
      }
      if (attribute && isSpace(c)) c = ' ';
    }
    if (c >= 0x80) {
      nonAscii = true;
    } else if (!isSpace(c)) {
      blank = false;
    }
    out = appendUtf8(out, c);
  }
  storage_.shrinkLast(value.size() - size_t(out - decoded));
  value = std::string_view(decoded, size_t(out - decoded));
  return true;
}

}  // namespace

bool parseUtf8Elements(ForeignStorage& storage, std::string_view encoding) {
  // Nodes keep byte offsets in 32 bits; no file that may be read is this long.
  if (uint64_t(storage.source().size()) > UINT32_MAX) return false;
  return Parser(storage, encoding).document();
}

std::string_view declaredEncoding(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  if (bytes.substr(0, 5) != "<?xml") return {};
  const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
  const size_t keyword = declaration.find("encoding");
  if (keyword == std::string_view::npos) return {};
  const size_t open = declaration.find_first_of("\"'", keyword);
  if (open == std::string_view::npos) return {};
  const size_t close = declaration.find(declaration[open], open + 1);
  if (close == std::string_view::npos) return {};
  return declaration.substr(open + 1, close - open - 1);
}
