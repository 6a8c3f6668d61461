#include "preprocessor/expression_lexer.h"

#include <iterator>

#include "preprocessor/expression_error.h"

namespace {

// Tried in this order; the first rule matching at the position wins, so a longer
// operator must come before its prefix ("<<=" before "<<" before "<=" before "<").
// Precedences: multiplicative 9, additive 8, shifts 7, relational 6, equality 5,
// "&" 4, "^" 3, "|" 2, "&&" 1, "||" 0, "?" -1, "=" -2, compound assignments -3, "," -4.
constexpr LexerRule cStyleRules[] = {
    {"[\\s]+", true, BlankToken, noPrecedence},
    {"\"[^\"]*\"", true, StringToken, noPrecedence},
    {"0x[0-9A-Fa-f]*U?L?L?u?l?l?", true, HexIntegerToken, noPrecedence},
    {"0b[0-1]*", true, BinaryIntegerToken, noPrecedence},
    {"\\d+\\.\\d+", true, DecimalFractionToken, noPrecedence},
    {"\\d+U?L?L?u?l?l?", true, DecimalIntegerToken, noPrecedence},
    {"[A-Za-z_$][A-Za-z_0-9$]*", true, IdentifierToken, noPrecedence},
    {"@[A-Za-z_0-9]*", true, AtNameToken, noPrecedence},
    {";", false, SemicolonToken, noPrecedence},
    {"::", false, ScopeToken, noPrecedence},
    {":", false, ColonToken, noPrecedence},
    {"(", false, LeftParenthesisToken, noPrecedence},
    {")", false, RightParenthesisToken, noPrecedence},
    {"[", false, LeftBracketToken, noPrecedence},
    {"]", false, RightBracketToken, noPrecedence},
    {"{", false, LeftBraceToken, noPrecedence},
    {"}", false, RightBraceToken, noPrecedence},
    {".", false, DotToken, noPrecedence},
    {"->", false, ArrowToken, noPrecedence},
    {"++", false, IncrementToken, noPrecedence},
    {"--", false, DecrementToken, noPrecedence},
    {"!=", false, NeToken, 5},
    {"!", false, LogicalNotToken, noPrecedence},
    {"~", false, BitNotToken, noPrecedence},
    {"*=", false, MultiplyAssignToken, -3},
    {"*", false, MultiplyToken, 9},
    {"/=", false, DivideAssignToken, -3},
    {"/", false, DivideToken, 9},
    {"%=", false, ModAssignToken, -3},
    {"%", false, ModToken, 9},
    {"+=", false, PlusAssignToken, -3},
    {"+", false, PlusToken, 8},
    {"-=", false, MinusAssignToken, -3},
    {"-", false, MinusToken, 8},
    {"<<=", false, LshiftAssignToken, -3},
    {"<<", false, LshiftToken, 7},
    {">>>=", false, UnsignedRshiftAssignToken, -3},
    {">>>", false, UnsignedRshiftToken, 7},
    {">>=", false, RshiftAssignToken, -3},
    {">>", false, RshiftToken, 7},
    {"<=", false, LeToken, 6},
    {"<", false, LtToken, 6},
    {">=", false, GeToken, 6},
    {">", false, GtToken, 6},
    {"==", false, EqToken, 5},
    {"^=", false, BitXorAssignToken, -3},
    {"^", false, BitXorToken, 3},
    {"&=", false, BitAndAssignToken, -3},
    {"&&", false, LogicalAndToken, 1},
    {"&", false, BitAndToken, 4},
    {"|=", false, BitOrAssignToken, -3},
    {"||", false, LogicalOrToken, 0},
    {"|", false, BitOrToken, 2},
    {"?", false, ConditionalToken, -1},
    {"=", false, AssignToken, -2},
    {",", false, CommaToken, -4},
};

}  // namespace

ExpressionLexer::ExpressionLexer() {
  for (const LexerRule& rule : cStyleRules) {
    CompiledRule compiled{rule, QRegularExpression()};
    if (rule.isPattern) {
      compiled.pattern.setPattern(QString::fromLatin1(rule.text));
      compiled.pattern.optimize();
    }
    rules_.push_back(std::move(compiled));
  }
}

void ExpressionLexer::start(const QString& text) {
  text_ = text;
  position_ = 0;
  // Checked once here rather than by every match, which would read the whole rest of
  // the text for each token; a text that fails the check is matched the slow way.
  matchOptions_ =
      text.isValidUtf16() ? QRegularExpression::DontCheckSubjectStringMatchOption : QRegularExpression::NoMatchOption;
  advance();
}

qsizetype ExpressionLexer::matchLength(const CompiledRule& rule) const {
  if (!rule.rule.isPattern) {
    const QLatin1String literal(rule.rule.text);
    return QStringView(text_).mid(position_).startsWith(literal) ? literal.size() : 0;
  }
  const QRegularExpressionMatch match = rule.pattern.match(
      text_, position_, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption | matchOptions_);
  return match.hasMatch() ? match.capturedLength() : 0;
}

void ExpressionLexer::advance() {
  for (;;) {
    if (position_ >= text_.size()) {
      current_ = Token();
      return;
    }
    const CompiledRule* matched = nullptr;
    qsizetype length = 0;
    for (const CompiledRule& rule : rules_) {
      if ((length = matchLength(rule)) > 0) {
        matched = &rule;
        break;
      }
    }
    if (!matched) throw ExpressionError(QStringLiteral("unrecognised token: ") + text_.mid(position_));
    const qsizetype start = position_;
    position_ += length;
    if (matched->rule.code == BlankToken) continue;
    current_ = Token{matched->rule.code, matched->rule.precedence, text_.mid(start, length)};
    return;
  }
}
