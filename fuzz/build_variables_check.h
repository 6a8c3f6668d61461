#pragma once
// What the build_variables fuzz target checks, shared with the test that
// replays its corpus. Each line of the input is a build variable ("NAME=value",
// or "NAME:item|item" for a list) or a text to expand. Whatever they hold
// (cycles, doubling chains, lists of themselves), every expansion ends, grows
// a text by at most maximumExpansionGrowth characters, leaves a text without
// references as it is, and gives the same in whatever order the texts come.

#include <QString>
#include <QStringList>
#include <algorithm>
#include <string>
#include <string_view>

#include "foreign/foreign_lookups.h"
#include "readers/eclipse/cdt_build_variables.h"

namespace build_variables_check {

// The input as a "macros" element and the texts to expand.
inline QByteArray macrosOf(const QString& input, QStringList& texts) {
  QByteArray macros;
  for (QString line : input.split(QLatin1Char('\n'))) {
    std::replace_if(
        line.begin(), line.end(), [](QChar c) { return c < QLatin1Char(' ') || c.unicode() >= 0xFFFE; },
        QLatin1Char('?'));
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (equals > 0 && (colon < 0 || equals < colon)) {
      macros += "<stringMacro name=\"" + line.left(equals).toHtmlEscaped().toUtf8() + "\" value=\"" +
                line.mid(equals + 1).toHtmlEscaped().toUtf8() + "\"/>";
      texts += {QStringLiteral("${") + line.left(equals) + QLatin1Char('}'), line.mid(equals + 1)};
    } else if (colon > 0) {
      macros += "<stringListMacro name=\"" + line.left(colon).toHtmlEscaped().toUtf8() + "\">";
      for (const QString& item : line.mid(colon + 1).split(QLatin1Char('|')))
        macros += "<value name=\"" + item.toHtmlEscaped().toUtf8() + "\"/>";
      macros += "</stringListMacro>";
      texts += QStringLiteral("${") + line.left(colon) + QLatin1Char('}');
    } else {
      texts += line;
    }
  }
  return "<c><macros>" + macros + "</macros></c>";
}

/// Empty when every property holds, else what went wrong.
inline std::string check(std::string_view input) {
  QStringList texts;
  const QByteArray macros = macrosOf(QString::fromUtf8(input.data(), qsizetype(input.size())), texts);
  ForeignDocument document;
  try {
    document = ForeignDocument::parse(macros);
  } catch (const ForeignParseError& error) {
    return "the macros do not parse: " + error.message.toStdString();
  }
  WorkBudget forwards(qsizetype(1) << 30), backwards(qsizetype(1) << 30);
  const CdtBuildVariables variables(childNamed(document, "c"), forwards);
  const CdtBuildVariables again(childNamed(document, "c"), backwards);
  QStringList expanded;
  for (const QString& text : texts) {
    expanded.append(variables.expand(text));
    if (expanded.last().size() > text.size() + maximumExpansionGrowth) return "grew too much: " + text.toStdString();
    if (!text.contains(QLatin1String("${")) && expanded.last() != text) return "changed: " + text.toStdString();
    variables.expandEntry(text);
  }
  for (qsizetype i = texts.size() - 1; i >= 0; --i) {
    if (again.expand(texts[i]) != expanded[i]) return "depends on the order: " + texts[i].toStdString();
  }
  return {};
}

}  // namespace build_variables_check
