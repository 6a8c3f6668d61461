#pragma once
// Where a text that should be UTF-8 is not, for messages that point at the byte,
// and which texts an XML file can hold at all.

#include <QStringView>
#include <cstdint>
#include <optional>
#include <string_view>

/// A place in a text: line counted from 0, as the parser counts, and column in
/// characters counted from 1, as editors count.
struct TextPosition {
  uint32_t line;
  uint32_t column;
};

/// The length of the UTF-8 sequence text starts with (RFC 3629: no overlong
/// forms, no surrogates, nothing above U+10FFFF), or 0 when it is none.
size_t utf8SequenceLength(std::string_view text);

/// Where text first breaks UTF-8; nothing when it is all UTF-8.
std::optional<TextPosition> firstInvalidUtf8(std::string_view text);

/// The place of the byte at offset in text.
TextPosition textPositionAt(std::string_view text, size_t offset);

/// True when text can be written into an XML file: XML 1.0 has no form for the
/// control characters other than tab, line feed and carriage return, so a name
/// or value holding one would make the file unreadable.
bool isXmlText(QStringView text);
