#include "readers/eclipse/wildcard_matching.h"

bool StepMeter::settled() {
  spent_ = spent_ || (budget_ && !budget_->take(pending_));
  pending_ = 0;
  return !spent_;
}

PatternGaveUp StepMeter::spent() const {
  return {QStringLiteral("matching its patterns against names takes more than %1 steps, the most one conversion "
                         "may take")
              .arg(budget_ ? budget_->most() : 0)};
}
