#include "xml/c_style_lexer.h"

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "xml/parser_exception.h"

namespace {

// "code:text/precedence" for every token up to the end.
QStringList tokens(const QString& text) {
  CStyleLexer lexer;
  QStringList result;
  for (lexer.start(text); lexer.current().code != EndToken; lexer.advance())
    result << QString("%1:%2/%3").arg(lexer.current().code).arg(lexer.current().text).arg(lexer.current().precedence);
  return result;
}

TEST(CStyleLexer, LiteralsNamesAndBlanks) {
  EXPECT_EQ(tokens(" 12 \t0x1fUL 0b101 1.25 \"a b\" _x$1 @r0 "),
            QStringList({"3:12/10", "4:0x1fUL/10", "5:0b101/10", "6:1.25/10", "7:\"a b\"/10", "8:_x$1/10", "9:@r0/10"}));
  // The first rule that matches wins, not the longest: "0x1G" is a hexadecimal
  // integer and a name, "1." an integer and a dot, "12abc" an integer and a name.
  EXPECT_EQ(tokens("0x1G 1. 12abc"), QStringList({"4:0x1/10", "8:G/10", "3:1/10", "19:./10", "3:12/10", "8:abc/10"}));
}

TEST(CStyleLexer, OperatorsPreferTheirLongerForms) {
  EXPECT_EQ(tokens(">>>= >>> >>= >> >= >"),
            QStringList({"53:>>>=/-3", "32:>>>/7", "51:>>=/-3", "31:>>/7", "36:>=/6", "35:>/6"}));
  EXPECT_EQ(tokens("<<= << <= < == = != !"),
            QStringList({"52:<<=/-3", "30:<</7", "34:<=/6", "33:</6", "37:==/5", "45:=/-2", "38:!=/5", "24:!/10"}));
  EXPECT_EQ(tokens("&& &= & || |= | ^= ^"),
            QStringList({"42:&&/1", "54:&=/-3", "39:&/4", "43:||/0", "56:|=/-3", "41:|/2", "55:^=/-3", "40:^/3"}));
  EXPECT_EQ(tokens("-> -- -= - ++ += + :: : ; ? , ~"),
            QStringList({"20:->/10", "22:--/10", "47:-=/-3", "29:-/8", "21:++/10", "46:+=/-3", "28:+/8",
                         "12:::/10", "11::/10", "10:;/10", "44:?/-1", "57:,/-4", "23:~/10"}));
  EXPECT_EQ(tokens("*= * /= / %= % ( ) [ ] { } ."),
            QStringList({"48:*=/-3", "25:*/9", "49:/=/-3", "26://9", "50:%=/-3", "27:%/9", "13:(/10", "14:)/10",
                         "15:[/10", "16:]/10", "17:{/10", "18:}/10", "19:./10"}));
}

TEST(CStyleLexer, AnUnknownCharacterReportsTheRestOfTheText) {
  try {
    tokens("1 + # 2");
    FAIL() << "no exception";
  } catch (const ParserException& error) {
    EXPECT_EQ(error.message(), "unrecognised token: # 2");
  }
  EXPECT_THROW(tokens("\"unterminated"), ParserException);
  EXPECT_THROW(tokens(QString(QChar(0xD800)) + "1"), ParserException);  // not valid UTF-16
}

}  // namespace
