#include "preprocessor/expression_operators.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "preprocessor/expression_error.h"

namespace {

using Kind = ExpressionValue::Kind;

[[noreturn]] void unsupportedBinary() { throw ExpressionError(QStringLiteral("unsupported binary numeric operation")); }
[[noreturn]] void unsupportedUnary() { throw ExpressionError(QStringLiteral("unsupported unary numeric operation")); }
[[noreturn]] void divideByZero() { throw ExpressionError(QStringLiteral("divide by zero")); }

bool isArithmetic(BinaryOperator op) {
  return op <= BinaryOperator::Rshift || (op >= BinaryOperator::BitAnd && op <= BinaryOperator::BitOr);
}
bool isComparison(BinaryOperator op) { return op >= BinaryOperator::Lt && op <= BinaryOperator::Ne; }

// Shifts by a count already limited to -64..64; a negative count shifts the other
// way and a count of 64 shifts everything out (the sign fills a signed right shift).
// C leaves those counts undefined; these are the mathematical results.
uint64_t shift(uint64_t bits, int64_t count, bool left, bool isSigned) {
  if (count < 0) return shift(bits, -count, !left, isSigned);
  if (left) return count >= 64 ? 0 : bits << count;
  if (!isSigned) return count >= 64 ? 0 : bits >> count;
  return static_cast<uint64_t>(static_cast<int64_t>(bits) >> std::min<int64_t>(count, 63));
}

// Integer arithmetic on 64 bits: wrapping like the machine, never overflowing signed
// types. The quotient of the most negative value by -1 wraps to itself and the
// remainder is 0, where C leaves both undefined.
uint64_t integerResult(BinaryOperator op, uint64_t left, uint64_t right, bool isSigned) {
  const auto signedLeft = static_cast<int64_t>(left), signedRight = static_cast<int64_t>(right);
  const int64_t count = isSigned ? std::clamp<int64_t>(signedRight, -64, 64) : int64_t(std::min<uint64_t>(right, 64));
  switch (op) {
    case BinaryOperator::Multiply:
      return left * right;
    case BinaryOperator::Divide:
      if (right == 0) divideByZero();
      if (!isSigned) return left / right;
      return signedRight == -1 ? 0 - left : static_cast<uint64_t>(signedLeft / signedRight);
    case BinaryOperator::Mod:
      if (right == 0) divideByZero();
      if (!isSigned) return left % right;
      return signedRight == -1 ? 0 : static_cast<uint64_t>(signedLeft % signedRight);
    case BinaryOperator::Plus:
      return left + right;
    case BinaryOperator::Minus:
      return left - right;
    case BinaryOperator::Lshift:
      return shift(left, count, true, isSigned);
    case BinaryOperator::Rshift:
      return shift(left, count, false, isSigned);
    case BinaryOperator::BitAnd:
      return left & right;
    case BinaryOperator::BitXor:
      return left ^ right;
    case BinaryOperator::BitOr:
      return left | right;
    default:
      unsupportedBinary();
  }
}

double floatingResult(BinaryOperator op, double left, double right) {
  switch (op) {
    case BinaryOperator::Multiply:
      return left * right;
    case BinaryOperator::Divide:
      if (right == 0) divideByZero();
      return left / right;
    case BinaryOperator::Plus:
      return left + right;
    case BinaryOperator::Minus:
      return left - right;
    default:
      unsupportedBinary();  // remainder, shifts and bit operators need integers
  }
}

bool isZeroIntegerOrFalse(const ExpressionValue& value) {
  return (value.isInteger() || value.kind() == Kind::Boolean) && value.toUnsigned() == 0;
}

ExpressionValue arithmetic(BinaryOperator op, const ExpressionValue& left, const ExpressionValue& right) {
  if (left.kind() == Kind::String || left.kind() == Kind::Marker || left.kind() == Kind::Unknown) unsupportedBinary();
  if (op == BinaryOperator::Mod && isZeroIntegerOrFalse(right)) divideByZero();
  if (right.kind() == Kind::Floating && left.kind() != Kind::Floating) {
    const ExpressionValue converted = ExpressionValue::floating(left.toDouble(), left.size());
    return ExpressionValue::floating(floatingResult(op, converted.floatingValue(), right.floatingValue()),
                                     converted.size());
  }
  switch (left.kind()) {
    case Kind::Signed:
      return ExpressionValue::signedInteger(
          static_cast<int64_t>(integerResult(op, uint64_t(left.toSigned()), uint64_t(right.toSigned()), true)),
          left.size());
    case Kind::Unsigned:
      return ExpressionValue::unsignedInteger(integerResult(op, left.toUnsigned(), right.toUnsigned(), false),
                                              left.size());
    case Kind::Boolean: {
      // The truth value combines with the lowest byte of the right operand's payload.
      const uint64_t lowestByte = right.isInteger() || right.kind() == Kind::Boolean ? right.payload() & 0xFF : 0;
      return ExpressionValue::boolean(integerResult(op, left.payload(), lowestByte, true) != 0);
    }
    default:
      return ExpressionValue::floating(floatingResult(op, left.floatingValue(), right.toDouble()), left.size());
  }
}

// Integers and truth values compared by their mathematical values, so mixing signed
// and unsigned operands needs no C conversion rules: the negative values first, and
// within each sign by their two's-complement bits, which keep the order.
std::pair<bool, uint64_t> mathematicalOrder(const ExpressionValue& value) {
  if (value.kind() == Kind::Unsigned) return {true, value.toUnsigned()};
  const int64_t signedValue = value.toSigned();
  return {signedValue >= 0, static_cast<uint64_t>(signedValue)};
}

template <typename T>
bool compare(BinaryOperator op, const T& left, const T& right) {
  switch (op) {
    case BinaryOperator::Lt:
      return left < right;
    case BinaryOperator::Le:
      return left <= right;
    case BinaryOperator::Gt:
      return left > right;
    case BinaryOperator::Ge:
      return left >= right;
    case BinaryOperator::Eq:
      return left == right;
    default:
      return left != right;
  }
}

bool isNumeric(const ExpressionValue& value) { return value.isNumber() || value.kind() == Kind::Boolean; }

// Strings compare with strings (by UTF-16 code units), numbers with numbers.
ExpressionValue comparison(BinaryOperator op, const ExpressionValue& left, const ExpressionValue& right) {
  if (left.kind() == Kind::String && right.kind() == Kind::String)
    return ExpressionValue::boolean(compare(op, QString::compare(left.text(), right.text()), 0));
  if (!isNumeric(left) || !isNumeric(right)) unsupportedBinary();
  if (left.kind() == Kind::Floating || right.kind() == Kind::Floating)
    return ExpressionValue::boolean(compare(op, left.toDouble(), right.toDouble()));
  return ExpressionValue::boolean(compare(op, mathematicalOrder(left), mathematicalOrder(right)));
}

bool truth(const ExpressionValue& value) {
  switch (value.kind()) {
    case Kind::Boolean:
      return value.payload() != 0;
    case Kind::Signed:
      return value.toSigned() != 0;
    case Kind::Unsigned:
      return value.toUnsigned() != 0;
    case Kind::Floating:
      return value.floatingValue() != 0;
    default:
      unsupportedBinary();
  }
}

}  // namespace

ExpressionValue applyBinary(BinaryOperator op, const ExpressionValue& left, const ExpressionValue& right) {
  if (isArithmetic(op)) return arithmetic(op, left, right);
  if (isComparison(op)) return comparison(op, left, right);
  // Both operands were evaluated already: "&&" and "||" do not short-circuit.
  const bool leftTruth = truth(left), rightTruth = truth(right);
  return ExpressionValue::boolean(op == BinaryOperator::LogicalAnd ? leftTruth && rightTruth : leftTruth || rightTruth);
}

// A truth value operand acts as the int 0 or 1, as in C.
ExpressionValue applyUnary(UnaryOperator op, const ExpressionValue& operand) {
  const Kind kind = operand.kind();
  if (!isNumeric(operand)) unsupportedUnary();
  if (op == UnaryOperator::LogicalNot) return ExpressionValue::boolean(!truth(operand));
  if (kind == Kind::Floating) {
    if (op == UnaryOperator::BitNot) unsupportedUnary();
    return ExpressionValue::floating(-operand.floatingValue(), operand.size());
  }
  const uint64_t bits = kind == Kind::Unsigned ? operand.toUnsigned() : uint64_t(operand.toSigned());
  const uint64_t result = op == UnaryOperator::Negate ? 0 - bits : ~bits;
  if (kind == Kind::Unsigned) return ExpressionValue::unsignedInteger(result, operand.size());
  return ExpressionValue::signedInteger(static_cast<int64_t>(result), kind == Kind::Boolean ? 8 : operand.size());
}
