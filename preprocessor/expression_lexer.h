#pragma once
// The expression evaluator's lexer: a table of rules tried in order at the current
// position, the first one that matches there winning (no longest-match search).

#include <QRegularExpression>
#include <QString>
#include <vector>

/// Token codes of the expression lexer.
enum TokenCode : int {
  EndToken = 0,
  BlankToken = 2,
  DecimalIntegerToken = 3,
  HexIntegerToken = 4,
  BinaryIntegerToken = 5,
  DecimalFractionToken = 6,
  StringToken = 7,
  IdentifierToken = 8,
  AtNameToken = 9,
  SemicolonToken = 10,
  ColonToken = 11,
  ScopeToken = 12,
  LeftParenthesisToken = 13,
  RightParenthesisToken = 14,
  LeftBracketToken = 15,
  RightBracketToken = 16,
  LeftBraceToken = 17,
  RightBraceToken = 18,
  DotToken = 19,
  ArrowToken = 20,
  IncrementToken = 21,
  DecrementToken = 22,
  BitNotToken = 23,
  LogicalNotToken = 24,
  MultiplyToken = 25,
  DivideToken = 26,
  ModToken = 27,
  PlusToken = 28,
  MinusToken = 29,
  LshiftToken = 30,
  RshiftToken = 31,
  UnsignedRshiftToken = 32,
  LtToken = 33,
  LeToken = 34,
  GtToken = 35,
  GeToken = 36,
  EqToken = 37,
  NeToken = 38,
  BitAndToken = 39,
  BitXorToken = 40,
  BitOrToken = 41,
  LogicalAndToken = 42,
  LogicalOrToken = 43,
  ConditionalToken = 44,
  AssignToken = 45,
  PlusAssignToken = 46,
  MinusAssignToken = 47,
  MultiplyAssignToken = 48,
  DivideAssignToken = 49,
  ModAssignToken = 50,
  RshiftAssignToken = 51,
  LshiftAssignToken = 52,
  UnsignedRshiftAssignToken = 53,
  BitAndAssignToken = 54,
  BitXorAssignToken = 55,
  BitOrAssignToken = 56,
  CommaToken = 57,
};

/// The binary precedence of tokens that are no binary operator.
constexpr int noPrecedence = 10;

/// One rule of a lexer table: a regular expression or a literal token text.
struct LexerRule {
  const char* text;
  bool isPattern;
  int code;
  int precedence;
};

/// One token: its code, binary precedence and text.
struct Token {
  int code = EndToken;
  int precedence = noPrecedence;
  QString text;
};

/// Splits a C-style expression into tokens with the table of rules of the
/// evaluator's token codes and precedences; blanks are skipped. Raises
/// ExpressionError "unrecognised token: " and the rest of the text when no rule matches.
class ExpressionLexer {
 public:
  ExpressionLexer();

  /// Starts over on text and reads its first token.
  void start(const QString& text);
  /// Reads the next token into current().
  void advance();
  const Token& current() const { return current_; }

 private:
  struct CompiledRule {
    LexerRule rule;
    QRegularExpression pattern;
  };
  // The length of rule's match at the current position, 0 when it does not match there.
  qsizetype matchLength(const CompiledRule& rule) const;

  std::vector<CompiledRule> rules_;
  QString text_;
  qsizetype position_ = 0;
  QRegularExpression::MatchOptions matchOptions_;
  Token current_;
};
