#include "xml/utf8_text.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

size_t utf8SequenceLength(std::string_view text) {
  const auto byte = [&](size_t index) { return index < text.size() ? static_cast<unsigned char>(text[index]) : 0u; };
  const unsigned lead = byte(0);
  const auto continues = [&](size_t index, unsigned low, unsigned high) {
    return byte(index) >= low && byte(index) <= high;
  };
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return continues(1, 0x80, 0xBF) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    const unsigned low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
    return continues(1, low, high) && continues(2, 0x80, 0xBF) ? 3 : 0;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    const unsigned low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
    return continues(1, low, high) && continues(2, 0x80, 0xBF) && continues(3, 0x80, 0xBF) ? 4 : 0;
  }
  return 0;
}

std::optional<TextPosition> firstInvalidUtf8(std::string_view text) {
  TextPosition position{0, 1};
  for (size_t index = 0; index < text.size();) {
    const size_t length = utf8SequenceLength(text.substr(index, 4));
    if (length == 0) return position;
    if (text[index] == '\n') {
      ++position.line;
      position.column = 1;
    } else {
      ++position.column;
    }
    index += length;
  }
  return std::nullopt;
}

TextPosition textPositionAt(std::string_view text, size_t offset) {
  TextPosition position{0, 1};
  for (size_t index = 0; index < offset && index < text.size(); ++index) {
    if (text[index] == '\n') {
      ++position.line;
      position.column = 1;
    } else if ((static_cast<unsigned char>(text[index]) & 0xC0) != 0x80) {
      ++position.column;  // a character's first byte
    }
  }
  return position;
}

namespace {

bool isAllowedUnit(char16_t code) { return code >= 0x20 || code == u'\t' || code == u'\n' || code == u'\r'; }

#if defined(__SSE2__)
// Whether any of the eight units at units is below 0x20 (compared unsigned: a
// saturating subtraction from 0x20 leaves a unit non-zero only then).
bool holdsControlUnit(const char16_t* units) {
  const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
  const __m128i below = _mm_subs_epu16(_mm_set1_epi16(0x20), block);
  return _mm_movemask_epi8(_mm_cmpeq_epi16(below, _mm_setzero_si128())) != 0xFFFF;
}
#endif

}  // namespace

// Runs on every name and path a solution gets, which hold no control character:
// blocks of units are tested for one below 0x20 at once, and only such a block
// unit by unit.
bool isXmlText(QStringView text) {
  const char16_t* units = text.utf16();
  const qsizetype size = text.size();
  qsizetype i = 0;
#if defined(__SSE2__)
  for (; i + 8 <= size; i += 8) {
    if (!holdsControlUnit(units + i)) continue;
    for (qsizetype unit = i; unit < i + 8; ++unit)
      if (!isAllowedUnit(units[unit])) return false;
  }
  // The last units as the final eight, some of them tested again.
  if (size >= 8 && i < size && !holdsControlUnit(units + size - 8)) return true;
#endif
  for (; i < size; ++i)
    if (!isAllowedUnit(units[i])) return false;
  return true;
}
