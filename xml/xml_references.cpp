#include "xml/xml_references.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Digits of numeric references: "0"-"9" and the lower-case letters, valued 10 to 35 in
// both the decimal and the hexadecimal form. Any other byte (upper case included) makes
// the reference malformed, so it is kept as it stands: our choice where the value of
// such a reference is open.
int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  return -1;
}

// Decodes "#..." or "#x..." (text starts after the "&"); the length consumed, or 0.
size_t decodeNumericReference(std::string_view text, char* byte) {
  size_t position = 1;
  unsigned base = 10;
  if (position < text.size() && text[position] == 'x') {
    base = 16;
    ++position;
  }
  unsigned value = 0;
  for (int digit; position < text.size() && (digit = digitValue(text[position])) >= 0; ++position)
    value = (value * base + static_cast<unsigned>(digit)) & 0xFF;
  if (position == text.size() || text[position] != ';') return 0;
  *byte = static_cast<char>(value);
  return position + 1;
}

// Decodes the reference after an "&"; the length consumed, or 0 when it is malformed.
size_t decodeReference(std::string_view text, char* byte) {
  for (const NamedReference& reference : namedReferences) {
    if (text.starts_with(reference.name)) {
      *byte = reference.byte;
      return reference.name.size();
    }
  }
  if (text.starts_with('#')) return decodeNumericReference(text, byte);
  return 0;
}

// Built at compile time: the table is read for every value a solution holds.
struct EscapeTable {
  std::array<std::array<char, 8>, 256> text{};
  std::array<unsigned char, 256> length{};  // 0: the byte is written as it is

  // "&#x%x;" for every byte outside printable ASCII, the named references for the four.
  constexpr EscapeTable() {
    constexpr std::string_view digits = "0123456789abcdef";
    for (size_t byte = 0; byte < 256; ++byte) {
      if (byte >= 0x20 && byte <= 0x7E) continue;
      std::array<char, 8>& escaped = text[byte];
      unsigned char used = 0;
      for (const char c : std::string_view("&#x")) escaped[used++] = c;
      if (byte >= 0x10) escaped[used++] = digits[byte >> 4];
      escaped[used++] = digits[byte & 0xF];
      escaped[used++] = ';';
      length[byte] = used;
    }
    set('"', "&quot;");
    set('&', "&amp;");
    set('<', "&lt;");
    set('>', "&gt;");
  }
  constexpr void set(unsigned char byte, std::string_view escaped) {
    std::copy(escaped.begin(), escaped.end(), text[byte].begin());
    length[byte] = static_cast<unsigned char>(escaped.size());
  }
};

constexpr EscapeTable escapeTable;

#if defined(__SSE2__)
// Which of sixteen bytes need escaping (below 0x20, 0x7F and up, or one of the
// four named), one bit each.
unsigned escapeMask(__m128i bytes) {
  // One signed compare for the unprintable: plus one, bytes below 0x20 are below
  // 0x21, and 0x7F and every byte from 0x80 on wrap to below zero.
  const __m128i unprintable = _mm_cmplt_epi8(_mm_add_epi8(bytes, _mm_set1_epi8(1)), _mm_set1_epi8(0x21));
  const __m128i quoteOrAmpersand =
      _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('"')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('&')));
  const __m128i angle =
      _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('<')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('>')));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(unprintable, _mm_or_si128(quoteOrAmpersand, angle))));
}

// Sixteen bytes at a time, since solution text is printable ASCII almost only: the
// offset of the first byte of chunk that needs escaping, or 16.
unsigned firstToEscape(const unsigned char* chunk) {
  const unsigned mask = escapeMask(_mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk)));
  return mask == 0 ? 16 : static_cast<unsigned>(__builtin_ctz(mask));
}
#endif

// The first byte from cursor on that needs escaping, or end.
const unsigned char* nextToEscape(const unsigned char* cursor, const unsigned char* end) {
#if defined(__SSE2__)
  if (end - cursor >= 16) {
    for (; end - cursor >= 16; cursor += 16)
      if (const unsigned offset = firstToEscape(cursor); offset < 16) return cursor + offset;
    // The last bytes as the final sixteen, some of them tested again.
    const unsigned offset = firstToEscape(end - 16);
    return offset < 16 ? std::max(cursor, end - 16 + offset) : end;
  }
#endif
  while (cursor < end && escapeTable.length[*cursor] == 0) ++cursor;
  return cursor;
}

}  // namespace

void appendDecoded(std::string& out, std::string_view text, bool dropCarriageReturns) {
  out.reserve(out.size() + text.size());
  const char* cursor = text.data();
  const char* const end = cursor + text.size();
  while (cursor < end) {
    const char* run = cursor;
    if (dropCarriageReturns) {
      while (cursor < end && *cursor != '&' && *cursor != '\r') ++cursor;
    } else {
      const void* ampersand = std::memchr(cursor, '&', static_cast<size_t>(end - cursor));
      cursor = ampersand ? static_cast<const char*>(ampersand) : end;
    }
    out.append(run, cursor);
    if (cursor == end) break;
    if (*cursor++ == '\r') continue;
    char byte;
    const size_t length = decodeReference(std::string_view(cursor, static_cast<size_t>(end - cursor)), &byte);
    out.push_back(length ? byte : '&');
    cursor += length;
  }
}

char* writeEscaped(char* to, std::string_view text) {
  const unsigned char* cursor = reinterpret_cast<const unsigned char*>(text.data());
  const unsigned char* const end = cursor + text.size();
  while (cursor < end) {
    const unsigned char* run = cursor;
    cursor = nextToEscape(cursor, end);
    std::memcpy(to, run, static_cast<size_t>(cursor - run));
    to += cursor - run;
    if (cursor == end) break;
    std::memcpy(to, escapeTable.text[*cursor].data(), escapeTable.length[*cursor]);
    to += escapeTable.length[*cursor++];
  }
  return to;
}

// Sixteen characters at a time where SSE2 is there, packed to bytes with
// saturation (a unit from 0x100 on becomes 0xFF, one from 0x8000 on 0): a block
// that is printable ASCII without one of the four is stored whole, the last
// characters taken as the last sixteen (some of them written again, to the same
// bytes). From a block that is not plain on, one character at a time.
char* writeEscapedAscii(char* to, QStringView text) {
  const char16_t* units = text.utf16();
  const char16_t* const end = units + text.size();
#if defined(__SSE2__)
  if (end - units >= 16) {
    const char16_t* const last = end - 16;
    for (;;) {
      const __m128i bytes = _mm_packus_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(units)),
                                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + 8)));
      if (escapeMask(bytes) != 0) break;
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to), bytes);
      if (units == last) return to + 16;
      const ptrdiff_t step = std::min<ptrdiff_t>(16, last - units);
      units += step;
      to += step;
    }
  }
#endif
  for (; units < end; ++units) {
    if (*units < 0x20 || *units > 0x7E) return nullptr;
    const unsigned char byte = static_cast<unsigned char>(*units);
    if (escapeTable.length[byte] == 0) {
      *to++ = static_cast<char>(byte);
    } else {
      std::memcpy(to, escapeTable.text[byte].data(), escapeTable.length[byte]);
      to += escapeTable.length[byte];
    }
  }
  return to;
}

void appendEscaped(std::string& out, std::string_view text) {
  // In parts, so that the room taken for the longest escaped form stays small.
  constexpr size_t partSize = 4096;
  for (size_t start = 0; start < text.size(); start += partSize) {
    const std::string_view part = text.substr(start, partSize);
    const size_t used = out.size();
    out.resize(used + part.size() * maxEscapedLength);
    out.resize(static_cast<size_t>(writeEscaped(out.data() + used, part) - out.data()));
  }
}
