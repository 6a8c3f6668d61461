#include "preprocessor/expression_lexer.h"

#include <gtest/gtest.h>

#include "helpers/test_support.h"
#include "preprocessor/expression_error.h"

namespace {

// "code:text/precedence" for every token up to the end.
QStringList tokens(const QString& text) {
  ExpressionLexer lexer;
  QStringList result;
  for (lexer.start(text); lexer.current().code != EndToken; lexer.advance())
    result << QString("%1:%2/%3").arg(lexer.current().code).arg(lexer.current().text).arg(lexer.current().precedence);
  return result;
}

TEST(ExpressionLexer, LiteralsNamesAndBlanks) {
  EXPECT_EQ(
      tokens(" 12 \t0x1fUL 0b101 1.25 \"a b\" _x$1 @r0 "),
      QStringList({"3:12/10", "4:0x1fUL/10", "5:0b101/10", "6:1.25/10", "7:\"a b\"/10", "8:_x$1/10", "9:@r0/10"}));
  // The first rule that matches wins, not the longest: "0x1G" is a hexadecimal
  // integer and a name, "1." an integer and a dot, "12abc" an integer and a name.
  EXPECT_EQ(tokens("0x1G 1. 12abc"), QStringList({"4:0x1/10", "8:G/10", "3:1/10", "19:./10", "3:12/10", "8:abc/10"}));
}

// Each operator is one token, never a shorter one and the rest (what the operators
// bind and mean is shown by the expression parser's tests).
TEST(ExpressionLexer, OperatorsPreferTheirLongerForms) {
  const QString operators =
      ">>>= >>> >>= >> >= > <<= << <= < == = != ! && &= & || |= | ^= ^ -> -- -= - ++ += + "
      ":: : ; ? , ~ *= * /= / %= % ( ) [ ] { } .";
  QStringList texts;
  for (const QString& token : tokens(operators)) texts << token.section(':', 1).section('/', 0, -2);
  EXPECT_EQ(texts, operators.split(' '));
}

// The message for an unknown character is shown by the expression parser's tests.
TEST(ExpressionLexer, UnknownCharactersAndUnterminatedStringsFail) {
  EXPECT_THROW(tokens("1 + # 2"), ExpressionError);
  EXPECT_THROW(tokens("\"unterminated"), ExpressionError);
  EXPECT_THROW(tokens(QString(QChar(0xD800)) + "1"), ExpressionError);  // not valid UTF-16
}

}  // namespace
