#pragma once
// Expansion of "$(name)" macro references from a local table, the user's macros
// and the global macro values.

#include <QMap>
#include <QString>
#include <QStringList>

/// Macro name to value, in ordinal order of names.
using MacroTable = QMap<QString, QString>;

/// Expands every reference in text: local table first, then (when asked) the user
/// macros, then the global values; the date and time macros give the current
/// date or time when their name is found in one of them.
QString expand(const QString& text, const MacroTable& table, bool useUserMacros, bool useGlobalValues);

/// expand with an empty local table: the global macros only.
QString expandGlobal(const QString& text);

/// "name=value" definitions as a table: the first "=" splits, a later name replaces an earlier one.
MacroTable macroDefinitions(const QStringList& definitions);

/// Splits definitions at unescaped ";" (backslash escapes the next character, empty
/// definitions are dropped) and splits each at its first "=", without expanding anything.
MacroTable parseMacroDefinitions(const QString& definitions);

/// Parses a "macros" property value: expanded with the global macros, split at
/// unescaped ";" (backslash escapes the next character), each definition split at its first "=".
MacroTable parseProjectMacros(const QString& macros);
