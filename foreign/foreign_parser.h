#pragma once
// The fast path of reading a foreign file: a strict one-pass parser over UTF-8
// bytes that feeds ForeignStorage directly.
//
// It accepts only what it fully checks: an XML declaration (version 1.0,
// encoding, standalone), elements with ASCII names and unique attributes, text
// with the five predefined entities and character references, comments,
// processing instructions, and white space around the one document element.
// Anything else (a DOCTYPE, CDATA, non-ASCII names, any error or doubt) makes it give
// up, so that Qt's stream reader reads the file instead and reports errors with
// its own messages and positions. Where it accepts, the tree is the one the
// stream reader builds: the same line-end and attribute white-space
// normalisation, and the same rule that blank text is no node.

#include <string_view>

class ForeignStorage;

/// Parses storage.source() (UTF-8) into storage; false when it gives up, and then
/// storage holds a partial tree to be thrown away. encoding is the name the XML
/// declaration must give (the one the bytes were converted from), empty for none.
bool parseUtf8Elements(ForeignStorage& storage, std::string_view encoding);

/// The encoding named by the XML declaration at the start of bytes, empty when
/// there is none; only looked at, not checked.
std::string_view declaredEncoding(std::string_view bytes);
