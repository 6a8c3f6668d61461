#pragma once
// The property the expression evaluator must keep for any text, shared by the fuzz
// target and the test that replays its corpus: evaluation ends without a crash, and
// the three entry points agree with the value evaluate gives.

#include <QString>
#include <string>
#include <string_view>

#include "preprocessor/expression_error.h"
#include "preprocessor/expression_parser.h"

namespace expression_check {

/// An empty string when the property holds, else what went wrong.
inline std::string check(std::string_view input) {
  const QString text = QString::fromUtf8(input.data(), qsizetype(input.size()));
  ExpressionParser parser;
  ExpressionValue value;
  bool evaluated = true;
  try {
    value = parser.evaluate(text);
  } catch (const ExpressionError&) {
    evaluated = false;
  }
  const bool isNumber = evaluated && value.isNumber();
  const bool isBoolean = evaluated && value.kind() == ExpressionValue::Kind::Boolean;
  const std::optional<int64_t> signedValue = parser.evaluateSigned(text);
  const std::optional<uint64_t> unsignedValue = parser.evaluateUnsigned(text);
  const std::optional<bool> truth = parser.evaluateBoolean(text);
  if (signedValue.has_value() != isNumber || unsignedValue.has_value() != isNumber || truth.has_value() != isBoolean)
    return "entry points disagree on the kind";
  if (isNumber && (*signedValue != value.toSigned() || *unsignedValue != value.toUnsigned()))
    return "entry points disagree on the number";
  if (truth && *truth != (value.payload() != 0)) return "entry points disagree on the truth value";
  return {};
}

}  // namespace expression_check
