#pragma once
// The program's messages on standard error: "error: ..." and "warning: ...".
//
// Every message is one line whatever it holds: a path or name read from a
// foreign file may carry line feeds or terminal escapes, and printed as it is
// it could forge a second "error:" line or rewrite the terminal.

#include <string>
#include <string_view>

class QString;

/// message with each control byte (below 0x20, and 0x7F) written as an escape:
/// "\n", "\r", "\t", else "\xHH". Other bytes, backslashes included, stay.
std::string escapeControlCharacters(std::string_view message);

/// Writes "error: <message>\n" to standard error, control characters escaped.
void printError(std::string_view message);
/// Writes "warning: <message>\n" to standard error, control characters escaped.
void printWarning(std::string_view message);
/// The same for a Qt message, converted with the local 8-bit encoding (UTF-8).
void printError(const QString& message);
void printWarning(const QString& message);

/// Prints Qt's warnings (the templates files' preprocessor warnings among them)
/// with printWarning, so they read like the program's own.
void routeQtWarnings();
