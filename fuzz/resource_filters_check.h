#pragma once
// What the resource_filters fuzz target checks, shared with the test that
// replays its corpus. The input's first line is one pattern and one name
// (first byte: bit 0 a regular expression, bit 1 case counts; then the
// pattern, a tab, the name): the linear wildcard matcher must agree with a
// plain dynamic-programming matcher, and PCRE2 called directly with
// QRegularExpression wherever ours decides. The rest is the content of a
// "filteredResources" element: whatever it holds, reading it and deciding on
// a few names must end within the budget, deciding or giving up, and every
// filter left out must name its line.

#include <QRegularExpression>
#include <QString>
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foreign/foreign_lookups.h"
#include "readers/eclipse/eclipse_resource_filters.h"

namespace resource_filters_check {

// The wildcard's answer by dynamic programming over every pattern and name
// position: slow, but plainly right. matches[j] tells whether the tokens so far
// match the first j characters of name.
inline bool wildcardReference(const QString& pattern, const QString& name, bool caseSensitive) {
  const auto fold = [caseSensitive](QChar c) { return caseSensitive ? c : c.toCaseFolded(); };
  std::vector<bool> matches(size_t(name.size()) + 1, false);
  matches[0] = true;
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    std::vector<bool> next(matches.size(), false);
    if (pattern[i] == QLatin1Char('*')) {
      for (size_t j = 0; j < matches.size(); ++j) next[j] = matches[j] || (j > 0 && next[j - 1]);
    } else {
      const bool any = pattern[i] == QLatin1Char('?');
      const QChar literal = pattern[i] == QLatin1Char('\\') && i + 1 < pattern.size() ? pattern[++i] : pattern[i];
      for (size_t j = 1; j < matches.size(); ++j)
        next[j] = matches[j - 1] && (any || fold(literal) == fold(name[qsizetype(j) - 1]));
    }
    matches = std::move(next);
  }
  return matches.back();
}

inline bool hasSurrogates(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar character) { return character.isSurrogate(); });
}

// Ours and Qt's differ only where a wildcard meets a character outside the
// basic plane: "?" and case folding take one UTF-16 unit here, as Eclipse does.
inline std::string checkPattern(const QString& line) {
  if (line.isEmpty() || hasSurrogates(line)) return {};
  const bool regular = line[0].unicode() & 1;
  const bool caseSensitive = line[0].unicode() & 2;
  const qsizetype tab = line.indexOf(QLatin1Char('\t'));
  const QString pattern = line.mid(1, tab < 0 ? -1 : tab - 1);
  const QString name = tab < 0 ? QString() : line.mid(tab + 1);
  const std::optional<ResourcePattern> ours = ResourcePattern::compile(pattern, regular, caseSensitive, 1);
  if (!ours && !regular) return "the wildcard " + pattern.toStdString() + " does not compile";
  const QRegularExpression reference(
      QRegularExpression::anchoredPattern(pattern),
      caseSensitive ? QRegularExpression::NoPatternOption : QRegularExpression::CaseInsensitiveOption);
  if (!ours || (regular && !reference.isValid()) || pattern.size() * name.size() > (1 << 20)) return {};
  WorkBudget budget(qsizetype(1) << 22);
  StepMeter meter(&budget);
  try {
    const bool matches = ours->matches(name, meter);
    // Qt's answer counts only where ours is decided: it takes a limit it hits for "no match".
    if (matches != (regular ? reference.match(name).hasMatch() : wildcardReference(pattern, name, caseSensitive)))
      return "pattern " + pattern.toStdString() + " and name " + name.toStdString() + " disagree";
  } catch (const PatternGaveUp&) {
    // A limit stopped the match: nothing to compare.
  }
  return {};
}

/// Empty when every property holds, else what went wrong.
inline std::string check(std::string_view input) {
  const QString text = QString::fromUtf8(input.data(), qsizetype(input.size()));
  const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'));
  if (std::string failure = checkPattern(text.left(lineEnd)); !failure.empty()) return failure;
  ForeignDocument document;
  const QByteArray rest = lineEnd < 0 ? QByteArray() : text.mid(lineEnd + 1).toUtf8();
  try {
    document = ForeignDocument::parse("<filteredResources>" + rest + "</filteredResources>");
  } catch (const ForeignParseError&) {
    return {};
  }
  QList<FilterProblem> unread;
  const ResourceFilters filters = ResourceFilters::read(childNamed(document, "filteredResources"), unread);
  for (const FilterProblem& problem : unread)
    if (problem.line < 1) return "no line for: " + problem.message.toStdString();
  WorkBudget budget(qsizetype(1) << 20);
  for (const QString& container : {QString(), QStringLiteral("src"), QStringLiteral("src/drivers")}) {
    for (const QString& name : {QStringLiteral("main.c"), QStringLiteral("Debug"), QStringLiteral("a"), QString()}) {
      try {
        filters.forContainer(container, &budget).keeps(container, name, name == QLatin1String("Debug"));
      } catch (const PatternGaveUp&) {
      }
    }
  }
  if (budget.spent() > budget.most()) return "the budget was overspent";
  return {};
}

}  // namespace resource_filters_check
