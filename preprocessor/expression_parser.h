#pragma once
// The expression evaluator: parses C-style expressions into trees and evaluates them.

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "preprocessor/expression.h"
#include "preprocessor/expression_lexer.h"
#include "preprocessor/expression_value.h"

/// Parses texts into expression trees by precedence climbing, from level -4 (","
/// only) to 9 (multiplicative), every level left-associative, and evaluates them.
class ExpressionParser {
 public:
  /// The root node of text's expression, or null when text is empty. Raises ExpressionError.
  std::unique_ptr<Expression> parse(const QString& text);
  /// The value of text's expression; "unknown" for an empty text. Raises ExpressionError.
  ExpressionValue evaluate(const QString& text);
  /// The value as an unsigned 64-bit number; nothing when it is no number.
  std::optional<uint64_t> evaluateUnsigned(const QString& text);
  /// The value as a signed 64-bit number; nothing when it is no number.
  std::optional<int64_t> evaluateSigned(const QString& text);
  /// The truth value; nothing when the value is none.
  std::optional<bool> evaluateBoolean(const QString& text);

 private:
  std::unique_ptr<Expression> parseLevel(int level);
  std::unique_ptr<Expression> parseUnary();
  std::unique_ptr<Expression> parseOperand();
  std::unique_ptr<Expression> binaryNode(int code, std::unique_ptr<Expression> left, std::unique_ptr<Expression> right);
  // Raises "expression too complex" when node breaks the bounds of a tree.
  std::unique_ptr<Expression> bounded(std::unique_ptr<Expression> node);

  ExpressionLexer lexer_;
  int nesting_ = 0;
};
