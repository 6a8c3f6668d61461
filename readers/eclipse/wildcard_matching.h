#pragma once
// Wildcard matching that takes at most pattern length × text length steps,
// whatever the pattern: patterns come from the user's files. A star token
// matches any run of elements and every other token one element; the match
// goes greedily and, on a mismatch, lets only the last star met take one
// element more (whatever an earlier star could take more, the last one can
// take as well), so nothing is ever tried twice from the same place. Every
// step counts against the conversion's budget of pattern steps.

#include <QString>

#include "readers/common/work_budget.h"

/// Thrown when a pattern's match cannot be decided within its bounds. The
/// answer is unknown, and must never be taken for "no match".
struct PatternGaveUp {
  QString message;
  /// The line of the file that holds the pattern; 0 when it is not known.
  int line = 0;
};

/// Counts the steps of matching against a budget (none: nothing counted).
class StepMeter {
 public:
  explicit StepMeter(WorkBudget* budget) : budget_(budget) {}

  /// steps more; throws PatternGaveUp once the budget is spent.
  void take(qsizetype steps = 1) {
    if (!tryTake(steps)) throw spent();
  }
  /// steps more, without throwing (for code called back from C): false once
  /// the budget is spent.
  bool tryTake(qsizetype steps = 1) {
    pending_ += steps;
    return pending_ < batch || settled();
  }
  /// Takes the steps counted so far from the budget; call when a match is
  /// done. Throws PatternGaveUp when the budget is spent.
  void settle() {
    if (!settled()) throw spent();
  }

 private:
  static constexpr qsizetype batch = 4096;
  bool settled();
  PatternGaveUp spent() const;

  WorkBudget* budget_;
  qsizetype pending_ = 0;
  bool spent_ = false;
};

/// The element at index of a std::vector or a QList, whichever type its size is.
template <typename List>
decltype(auto) elementAt(const List& list, qsizetype index) {
  return list[static_cast<typename List::size_type>(index)];
}

/// Whether text matches pattern as a whole: isStar(token) tells a star token,
/// accepts(token, element) whether another token matches one element.
template <typename Tokens, typename Elements, typename IsStar, typename Accepts>
bool wildcardMatches(const Tokens& pattern, const Elements& text, IsStar isStar, Accepts accepts, StepMeter& meter) {
  const qsizetype patternSize = qsizetype(pattern.size());
  const qsizetype textSize = qsizetype(text.size());
  qsizetype p = 0;
  qsizetype t = 0;
  qsizetype star = -1;
  qsizetype starText = 0;  // where the text stood when the last star was met, plus what it took since
  while (t < textSize) {
    meter.take();
    if (p < patternSize && isStar(elementAt(pattern, p))) {
      star = p++;
      starText = t;
    } else if (p < patternSize && accepts(elementAt(pattern, p), elementAt(text, t))) {
      ++p;
      ++t;
    } else if (star >= 0) {
      p = star + 1;
      t = ++starText;
    } else {
      return false;
    }
  }
  for (; p < patternSize && isStar(elementAt(pattern, p)); ++p) meter.take();
  return p == patternSize;
}
