#include "projectsystem/wildcard.h"

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
QString wildcardToExpression(const QString& pattern) {
  QString expression = QStringLiteral("\\A(?:");
  for (qsizetype i = 0; i < pattern.size();) {
    const QChar c = pattern[i];
    if (c == QLatin1Char('*')) {
      expression += QLatin1String(".*");
      ++i;
    } else if (c == QLatin1Char('?')) {
      expression += QLatin1Char('.');
      ++i;
    } else if (c == QLatin1Char('[')) {
      i = appendSet(pattern, i, expression);
      if (i < 0) return {};
    } else {
      expression += QRegularExpression::escape(QString(c));
      ++i;
    }
  }
  return expression + QLatin1String(")\\z");
}

}  // namespace

WildcardPattern::WildcardPattern(const QString& pattern) : pattern_(pattern) {
  const QString expression = wildcardToExpression(pattern);
  if (!expression.isEmpty())
    expression_.setPattern(expression);
  expression_.setPatternOptions(QRegularExpression::DotMatchesEverythingOption);
}

bool WildcardPattern::matches(const QString& text) const {
  if (expression_.pattern().isEmpty() || !expression_.isValid()) return false;
  return expression_.match(text).hasMatch();
}
