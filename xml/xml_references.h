#pragma once
// Character and entity references of the XML layer: decoding what the parser reads
// and escaping what the writer writes, so that every byte of a value survives both.

#include <QStringView>
#include <string>
#include <string_view>

/// One of the five references XML names: what follows the "&", up to and
/// including the ";", and the character it stands for. Both the solution-file
/// parser and the foreign-file parser read them from this table.
struct NamedReference {
  std::string_view name;
  char byte;
};

inline constexpr NamedReference namedReferences[] = {
    {"lt;", '<'}, {"gt;", '>'}, {"amp;", '&'}, {"quot;", '"'}, {"apos;", '\''},
};

/// Appends text to out with its references decoded: the five named ones, "&#" decimal
/// and "&#x" hexadecimal byte values (modulo 256). A malformed reference is kept as it stands.
/// With dropCarriageReturns, carriage-return bytes of the text are left out (those
/// written as a reference are kept).
void appendDecoded(std::string& out, std::string_view text, bool dropCarriageReturns);

/// Appends text to out escaped for an attribute value or character data: the four
/// named references, printable ASCII as it is, every other byte as "&#x%x;".
void appendEscaped(std::string& out, std::string_view text);
/// The most bytes one byte of text takes escaped ("&quot;", "&#xff;").
inline constexpr size_t maxEscapedLength = 6;
/// Writes text escaped as appendEscaped does to to, which has room for
/// maxEscapedLength bytes per byte of text; the end of what was written.
char* writeEscaped(char* to, std::string_view text);
/// Writes text, UTF-16, as writeEscaped writes its UTF-8 form when every character
/// of it is printable ASCII; the end of what was written, or null when one is not
/// (what was written is then to be dropped).
char* writeEscapedAscii(char* to, QStringView text);
