#pragma once
// The expression evaluator's only error.

#include <QString>

/// Raised by the lexer, the parser and the expression nodes; the evaluate entry points
/// turn it into a failed evaluation.
class ExpressionError {
 public:
  explicit ExpressionError(QString message) : message_(std::move(message)) {}
  const QString& message() const { return message_; }

 private:
  QString message_;
};
