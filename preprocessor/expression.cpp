#include "preprocessor/expression.h"

#include <algorithm>

#include "preprocessor/expression_error.h"

void Expression::countOperands(const Expression& first, const Expression* second) {
  depth_ = std::max(first.depth(), second ? second->depth() : 0) + 1;
  nodeCount_ = first.nodeCount() + (second ? second->nodeCount() : 0) + 1;
}

ExpressionValue IdentifierExpression::evaluate() const {
  throw ExpressionError(name_ + QStringLiteral(" symbol not found"));
}

UnaryExpression::UnaryExpression(UnaryOperator op, std::unique_ptr<Expression> operand)
    : op_(op), operand_(std::move(operand)) {
  countOperands(*operand_);
}

std::unique_ptr<Expression> UnaryExpression::clone() const {
  return std::make_unique<UnaryExpression>(op_, operand_->clone());
}

BinaryExpression::BinaryExpression(BinaryOperator op, std::unique_ptr<Expression> left,
                                   std::unique_ptr<Expression> right)
    : op_(op), left_(std::move(left)), right_(std::move(right)) {
  countOperands(*left_, right_.get());
}

ExpressionValue BinaryExpression::evaluate() const {
  const ExpressionValue right = right_->evaluate();
  const ExpressionValue left = left_->evaluate();
  return applyBinary(op_, left, right);
}

std::unique_ptr<Expression> BinaryExpression::clone() const {
  return std::make_unique<BinaryExpression>(op_, left_->clone(), right_->clone());
}

AssignExpression::AssignExpression(std::unique_ptr<Expression> target, std::unique_ptr<Expression> value)
    : target_(std::move(target)), value_(std::move(value)) {
  countOperands(*target_, value_.get());
}

ExpressionValue AssignExpression::evaluate() const {
  value_->evaluate();
  target_->evaluate();
  throw ExpressionError(QStringLiteral("lvalue required"));
}

std::unique_ptr<Expression> AssignExpression::clone() const {
  return std::make_unique<AssignExpression>(target_->clone(), value_->clone());
}
