#pragma once
// The pattern of an Eclipse resource filter, matched against a whole name or
// project-relative path: a wildcard ("*" any run, "?" one character, "\" takes
// the next character as it is) or a regular expression.
//
// Both run within a bound on their cost, every step counted against the
// conversion's budget. Wildcards use the linear matcher of wildcard_matching.h.
// Regular expressions run on PCRE2 itself rather than through
// QRegularExpression, which sets no limit of its own and reports a match that
// hits PCRE2's as "no match": here each match has a limit on its backtracking
// and counts a step for every item of the pattern it tries, and a match that
// a limit stops throws PatternGaveUp naming the pattern and the name. Eclipse
// runs these patterns on a backtracking matcher as well ("(a+)+" backtracks
// there without end), so PCRE2's matcher keeps their meaning.

#include <QString>
#include <QStringView>
#include <memory>
#include <optional>
#include <vector>

#include "readers/eclipse/wildcard_matching.h"

struct RegularExpression;

/// A compiled resource filter pattern.
class ResourcePattern {
 public:
  /// A wildcard pattern that matches only the empty text.
  ResourcePattern() = default;
  /// pattern as a wildcard or, when regular, a regular expression; line: where
  /// the file holds it. Nothing when the regular expression is not valid.
  static std::optional<ResourcePattern> compile(const QString& pattern, bool regular, bool caseSensitive, int line);

  /// Whether text matches the whole pattern; every step is counted by meter.
  /// Throws PatternGaveUp when a limit stops the match before it is decided.
  bool matches(QStringView text, StepMeter& meter) const;

 private:
  struct Token {
    enum class Kind : char { Star, AnyOne, Literal };
    Kind kind;
    QChar character;  // case-folded when case does not count
  };
  bool wildcardMatches(QStringView text, StepMeter& meter) const;

  QString pattern_;
  int line_ = 0;
  bool caseSensitive_ = true;
  std::vector<Token> wildcard_;
  std::shared_ptr<const RegularExpression> regular_;
};
