#include "preprocessor/expression_parser.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "preprocessor/expression_error.h"

namespace {

// Bounds that keep parsing, evaluating and destroying a tree within the call stack and
// memory whatever the text: real expressions nest a few levels and hold a few dozen
// nodes. Nesting counts parentheses and prefix operators; depth and node count are
// checked on every node made (a compound assignment copies its left operand, so
// chained ones would otherwise double the tree each time).
constexpr int maximumNesting = 200;
constexpr int maximumDepth = 1000;
constexpr int64_t maximumNodes = 10000;

struct BinaryToken {
  int code;
  BinaryOperator op;
};

constexpr BinaryToken binaryTokens[] = {
    {MultiplyToken, BinaryOperator::Multiply},
    {DivideToken, BinaryOperator::Divide},
    {ModToken, BinaryOperator::Mod},
    {PlusToken, BinaryOperator::Plus},
    {MinusToken, BinaryOperator::Minus},
    {LshiftToken, BinaryOperator::Lshift},
    {RshiftToken, BinaryOperator::Rshift},
    {LtToken, BinaryOperator::Lt},
    {LeToken, BinaryOperator::Le},
    {GtToken, BinaryOperator::Gt},
    {GeToken, BinaryOperator::Ge},
    {EqToken, BinaryOperator::Eq},
    {NeToken, BinaryOperator::Ne},
    {BitAndToken, BinaryOperator::BitAnd},
    {BitXorToken, BinaryOperator::BitXor},
    {BitOrToken, BinaryOperator::BitOr},
    {LogicalAndToken, BinaryOperator::LogicalAnd},
    {LogicalOrToken, BinaryOperator::LogicalOr},
};

// a op= b becomes a = (a op b).
constexpr BinaryToken compoundAssignmentTokens[] = {
    {MultiplyAssignToken, BinaryOperator::Multiply}, {DivideAssignToken, BinaryOperator::Divide},
    {ModAssignToken, BinaryOperator::Mod},           {PlusAssignToken, BinaryOperator::Plus},
    {MinusAssignToken, BinaryOperator::Minus},       {LshiftAssignToken, BinaryOperator::Lshift},
    {RshiftAssignToken, BinaryOperator::Rshift},     {BitAndAssignToken, BinaryOperator::BitAnd},
    {BitXorAssignToken, BinaryOperator::BitXor},     {BitOrAssignToken, BinaryOperator::BitOr},
};

const BinaryToken* findToken(const BinaryToken* begin, const BinaryToken* end, int code) {
  for (const BinaryToken* entry = begin; entry != end; ++entry)
    if (entry->code == code) return entry;
  return nullptr;
}

struct Radix {
  int code;
  int prefixLength;
  int base;
};

constexpr Radix radixes[] = {{DecimalIntegerToken, 0, 10}, {HexIntegerToken, 2, 16}, {BinaryIntegerToken, 2, 2}};

// The value of an integer token, its suffix letters ignored. Digits beyond 64 bits
// wrap around, as unsigned arithmetic does in C.
int64_t integerValue(const Token& token) {
  int prefixLength = 0, base = 10;
  for (const Radix& radix : radixes)
    if (radix.code == token.code) prefixLength = radix.prefixLength, base = radix.base;
  uint64_t value = 0;
  for (qsizetype index = prefixLength; index < token.text.size(); ++index) {
    const char16_t character = token.text[index].unicode(), lower = character | 0x20;
    const int digit = character >= '0' && character <= '9' ? character - '0'
                      : lower >= 'a' && lower <= 'f'       ? lower - 'a' + 10
                                                           : base;
    if (digit >= base) break;  // the U/L suffix
    value = value * uint64_t(base) + uint64_t(digit);
  }
  return static_cast<int64_t>(value);
}

[[noreturn]] void fail(const char* message) { throw ExpressionError(QString::fromLatin1(message)); }

bool isNumber(const ExpressionValue& value) { return value.isNumber(); }
bool isTruthValue(const ExpressionValue& value) { return value.kind() == ExpressionValue::Kind::Boolean; }

// The value of text when it evaluates to a kind that accepts takes; nothing when it
// does not evaluate or is of another kind.
std::optional<ExpressionValue> evaluateAccepted(ExpressionParser& parser, const QString& text,
                                                bool (*accepts)(const ExpressionValue&)) {
  std::optional<ExpressionValue> value;
  try {
    value = parser.evaluate(text);
  } catch (const ExpressionError&) {
    // a failed evaluation: no value
  }
  if (value && !accepts(*value)) value.reset();
  return value;
}

}  // namespace

ExpressionValue ExpressionParser::evaluate(const QString& text) {
  const std::unique_ptr<Expression> root = parse(text);
  return root ? root->evaluate() : ExpressionValue();
}

std::optional<uint64_t> ExpressionParser::evaluateUnsigned(const QString& text) {
  const std::optional<ExpressionValue> value = evaluateAccepted(*this, text, isNumber);
  if (!value) return std::nullopt;
  return value->toUnsigned();
}

std::optional<int64_t> ExpressionParser::evaluateSigned(const QString& text) {
  const std::optional<ExpressionValue> value = evaluateAccepted(*this, text, isNumber);
  if (!value) return std::nullopt;
  return value->toSigned();
}

std::optional<bool> ExpressionParser::evaluateBoolean(const QString& text) {
  const std::optional<ExpressionValue> value = evaluateAccepted(*this, text, isTruthValue);
  if (!value) return std::nullopt;
  return value->payload() != 0;
}

// Text after a complete expression is never read: the parse stops at the first
// token that no level takes.
std::unique_ptr<Expression> ExpressionParser::parse(const QString& text) {
  if (text.isEmpty()) return nullptr;
  nesting_ = 0;
  lexer_.start(text);
  return parseLevel(-4);
}

std::unique_ptr<Expression> ExpressionParser::parseLevel(int level) {
  if (level > 9) return parseUnary();
  std::unique_ptr<Expression> left = parseLevel(level + 1);
  while (lexer_.current().precedence == level) {
    const int code = lexer_.current().code;
    if (code == UnsignedRshiftToken || code == UnsignedRshiftAssignToken || code == ConditionalToken ||
        code == CommaToken)
      fail("operator not supported");
    lexer_.advance();
    left = binaryNode(code, std::move(left), parseLevel(level + 1));
  }
  return left;
}

std::unique_ptr<Expression> ExpressionParser::binaryNode(int code, std::unique_ptr<Expression> left,
                                                         std::unique_ptr<Expression> right) {
  if (code == AssignToken) return bounded(std::make_unique<AssignExpression>(std::move(left), std::move(right)));
  if (const BinaryToken* compound =
          findToken(std::begin(compoundAssignmentTokens), std::end(compoundAssignmentTokens), code)) {
    std::unique_ptr<Expression> target = left->clone();
    auto value = bounded(std::make_unique<BinaryExpression>(compound->op, std::move(left), std::move(right)));
    return bounded(std::make_unique<AssignExpression>(std::move(target), std::move(value)));
  }
  const BinaryToken* binary = findToken(std::begin(binaryTokens), std::end(binaryTokens), code);
  return bounded(std::make_unique<BinaryExpression>(binary->op, std::move(left), std::move(right)));
}

std::unique_ptr<Expression> ExpressionParser::bounded(std::unique_ptr<Expression> node) {
  if (node->depth() > maximumDepth || node->nodeCount() > maximumNodes) fail("expression too complex");
  return node;
}

// The prefix operators; "+" gives its operand itself, "++" and "--" assign the operand
// plus or minus one.
std::unique_ptr<Expression> ExpressionParser::parseUnary() {
  struct PrefixOperator {
    int code;
    UnaryOperator op;
  };
  static constexpr PrefixOperator prefixes[] = {{BitNotToken, UnaryOperator::BitNot},
                                                {LogicalNotToken, UnaryOperator::LogicalNot},
                                                {MinusToken, UnaryOperator::Negate}};
  const int code = lexer_.current().code;
  if (code != PlusToken && code != IncrementToken && code != DecrementToken &&
      std::none_of(std::begin(prefixes), std::end(prefixes),
                   [code](const PrefixOperator& p) { return p.code == code; }))
    return parseOperand();
  if (++nesting_ > maximumNesting) fail("expression too complex");
  lexer_.advance();
  std::unique_ptr<Expression> operand = parseUnary();
  --nesting_;
  for (const PrefixOperator& prefix : prefixes)
    if (prefix.code == code) return bounded(std::make_unique<UnaryExpression>(prefix.op, std::move(operand)));
  if (code == PlusToken) return operand;
  const BinaryOperator step = code == IncrementToken ? BinaryOperator::Plus : BinaryOperator::Minus;
  std::unique_ptr<Expression> target = operand->clone();
  auto value = bounded(
      std::make_unique<BinaryExpression>(step, std::move(operand), std::make_unique<IntegerConstantExpression>(1)));
  return bounded(std::make_unique<AssignExpression>(std::move(target), std::move(value)));
}

// Literals, names and parenthesised expressions. The debugger's forms (casts, "sizeof",
// "addressof", "*" and "&", "@" names) need a symbol context that the preprocessor
// never has: they are rejected as "expression expected".
std::unique_ptr<Expression> ExpressionParser::parseOperand() {
  const Token token = lexer_.current();
  switch (token.code) {
    case DecimalIntegerToken:
    case HexIntegerToken:
    case BinaryIntegerToken:
      lexer_.advance();
      return std::make_unique<IntegerConstantExpression>(integerValue(token));
    case DecimalFractionToken:
      lexer_.advance();
      return std::make_unique<FloatConstantExpression>(token.text.toDouble());
    case StringToken:
      lexer_.advance();
      return std::make_unique<StringConstantExpression>(token.text.mid(1, token.text.size() - 2));
    case IdentifierToken:
      if (token.text == QLatin1String("sizeof") || token.text == QLatin1String("addressof")) break;
      lexer_.advance();
      return std::make_unique<IdentifierExpression>(token.text);
    case LeftParenthesisToken: {
      if (++nesting_ > maximumNesting) fail("expression too complex");
      lexer_.advance();
      std::unique_ptr<Expression> inner = parseLevel(-4);
      if (lexer_.current().code != RightParenthesisToken) fail("')' expected");
      lexer_.advance();
      --nesting_;
      return inner;
    }
    default:
      break;
  }
  fail("expression expected");
}
