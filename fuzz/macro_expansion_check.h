#pragma once
// The property the macro expander must keep for any input, shared by the fuzz
// target and the test that replays its corpus: the first line of the input holds
// ";"-separated definitions, the rest is the text; expansion ends and its result
// stays within a bound of the longest text and value it can copy.

#include <QString>
#include <string>
#include <string_view>

#include "preprocessor/macro_expander.h"

namespace macro_expansion_check {

/// An empty string when the property holds, else what went wrong.
inline std::string check(std::string_view input) {
  const QString all = QString::fromUtf8(input.data(), qsizetype(input.size()));
  const qsizetype newline = all.indexOf(QLatin1Char('\n'));
  const MacroTable table = parseProjectMacros(newline < 0 ? QString() : all.left(newline), GlobalMacros());
  const QString text = newline < 0 ? all : all.mid(newline + 1);
  const QString result = expand(text, table, GlobalMacros());
  // A pass stops expanding once its output passes 1 Mi characters and copies the
  // rest of its text, which the previous pass kept under 1 Mi plus one value: so
  // no result exceeds twice the bound plus a few values.
  const qsizetype bound = (qsizetype(2) << 20) + 4 * qsizetype(input.size()) + 64;
  if (result.size() > bound) return "result of " + std::to_string(result.size()) + " characters";
  return {};
}

}  // namespace macro_expansion_check
