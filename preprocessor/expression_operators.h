#pragma once
// What the unary and binary operators of the expression evaluator compute from values.

#include "preprocessor/expression_value.h"

/// The binary operators that make nodes, in the order of their C precedence.
enum class BinaryOperator {
  Multiply,
  Divide,
  Mod,
  Plus,
  Minus,
  Lshift,
  Rshift,
  Lt,
  Le,
  Gt,
  Ge,
  Eq,
  Ne,
  BitAnd,
  BitXor,
  BitOr,
  LogicalAnd,
  LogicalOr,
};

enum class UnaryOperator { Negate, LogicalNot, BitNot };

/// Combines two evaluated operands. Arithmetic, shift and bit operators type their result
/// after the left operand (a floating right operand makes it floating); comparisons and
/// logical operators give truth values. Raises ExpressionError "divide by zero" or
/// "unsupported binary numeric operation".
ExpressionValue applyBinary(BinaryOperator op, const ExpressionValue& left, const ExpressionValue& right);

/// Applies a unary operator; raises ExpressionError "unsupported unary numeric operation"
/// for strings, markers, unknown values, and "~" on a floating value.
ExpressionValue applyUnary(UnaryOperator op, const ExpressionValue& operand);
