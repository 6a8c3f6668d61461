#pragma once
// How much of some work whose amount a workspace's files decide (files listed,
// characters that variables add, steps of pattern matching) one conversion may
// still do. Real workspaces stay far below each budget; a hostile one reaches
// it within a bounded time and memory, and what reaches it is reported.

#include <QtGlobal>

/// A budget of work units, spent by take().
class WorkBudget {
 public:
  explicit WorkBudget(qsizetype most) : most_(most), left_(most) {}

  /// Takes amount; false when less is left, and from then on nothing is left,
  /// so that everything after the first refusal is refused alike.
  bool take(qsizetype amount = 1) {
    if (amount > left_) {
      left_ = 0;
      return false;
    }
    left_ -= amount;
    return true;
  }
  qsizetype most() const { return most_; }
  /// What was taken so far.
  qsizetype spent() const { return most_ - left_; }

 private:
  qsizetype most_;
  qsizetype left_;
};
