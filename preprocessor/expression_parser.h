#pragma once
// The expression evaluator: parses C-style expressions into trees and evaluates them.

#include <QString>
#include <cstdint>
#include <memory>

#include "preprocessor/c_style_lexer.h"
#include "preprocessor/expression.h"
#include "preprocessor/expression_value.h"

/// Parses texts into expression trees and offers the evaluation entry points.
class ExpressionParser {
 public:
  virtual ~ExpressionParser() = default;

  /// The root node of text's expression, or null when text is empty. Raises ParserException.
  virtual std::unique_ptr<Expression> parse(const QString& text) = 0;
  /// The value of text's expression; "unknown" for an empty text. Raises ParserException.
  ExpressionValue evaluate(const QString& text);
  /// The value as an unsigned 64-bit number; ok only when it is a number (else 0).
  uint64_t evaluateUnsigned(const QString& text, bool* ok);
  /// The value as a signed 64-bit number; ok only when it is a number (else 0).
  int64_t evaluateSigned(const QString& text, bool* ok);
  /// The truth value; ok only when the value is one (else false).
  bool evaluateBoolean(const QString& text, bool* ok);
};

/// Precedence climbing from level -4 ("," only) to 9 (multiplicative), every level
/// left-associative, over the tokens of CStyleLexer.
class SimpleExpressionParser : public ExpressionParser {
 public:
  std::unique_ptr<Expression> parse(const QString& text) override;

 private:
  std::unique_ptr<Expression> parseLevel(int level);
  std::unique_ptr<Expression> parseUnary();
  std::unique_ptr<Expression> parseOperand();
  std::unique_ptr<Expression> binaryNode(int code, std::unique_ptr<Expression> left,
                                         std::unique_ptr<Expression> right);
  // Raises "expression too complex" when node breaks the bounds of a tree.
  std::unique_ptr<Expression> bounded(std::unique_ptr<Expression> node);

  CStyleLexer lexer_;
  int nesting_ = 0;
};
