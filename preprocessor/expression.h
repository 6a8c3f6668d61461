#pragma once
// The nodes of a parsed expression; each computes a value from its operands.

#include <QString>
#include <memory>

#include "preprocessor/expression_operators.h"
#include "preprocessor/expression_value.h"

/// A node of an expression tree.
class Expression {
 public:
  virtual ~Expression() = default;
  /// The node's value; raises ExpressionError when it has none.
  virtual ExpressionValue evaluate() const = 0;
  /// A deep copy.
  virtual std::unique_ptr<Expression> clone() const = 0;
  /// Nodes on the longest path from this node to a leaf (the parser bounds it).
  int depth() const { return depth_; }
  /// Nodes in the tree under and including this one (the parser bounds it).
  int64_t nodeCount() const { return nodeCount_; }

 protected:
  // Sets depth and node count from the operands.
  void countOperands(const Expression& first, const Expression* second = nullptr);

 private:
  int depth_ = 1;
  int64_t nodeCount_ = 1;
};

/// A literal value.
class ConstantExpression : public Expression {
 public:
  explicit ConstantExpression(ExpressionValue value) : value_(std::move(value)) {}
  ExpressionValue evaluate() const override { return value_; }
  std::unique_ptr<Expression> clone() const override { return std::make_unique<ConstantExpression>(value_); }

 private:
  ExpressionValue value_;
};

/// A decimal, hexadecimal or binary integer literal: a signed integer of size 8.
class IntegerConstantExpression : public ConstantExpression {
 public:
  explicit IntegerConstantExpression(int64_t value) : ConstantExpression(ExpressionValue::signedInteger(value)) {}
};

/// A decimal fraction: a floating value of size 8.
class FloatConstantExpression : public ConstantExpression {
 public:
  explicit FloatConstantExpression(double value) : ConstantExpression(ExpressionValue::floating(value)) {}
};

/// A string literal.
class StringConstantExpression : public ConstantExpression {
 public:
  explicit StringConstantExpression(const QString& text) : ConstantExpression(ExpressionValue::string(text)) {}
};

/// A name. Only a symbol context gives names a meaning, and the preprocessor has none:
/// evaluating raises "<name> symbol not found".
class IdentifierExpression : public Expression {
 public:
  explicit IdentifierExpression(QString name) : name_(std::move(name)) {}
  ExpressionValue evaluate() const override;
  std::unique_ptr<Expression> clone() const override { return std::make_unique<IdentifierExpression>(name_); }

 private:
  QString name_;
};

/// "-", "!" or "~" applied to one operand.
class UnaryExpression : public Expression {
 public:
  UnaryExpression(UnaryOperator op, std::unique_ptr<Expression> operand);
  ExpressionValue evaluate() const override { return applyUnary(op_, operand_->evaluate()); }
  std::unique_ptr<Expression> clone() const override;

 private:
  UnaryOperator op_;
  std::unique_ptr<Expression> operand_;
};

/// A binary operator: evaluates its right operand, then its left one (both always), then combines.
class BinaryExpression : public Expression {
 public:
  BinaryExpression(BinaryOperator op, std::unique_ptr<Expression> left, std::unique_ptr<Expression> right);
  ExpressionValue evaluate() const override;
  std::unique_ptr<Expression> clone() const override;

 private:
  BinaryOperator op_;
  std::unique_ptr<Expression> left_;
  std::unique_ptr<Expression> right_;
};

/// "=" and the compound assignments. Without a symbol context nothing can be assigned:
/// after evaluating both sides (a name fails there) it raises "lvalue required".
class AssignExpression : public Expression {
 public:
  AssignExpression(std::unique_ptr<Expression> target, std::unique_ptr<Expression> value);
  ExpressionValue evaluate() const override;
  std::unique_ptr<Expression> clone() const override;

 private:
  std::unique_ptr<Expression> target_;
  std::unique_ptr<Expression> value_;
};
