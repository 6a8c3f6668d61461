#include "support/wildcard.h"

namespace {

// Copies a "[...]" set starting at pattern[i] == '[' into the expression and
// returns the index after its "]", or -1 when the set is never closed.
qsizetype appendSet(const QString& pattern, qsizetype i, QString& expression) {
  expression += QLatin1Char('[');
  ++i;
  if (i < pattern.size() && pattern[i] == QLatin1Char('^')) expression += pattern[i++];
  // A "]" right after the opening (or after "^") belongs to the set, as in shells.
  if (i < pattern.size() && pattern[i] == QLatin1Char(']')) {
    expression += QLatin1String("\\]");
    ++i;
  }
  for (; i < pattern.size(); ++i) {
    const QChar c = pattern[i];
    if (c == QLatin1Char(']')) {
      expression += c;
      return i + 1;
    }
    if (c == QLatin1Char('\\') || c == QLatin1Char('[')) expression += QLatin1Char('\\');
    expression += c;
  }
  return -1;
}

// The anchored regular expression of a wildcard pattern; empty when malformed.
// Literal text is escaped a run at a time: escaping each UTF-16 unit alone would
// split a surrogate pair and make the whole expression invalid.
QString wildcardToExpression(const QString& pattern) {
  QString expression = QStringLiteral("\\A(?:");
  QString literal;
  for (qsizetype i = 0; i < pattern.size();) {
    const QChar c = pattern[i];
    if (c != QLatin1Char('*') && c != QLatin1Char('?') && c != QLatin1Char('[')) {
      literal += c;
      ++i;
      continue;
    }
    expression += QRegularExpression::escape(literal);
    literal.clear();
    if (c == QLatin1Char('[')) {
      i = appendSet(pattern, i, expression);
      if (i < 0) return {};
    } else {
      expression += c == QLatin1Char('*') ? QLatin1String(".*") : QLatin1String(".");
      ++i;
    }
  }
  return expression + QRegularExpression::escape(literal) + QLatin1String(")\\z");
}

}  // namespace

WildcardPattern::WildcardPattern(const QString& pattern, Qt::CaseSensitivity caseSensitivity) : pattern_(pattern) {
  const QString expression = wildcardToExpression(pattern);
  if (!expression.isEmpty()) expression_.setPattern(expression);
  QRegularExpression::PatternOptions options = QRegularExpression::DotMatchesEverythingOption;
  if (caseSensitivity == Qt::CaseInsensitive) options |= QRegularExpression::CaseInsensitiveOption;
  expression_.setPatternOptions(options);
}

bool WildcardPattern::matches(const QString& text) const {
  if (expression_.pattern().isEmpty() || !expression_.isValid()) return false;
  return expression_.match(text).hasMatch();
}
