#include "xml/utf8_text.h"

#include <cstring>

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

}  // namespace

// Runs on every name and path a solution gets, which hold no control character:
// four units at a time are tested for one below 0x20 (a test of "Bit Twiddling
// Hacks" on 16-bit lanes, exact as a whole), and only such a block unit by unit.
bool isXmlText(QStringView text) {
  constexpr uint64_t everyUnit = 0x0001000100010001;
  constexpr uint64_t highBits = 0x8000800080008000;
  const char16_t* units = text.utf16();
  const qsizetype size = text.size();
  qsizetype i = 0;
  for (; i + 4 <= size; i += 4) {
    uint64_t block;
    std::memcpy(&block, units + i, sizeof block);
    if (((block - everyUnit * 0x20) & ~block & highBits) == 0) continue;
    for (qsizetype unit = i; unit < i + 4; ++unit)
      if (!isAllowedUnit(units[unit])) return false;
  }
  for (; i < size; ++i)
    if (!isAllowedUnit(units[i])) return false;
  return true;
}
