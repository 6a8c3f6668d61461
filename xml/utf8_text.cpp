#include "xml/utf8_text.h"

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

// Runs on every name and path a solution gets: one pass without branches, which
// the compiler can turn into vector instructions.
bool isXmlText(QStringView text) {
  constexpr uint32_t allowedControls = (1u << '\t') | (1u << '\n') | (1u << '\r');
  const char16_t* units = text.utf16();
  bool refused = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const uint32_t code = units[i];
    refused |= code < 0x20 && ((allowedControls >> (code & 31)) & 1) == 0;
  }
  return !refused;
}
