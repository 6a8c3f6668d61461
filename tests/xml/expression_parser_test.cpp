#include "xml/expression_parser.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "support/test_support.h"
#include "xml/parser_exception.h"

namespace {

// "<kind> <value>" for a value, "error: <message>" for a failure.
std::string evaluated(const QString& text) {
  try {
    const ExpressionValue value = expressionParser().evaluate(text);
    QString shown;
    switch (value.kind()) {
      case ExpressionValue::Kind::Boolean: shown = value.payload() ? "true" : "false"; break;
      case ExpressionValue::Kind::Signed: shown = QString::number(value.toSigned()); break;
      case ExpressionValue::Kind::Unsigned: shown = QString::number(value.toUnsigned()); break;
      case ExpressionValue::Kind::Floating: shown = QString::number(value.floatingValue()); break;
      case ExpressionValue::Kind::String: shown = '"' + value.text() + '"'; break;
      default: return value.kindName().toStdString();
    }
    return (value.kindName() + ' ' + shown).toStdString();
  } catch (const ParserException& error) {
    return "error: " + error.message().toStdString();
  }
}

TEST(ExpressionParser, PrecedenceAndLeftAssociativity) {
  EXPECT_EQ(evaluated("1 + 2 * 3"), "long long 7");
  EXPECT_EQ(evaluated("(1 + 2) * 3"), "long long 9");
  EXPECT_EQ(evaluated("10 - 4 - 3"), "long long 3");
  EXPECT_EQ(evaluated("100 / 10 / 5"), "long long 2");
  EXPECT_EQ(evaluated("1 << 2 + 1"), "long long 8");         // additive binds tighter than shift
  EXPECT_EQ(evaluated("1 + 1 < 3"), "boolean true");         // shift/additive before relational
  EXPECT_EQ(evaluated("6 & 3 == 3"), "long long 0");         // equality before "&", as in C
  EXPECT_EQ(evaluated("1 | 2 ^ 3 & 1"), "long long 3");      // "&" 4, "^" 3, "|" 2
  EXPECT_EQ(evaluated("1 == 1 || 1 == 2 && 0 == 1"), "boolean true");
  EXPECT_EQ(evaluated("1 < 2 == 2 < 3"), "boolean true");    // relational before equality
  EXPECT_EQ(evaluated("-2 * -3"), "long long 6");
  EXPECT_EQ(evaluated("- - 5"), "long long 5");
  EXPECT_EQ(evaluated("+7 + ~0"), "long long 6");
  EXPECT_EQ(evaluated("!0 == !!1"), "boolean true");
}

TEST(ExpressionParser, LiteralsAndTheirKinds) {
  EXPECT_EQ(evaluated("0x10 + 1"), "long long 17");
  EXPECT_EQ(evaluated("0x10UL + 1u + 2LL + 0b101"), "long long 24");  // suffixes change nothing
  EXPECT_EQ(evaluated("0xffffffffffffffff"), "long long -1");
  EXPECT_EQ(evaluated("0x"), "long long 0");
  EXPECT_EQ(evaluated("0b"), "long long 0");
  EXPECT_EQ(evaluated("007"), "long long 7");  // a leading zero is no octal prefix
  EXPECT_EQ(evaluated("2.5 + 1"), "double 3.5");
  EXPECT_EQ(evaluated("1 + 2.5"), "double 3.5");
  EXPECT_EQ(evaluated("\"a b\""), "string \"a b\"");
  EXPECT_EQ(evaluated(""), "unknown");
  EXPECT_EQ(evaluated("18446744073709551617"), "long long 1");  // wraps modulo 2^64
}

TEST(ExpressionParser, ComparisonsAndLogicalOperatorsGiveTruthValues) {
  EXPECT_EQ(evaluated("1 == 1"), "boolean true");
  EXPECT_EQ(evaluated("2 != 2"), "boolean false");
  EXPECT_EQ(evaluated("3 >= 3 && 2 > 1 && 1 <= 1 && 0 < 1"), "boolean true");
  EXPECT_EQ(evaluated("0 || 0.0"), "boolean false");
  EXPECT_EQ(evaluated("2 && 0.5"), "boolean true");
  EXPECT_EQ(evaluated("1.5 > 1"), "boolean true");
  EXPECT_EQ(evaluated("-1 < 0x7fffffffffffffff"), "boolean true");
  EXPECT_EQ(evaluated("\"abc\" == \"abc\""), "boolean true");
  EXPECT_EQ(evaluated("\"abc\" < \"abd\""), "boolean true");
  EXPECT_EQ(evaluated("\"1\" == 1"), "error: unsupported binary numeric operation");
  EXPECT_EQ(evaluated("\"a\" && 1"), "error: unsupported binary numeric operation");
}

TEST(ExpressionParser, ArithmeticResultKindsFollowTheLeftOperand) {
  EXPECT_EQ(evaluated("(1 == 1) + 1"), "boolean true");
  EXPECT_EQ(evaluated("(1 == 1) - 1"), "boolean false");
  EXPECT_EQ(evaluated("(1 == 0) + 256"), "boolean false");  // only the right operand's lowest byte counts
  EXPECT_EQ(evaluated("1 + (1 == 1)"), "long long 2");
  EXPECT_EQ(evaluated("7.5 * 2"), "double 15");
  EXPECT_EQ(evaluated("7 / 2"), "long long 3");
  EXPECT_EQ(evaluated("-7 / 2"), "long long -3");  // C truncates toward zero
  EXPECT_EQ(evaluated("-7 % 3"), "long long -1");
  EXPECT_EQ(evaluated("7 / 2.0"), "double 3.5");
  EXPECT_EQ(evaluated("\"a\" + 1"), "error: unsupported binary numeric operation");
  EXPECT_EQ(evaluated("1 + \"a\""), "long long 1");  // a string right operand counts as 0
  EXPECT_EQ(evaluated("7.5 % 2"), "error: unsupported binary numeric operation");
  EXPECT_EQ(evaluated("7.5 & 1"), "error: unsupported binary numeric operation");
  EXPECT_EQ(evaluated("-\"a\""), "error: unsupported unary numeric operation");
  EXPECT_EQ(evaluated("~1.5"), "error: unsupported unary numeric operation");
  EXPECT_EQ(evaluated("-(1 == 1)"), "long long -1");
  EXPECT_EQ(evaluated("!2.5"), "boolean false");
}

TEST(ExpressionParser, DivisionByZeroAndOverflowNeverStopTheProcess) {
  EXPECT_EQ(evaluated("5 / 0"), "error: divide by zero");
  EXPECT_EQ(evaluated("7 % 0"), "error: divide by zero");
  EXPECT_EQ(evaluated("5 / (1 == 0)"), "error: divide by zero");
  EXPECT_EQ(evaluated("5 / 0.0"), "error: divide by zero");
  EXPECT_EQ(evaluated("7.5 % 0"), "error: divide by zero");
  EXPECT_EQ(evaluated("(1 == 1) / 256"), "error: divide by zero");  // the byte actually divided by is 0
  EXPECT_EQ(evaluated("(-0x7fffffffffffffff - 1) / -1"), "long long -9223372036854775808");
  EXPECT_EQ(evaluated("(-0x7fffffffffffffff - 1) % -1"), "long long 0");
  EXPECT_EQ(evaluated("0x7fffffffffffffff + 1"), "long long -9223372036854775808");
  EXPECT_EQ(evaluated("0x7fffffffffffffff * 3"), "long long 9223372036854775805");
  EXPECT_EQ(evaluated("-(-0x7fffffffffffffff - 1)"), "long long -9223372036854775808");
}

TEST(ExpressionParser, ShiftsGiveMathematicalResultsForAnyCount) {
  EXPECT_EQ(evaluated("1 << 4"), "long long 16");
  EXPECT_EQ(evaluated("-16 >> 2"), "long long -4");  // arithmetic shift of a signed value
  EXPECT_EQ(evaluated("1 << 63"), "long long -9223372036854775808");
  EXPECT_EQ(evaluated("(1 << 64) - 1"), "long long -1");
  EXPECT_EQ(evaluated("1 << 1000"), "long long 0");
  EXPECT_EQ(evaluated("-1 >> 100"), "long long -1");
  EXPECT_EQ(evaluated("8 << -2"), "long long 2");
  EXPECT_EQ(evaluated("1 >>> 1"), "error: operator not supported");
}

TEST(ExpressionParser, ErrorsAndWhatIsLeftUnread) {
  EXPECT_EQ(evaluated("1 ? 2 : 3"), "error: operator not supported");
  EXPECT_EQ(evaluated("1, 2"), "error: operator not supported");
  EXPECT_EQ(evaluated("1 >>>= 2"), "error: operator not supported");
  EXPECT_EQ(evaluated("ABC + 1"), "error: ABC symbol not found");
  EXPECT_EQ(evaluated("1 + $x"), "error: $x symbol not found");
  EXPECT_EQ(evaluated("1 # 2"), "error: unrecognised token: # 2");
  EXPECT_EQ(evaluated("(1 + 2"), "error: ')' expected");
  EXPECT_EQ(evaluated("1 +"), "error: expression expected");
  EXPECT_EQ(evaluated("   "), "error: expression expected");
  EXPECT_EQ(evaluated("sizeof(int)"), "error: expression expected");
  EXPECT_EQ(evaluated("*p"), "error: expression expected");
  EXPECT_EQ(evaluated("@r0"), "error: expression expected");
  EXPECT_EQ(evaluated("(int)5"), "error: int symbol not found");  // no type names without symbols
  EXPECT_EQ(evaluated("1 2"), "long long 1");
  EXPECT_EQ(evaluated("(1) )"), "long long 1");
  EXPECT_EQ(evaluated("1 ; garbage #"), "long long 1");
  // The right operand is evaluated first, and "&&" evaluates both.
  EXPECT_EQ(evaluated("A + B"), "error: B symbol not found");
  EXPECT_EQ(evaluated("0 && B"), "error: B symbol not found");
}

TEST(ExpressionParser, AssignmentsNeedASymbolContext) {
  EXPECT_EQ(evaluated("1 = 2"), "error: lvalue required");
  EXPECT_EQ(evaluated("x = 2"), "error: x symbol not found");
  EXPECT_EQ(evaluated("1 += 2"), "error: lvalue required");
  EXPECT_EQ(evaluated("x += 2"), "error: x symbol not found");
  EXPECT_EQ(evaluated("++x"), "error: x symbol not found");
  EXPECT_EQ(evaluated("--1"), "error: lvalue required");
  EXPECT_EQ(evaluated("1 = 2 / 0"), "error: divide by zero");  // the value is evaluated first
}

TEST(ExpressionParser, EntryPointsReportWhetherTheKindFits) {
  ExpressionParser& parser = expressionParser();
  bool ok = false;
  EXPECT_EQ(parser.evaluateSigned("-5", &ok), -5);
  EXPECT_TRUE(ok);
  EXPECT_EQ(parser.evaluateSigned("2.9", &ok), 2);
  EXPECT_TRUE(ok);
  EXPECT_EQ(parser.evaluateSigned("1 == 1", &ok), 0);  // a truth value is no number
  EXPECT_FALSE(ok);
  EXPECT_EQ(parser.evaluateSigned("", &ok), 0);
  EXPECT_FALSE(ok);
  EXPECT_EQ(parser.evaluateUnsigned("-1", &ok), std::numeric_limits<uint64_t>::max());
  EXPECT_TRUE(ok);
  EXPECT_EQ(parser.evaluateUnsigned("1.0", &ok), 0x3FF0000000000000u);  // the bits of the double
  EXPECT_TRUE(ok);
  EXPECT_EQ(parser.evaluateUnsigned("\"x\"", &ok), 0u);
  EXPECT_FALSE(ok);
  EXPECT_TRUE(parser.evaluateBoolean("1 == 1", &ok));
  EXPECT_TRUE(ok);
  EXPECT_FALSE(parser.evaluateBoolean("1", &ok));  // a number is no truth value
  EXPECT_FALSE(ok);
  EXPECT_FALSE(parser.evaluateBoolean("5 / 0 == 1", &ok));
  EXPECT_FALSE(ok);
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
