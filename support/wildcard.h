#pragma once
// Shell-style wildcard patterns as the workspace formats and options use them:
// "*" matches any run of characters including "/", "?" any one character,
// "[...]" a set ("[^...]" its complement), and a backslash is an ordinary character.

#include <QRegularExpression>
#include <QString>

/// A wildcard pattern matched against whole strings, case-sensitively unless asked otherwise.
class WildcardPattern {
 public:
  WildcardPattern() = default;
  explicit WildcardPattern(const QString& pattern, Qt::CaseSensitivity caseSensitivity = Qt::CaseSensitive);

  /// True when the pattern matches all of text. A malformed pattern (an unclosed
  /// "[") matches nothing.
  bool matches(const QString& text) const;
  const QString& pattern() const { return pattern_; }

 private:
  QString pattern_;
  QRegularExpression expression_;
};
