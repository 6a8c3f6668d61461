#pragma once
// Expansion of "$(name)" macro references from a local table and the global macros.

#include <QMap>
#include <QString>
#include <QStringList>

/// Macro name to value, in ordinal order of names.
using MacroTable = QMap<QString, QString>;

/// The macros an expansion falls back on when its local table lacks a name: the
/// user's macros first, then the built-in values defined at start-up.
struct GlobalMacros {
  MacroTable userMacros;
  MacroTable values;
};

/// Expands every reference in text: local table first, then the user macros, then
/// the global values; the date and time macros give the current date or time when
/// their name is found in one of them.
QString expand(const QString& text, const MacroTable& table, const GlobalMacros& global);

/// expand with an empty local table: the global macros only.
QString expandGlobal(const QString& text, const GlobalMacros& global);

/// "name=value" definitions as a table: the first "=" splits, a later name replaces an earlier one.
MacroTable macroDefinitions(const QStringList& definitions);

/// Splits definitions at unescaped ";" (backslash escapes the next character, empty
/// definitions are dropped) and splits each at its first "=", without expanding anything.
MacroTable parseMacroDefinitions(const QString& definitions);

/// Parses a "macros" property value: expanded with the global macros, split at
/// unescaped ";" (backslash escapes the next character), each definition split at its first "=".
MacroTable parseProjectMacros(const QString& macros, const GlobalMacros& global);
