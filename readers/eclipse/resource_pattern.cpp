#include "readers/eclipse/resource_pattern.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

namespace {

// The backtracking points one match may use (PCRE2's own default is ten times
// as many): a sane pattern needs a few per character of a name; one that
// backtracks without end reaches the limit within some 40 ms.
constexpr uint32_t matchLimit = 1000000;
constexpr uint32_t depthLimit = 10000;
constexpr uint32_t heapLimitKibibytes = 16384;

PCRE2_SPTR characters(QStringView text) { return reinterpret_cast<PCRE2_SPTR>(text.utf16()); }

QString errorText(int code) {
  PCRE2_UCHAR buffer[256];
  const int length = pcre2_get_error_message(code, buffer, 256);
  return length < 0 ? QStringLiteral("error %1").arg(code)
                    : QString::fromUtf16(reinterpret_cast<const char16_t*>(buffer), length);
}

// Called before every item of the pattern is tried (the pattern is compiled
// with automatic callouts): one step each, so backtracking counts as it
// happens. Stops the match, without throwing through PCRE2, once the budget
// is spent.
int countStep(pcre2_callout_block*, void* meter) {
  return static_cast<StepMeter*>(meter)->tryTake() ? 0 : PCRE2_ERROR_CALLOUT;
}

// QChar::toCaseFolded, with ASCII (nearly every name) folded without a call
// into Qt: a pattern that ignores case folds every character it looks at.
QChar caseFolded(QChar character) {
  const char16_t code = character.unicode();
  if (code >= 0x80) return character.toCaseFolded();
  return QChar(code >= u'A' && code <= u'Z' ? char16_t(code - u'A' + u'a') : code);
}

}  // namespace

/// A compiled regular expression and what its matches need. The match data
/// is written by every match (the program is single-threaded).
struct RegularExpression {
  std::unique_ptr<pcre2_code, void (*)(pcre2_code*)> code{nullptr, pcre2_code_free};
  std::unique_ptr<pcre2_match_context, void (*)(pcre2_match_context*)> context{pcre2_match_context_create(nullptr),
                                                                               pcre2_match_context_free};
  std::unique_ptr<pcre2_match_data, void (*)(pcre2_match_data*)> data{pcre2_match_data_create(1, nullptr),
                                                                      pcre2_match_data_free};

  RegularExpression() {
    pcre2_set_match_limit(context.get(), matchLimit);
    pcre2_set_depth_limit(context.get(), depthLimit);
    pcre2_set_heap_limit(context.get(), heapLimitKibibytes);
  }
};

std::optional<ResourcePattern> ResourcePattern::compile(const QString& pattern, bool regular, bool caseSensitive,
                                                        int line) {
  ResourcePattern result;
  result.pattern_ = pattern;
  result.line_ = line;
  result.caseSensitive_ = caseSensitive;
  if (regular) {
    int error = 0;
    PCRE2_SIZE offset = 0;
    const uint32_t options =
        PCRE2_UTF | PCRE2_ANCHORED | PCRE2_ENDANCHORED | PCRE2_AUTO_CALLOUT | (caseSensitive ? 0 : PCRE2_CASELESS);
    auto expression = std::make_shared<RegularExpression>();
    expression->code.reset(
        pcre2_compile(characters(pattern), PCRE2_SIZE(pattern.size()), options, &error, &offset, nullptr));
    if (!expression->code) return std::nullopt;
    result.regular_ = std::move(expression);
    return result;
  }
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    const QChar character = pattern[i];
    if (character == QLatin1Char('*')) {
      if (result.wildcard_.empty() || result.wildcard_.back().kind != Token::Kind::Star)
        result.wildcard_.push_back({Token::Kind::Star, character});
    } else if (character == QLatin1Char('?')) {
      result.wildcard_.push_back({Token::Kind::AnyOne, character});
    } else {
      const QChar literal = character == QLatin1Char('\\') && i + 1 < pattern.size() ? pattern[++i] : character;
      result.wildcard_.push_back({Token::Kind::Literal, caseSensitive ? literal : caseFolded(literal)});
    }
  }
  return result;
}

bool ResourcePattern::wildcardMatches(QStringView text, StepMeter& meter) const {
  const auto isStar = [](const Token& token) { return token.kind == Token::Kind::Star; };
  const auto accepts = [this](const Token& token, QChar character) {
    return token.kind == Token::Kind::AnyOne || token.character == (caseSensitive_ ? character : caseFolded(character));
  };
  return ::wildcardMatches(wildcard_, text, isStar, accepts, meter);
}

bool ResourcePattern::matches(QStringView text, StepMeter& meter) const {
  if (!regular_) return wildcardMatches(text, meter);
  const RegularExpression& expression = *regular_;
  meter.take(text.size() + 1);
  pcre2_set_callout(expression.context.get(), countStep, &meter);
  const int result = pcre2_match(expression.code.get(), characters(text), PCRE2_SIZE(text.size()), 0, 0,
                                 expression.data.get(), expression.context.get());
  if (result == PCRE2_ERROR_CALLOUT) meter.settle();  // the budget is spent: throws
  if (result >= 0) return true;                       // 0: more matches than the match data holds, still a match
  if (result == PCRE2_ERROR_NOMATCH) return false;
  throw PatternGaveUp{QStringLiteral("resource filter pattern ") + pattern_ + QStringLiteral(" gave up on ") +
                          text.toString() + QStringLiteral(": ") + errorText(result),
                      line_};
}
