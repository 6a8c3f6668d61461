#include "preprocessor/expression_parser.h"

#include <gtest/gtest.h>

#include "helpers/test_support.h"
#include "preprocessor/expression_error.h"

namespace {

// "<kind> <value>" for a value, "error: <message>" for a failure.
std::string evaluated(const QString& text) {
  try {
    const ExpressionValue value = ExpressionParser().evaluate(text);
    QString shown;
    switch (value.kind()) {
      case ExpressionValue::Kind::Boolean:
        shown = value.payload() ? "true" : "false";
        break;
      case ExpressionValue::Kind::Signed:
        shown = QString::number(value.toSigned());
        break;
      case ExpressionValue::Kind::Unsigned:
        shown = QString::number(value.toUnsigned());
        break;
      case ExpressionValue::Kind::Floating:
        shown = QString::number(value.floatingValue());
        break;
      case ExpressionValue::Kind::String:
        shown = '"' + value.text() + '"';
        break;
      default:
        return value.kindName().toStdString();
    }
    return (value.kindName() + ' ' + shown).toStdString();
  } catch (const ExpressionError& error) {
    return "error: " + error.message().toStdString();
  }
}

struct Evaluation {
  const char* text;
  const char* expected;
};

void expectEvaluations(std::initializer_list<Evaluation> evaluations) {
  for (const Evaluation& e : evaluations) EXPECT_EQ(evaluated(e.text), e.expected) << e.text;
}

const char* const minimum = "long long -9223372036854775808";

TEST(ExpressionParser, PrecedenceAssociativityAndLiterals) {
  expectEvaluations({
      {"1 + 2 * 3", "long long 7"},
      {"(1 + 2) * 3", "long long 9"},
      {"10 - 4 - 3", "long long 3"},
      {"100 / 10 / 5", "long long 2"},
      {"-2 * -3", "long long 6"},
      {"- - 5", "long long 5"},
      {"+7 + ~0", "long long 6"},
      {"!0 == !!1", "boolean true"},
      {"1 << 2 + 1", "long long 8"},       // additive binds tighter than shift
      {"1 + 1 < 3", "boolean true"},       // shift/additive before relational
      {"1 < 2 == 2 < 3", "boolean true"},  // relational before equality
      {"6 & 3 == 3", "long long 0"},       // equality before "&", as in C
      {"1 | 2 ^ 3 & 1", "long long 3"},    // "&" 4, "^" 3, "|" 2
      {"1 == 1 || 1 == 2 && 0 == 1", "boolean true"},
      // Suffixes change nothing; a leading zero is no octal prefix; integers wrap modulo 2^64.
      {"0x10 + 1", "long long 17"},
      {"0x10UL + 1u + 2LL + 0b101", "long long 24"},
      {"007", "long long 7"},
      {"0x", "long long 0"},
      {"0b", "long long 0"},
      {"0xffffffffffffffff", "long long -1"},
      {"18446744073709551617", "long long 1"},
      {"2.5 + 1", "double 3.5"},
      {"1 + 2.5", "double 3.5"},
      {"\"a b\"", "string \"a b\""},
      {"", "unknown"},
  });
}

TEST(ExpressionParser, ResultKindsFollowTheLeftOperand) {
  expectEvaluations({
      {"2 != 2", "boolean false"},
      {"3 >= 3 && 2 > 1 && 1 <= 1 && 0 < 1", "boolean true"},
      {"0 || 0.0", "boolean false"},
      {"2 && 0.5", "boolean true"},
      {"1.5 > 1", "boolean true"},
      {"-1 < 0x7fffffffffffffff", "boolean true"},
      {"\"abc\" == \"abc\"", "boolean true"},
      {"\"abc\" < \"abd\"", "boolean true"},
      {"\"1\" == 1", "error: unsupported binary numeric operation"},
      {"\"a\" && 1", "error: unsupported binary numeric operation"},
      {"(1 == 1) + 1", "boolean true"},
      {"(1 == 1) - 1", "boolean false"},
      {"(1 == 0) + 256", "boolean false"},  // only the right operand's lowest byte counts
      {"1 + (1 == 1)", "long long 2"},
      {"7.5 * 2", "double 15"},
      {"7 / 2", "long long 3"},
      {"-7 / 2", "long long -3"},  // C truncates toward zero
      {"-7 % 3", "long long -1"},
      {"7 / 2.0", "double 3.5"},
      {"-(1 == 1)", "long long -1"},
      {"!2.5", "boolean false"},
      {"1 + \"a\"", "long long 1"},  // a string right operand counts as 0
      {"\"a\" + 1", "error: unsupported binary numeric operation"},
      {"7.5 % 2", "error: unsupported binary numeric operation"},
      {"7.5 & 1", "error: unsupported binary numeric operation"},
      {"-\"a\"", "error: unsupported unary numeric operation"},
      {"~1.5", "error: unsupported unary numeric operation"},
  });
}

// Division by zero and overflow never stop the process; shifts give the
// mathematical result for any count.
TEST(ExpressionParser, DivisionOverflowAndShifts) {
  expectEvaluations({
      {"5 / 0", "error: divide by zero"},
      {"7 % 0", "error: divide by zero"},
      {"5 / (1 == 0)", "error: divide by zero"},
      {"5 / 0.0", "error: divide by zero"},
      {"7.5 % 0", "error: divide by zero"},
      {"(1 == 1) / 256", "error: divide by zero"},  // the byte actually divided by is 0
      {"(-0x7fffffffffffffff - 1) / -1", minimum},
      {"(-0x7fffffffffffffff - 1) % -1", "long long 0"},
      {"0x7fffffffffffffff + 1", minimum},
      {"0x7fffffffffffffff * 3", "long long 9223372036854775805"},
      {"-(-0x7fffffffffffffff - 1)", minimum},
      {"1 << 4", "long long 16"},
      {"-16 >> 2", "long long -4"},  // arithmetic shift of a signed value
      {"1 << 63", minimum},
      {"(1 << 64) - 1", "long long -1"},
      {"1 << 1000", "long long 0"},
      {"-1 >> 100", "long long -1"},
      {"8 << -2", "long long 2"},
  });
}

// The right operand is evaluated first, and "&&" evaluates both. What follows a
// complete expression is left unread. Assignments need a symbol context.
TEST(ExpressionParser, ErrorsAndWhatIsLeftUnread) {
  expectEvaluations({
      {"1 >>> 1", "error: operator not supported"},
      {"1 ? 2 : 3", "error: operator not supported"},
      {"1, 2", "error: operator not supported"},
      {"1 >>>= 2", "error: operator not supported"},
      {"ABC + 1", "error: ABC symbol not found"},
      {"1 + $x", "error: $x symbol not found"},
      {"1 # 2", "error: unrecognised token: # 2"},
      {"(1 + 2", "error: ')' expected"},
      {"1 +", "error: expression expected"},
      {"   ", "error: expression expected"},
      {"sizeof(int)", "error: expression expected"},
      {"*p", "error: expression expected"},
      {"@r0", "error: expression expected"},
      {"(int)5", "error: int symbol not found"},  // no type names without symbols
      {"1 2", "long long 1"},
      {"(1) )", "long long 1"},
      {"1 ; garbage #", "long long 1"},
      {"A + B", "error: B symbol not found"},
      {"0 && B", "error: B symbol not found"},
      {"1 = 2", "error: lvalue required"},
      {"x = 2", "error: x symbol not found"},
      {"1 += 2", "error: lvalue required"},
      {"x += 2", "error: x symbol not found"},
      {"++x", "error: x symbol not found"},
      {"--1", "error: lvalue required"},
      {"1 = 2 / 0", "error: divide by zero"},  // the value is evaluated first
  });
}

// Each entry point gives its value where the value's kind fits ("-" where it does not).
TEST(ExpressionParser, EntryPointsGiveAValueOnlyWhereTheKindFits) {
  ExpressionParser parser;
  const auto fits = [](auto value) { return value ? std::to_string(*value) : std::string("-"); };
  EXPECT_EQ(fits(parser.evaluateSigned("-5")), "-5");
  EXPECT_EQ(fits(parser.evaluateSigned("-2.9")), "-2");  // truncated toward zero
  EXPECT_EQ(fits(parser.evaluateSigned("1" + QString(400, '0') + ".0")), "9223372036854775807");  // saturated
  EXPECT_EQ(fits(parser.evaluateSigned("1 == 1")), "-");  // a truth value is no number
  EXPECT_EQ(fits(parser.evaluateSigned("")), "-");
  EXPECT_EQ(fits(parser.evaluateUnsigned("-1")), "18446744073709551615");
  EXPECT_EQ(fits(parser.evaluateUnsigned("1.0")), "4607182418800017408");  // the bits of the double
  EXPECT_EQ(fits(parser.evaluateUnsigned("\"x\"")), "-");
  EXPECT_EQ(fits(parser.evaluateBoolean("1 == 1")), "1");
  EXPECT_EQ(fits(parser.evaluateBoolean("1")), "-");  // a number is no truth value
  EXPECT_EQ(fits(parser.evaluateBoolean("5 / 0 == 1")), "-");
  EXPECT_EQ(parser.parse(""), nullptr);
}

TEST(ExpressionParser, HugeAndDeepExpressionsFailInsteadOfExhaustingTheStack) {
  EXPECT_EQ(evaluated(QString(100000, '(') + "1"), "error: expression too complex");
  EXPECT_EQ(evaluated(QString(100000, '-') + "1"), "error: expression too complex");
  EXPECT_EQ(evaluated("1" + QString("+1").repeated(100000)), "error: expression too complex");
  // Chained compound assignments copy their left side: the tree would double each time.
  EXPECT_EQ(evaluated("1" + QString("+=1").repeated(200)), "error: expression too complex");
  EXPECT_EQ(evaluated(QString(150, '(') + "2" + QString(150, ')') + " * 3"), "long long 6");
  EXPECT_EQ(evaluated("0" + QString("+1").repeated(900)), "long long 900");
}

}  // namespace
