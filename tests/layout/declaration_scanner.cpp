#include "layout/declaration_scanner.h"

#include <algorithm>
#include <cctype>
#include <regex>

namespace layout_testing {
namespace {

enum class Scope { Namespace, Class, Code };

/// A brace level and the statement read so far at that level.
struct Frame {
  Scope scope;
  std::string statement;
  int line = 0;  // where the statement starts
};

constexpr size_t npos = std::string::npos;

const std::regex leadingAttributes(R"(^\s*(\[\[[^\]]*\]\]\s*)+)");
const std::regex operatorName(R"(operator\s*[^\s(]+)");

bool isIdentifierCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

void blank(std::string& text, size_t from, size_t to) {
  for (size_t i = from; i < std::min(to, text.size()); ++i)
    if (text[i] != '\n') text[i] = ' ';
}

// The end of the literal whose opening quote is at start (just past its closing quote).
size_t literalEnd(const std::string& text, size_t start) {
  size_t i = start + 1;
  while (i < text.size() && text[i] != text[start]) i += text[i] == '\\' ? 2u : 1u;
  return std::min(i + 1, text.size());
}

// The end of the raw string literal whose "R" is at start.
size_t rawLiteralEnd(const std::string& text, size_t start) {
  const size_t open = text.find('(', start);
  if (open == npos) return text.size();
  const std::string closing = ")" + text.substr(start + 2, open - start - 2) + "\"";
  const size_t end = text.find(closing, open);
  return end == npos ? text.size() : end + closing.size();
}

// A preprocessor line, with the lines a trailing backslash continues it into.
size_t directiveEnd(const std::string& text, size_t start) {
  size_t end = text.find('\n', start);
  while (end != npos && end > 0 && text[end - 1] == '\\') end = text.find('\n', end + 1);
  return end == npos ? text.size() : end;
}

// Where what starts at i and is blanked ends, and where its blanking begins and
// ends (a literal keeps its quotes); nothing (end == i) for ordinary text.
struct Blanked {
  size_t from, to, end;
};

Blanked blankedAt(const std::string& text, size_t i, bool lineStart) {
  const char c = text[i];
  const bool afterIdentifier = i > 0 && isIdentifierCharacter(text[i - 1]);
  const auto until = [&](size_t end) { return end == npos ? text.size() : end; };
  if (lineStart && c == '#') return {i, directiveEnd(text, i), directiveEnd(text, i)};
  if (text.compare(i, 2, "//") == 0) return {i, until(text.find('\n', i)), until(text.find('\n', i))};
  if (text.compare(i, 2, "/*") == 0) {
    const size_t close = text.find("*/", i + 2);
    const size_t end = close == npos ? text.size() : close + 2;
    return {i, end, end};
  }
  if (c == 'R' && !afterIdentifier && i + 1 < text.size() && text[i + 1] == '"') {
    const size_t end = rawLiteralEnd(text, i);
    return {i + 1, end - 1, end};
  }
  if (c == '"' || (c == '\'' && !afterIdentifier)) {  // after an identifier, ' separates digits
    const size_t end = literalEnd(text, i);
    return {i + 1, end - 1, end};
  }
  return {i, i, i};
}

// Comments, literals (their quotes kept) and preprocessor lines become blanks;
// line feeds stay, so lines keep their numbers.
std::string blankedSource(std::string_view source) {
  std::string text(source);
  bool lineStart = true;
  for (size_t i = 0; i < text.size();) {
    const Blanked blanked = blankedAt(text, i, lineStart);
    blank(text, blanked.from, blanked.to);
    if (text[i] == '\n')
      lineStart = true;
    else if (!std::isspace(static_cast<unsigned char>(text[i])))
      lineStart = false;
    i = std::max(blanked.end, i + 1);
  }
  return text;
}

std::string trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\n");
  if (first == npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t\n") - first + 1));
}

bool isWordAt(const std::string& text, size_t at, std::string_view word) {
  const size_t after = at + word.size();
  const bool startsWord = at == 0 || !isIdentifierCharacter(text[at - 1]);
  return startsWord && (after >= text.size() || !isIdentifierCharacter(text[after]));
}

size_t findWord(const std::string& text, std::string_view word) {
  for (size_t at = text.find(word); at != npos; at = text.find(word, at + 1))
    if (isWordAt(text, at, word)) return at;
  return npos;
}

size_t findLastWord(const std::string& text, std::string_view word) {
  for (size_t at = text.rfind(word); at != npos; at = at == 0 ? npos : text.rfind(word, at - 1))
    if (isWordAt(text, at, word)) return at;
  return npos;
}

std::string firstWord(const std::string& text) {
  size_t end = 0;
  while (end < text.size() && isIdentifierCharacter(text[end])) ++end;
  return text.substr(0, end);
}

// The declaration as the checks read it: no leading attributes or storage
// specifiers, operator names without their "=" or "<".
std::string normalized(const std::string& statement) {
  std::string text =
      std::regex_replace(std::regex_replace(trimmed(statement), leadingAttributes, ""), operatorName, "operator");
  for (std::string word = firstWord(text); word == "static" || word == "inline" || word == "thread_local";
       word = firstWord(text))
    text = trimmed(text.substr(word.size()));
  return text;
}

bool isTypeKeyword(const std::string& word) {
  return word == "class" || word == "struct" || word == "union" || word == "enum";
}

// Whether the braces after head are a block of their own (a function body, a
// control statement, a namespace), after which a new statement starts; else they
// belong to the statement (an initializer, a class or enumeration body).
bool opensBlock(const std::string& head) {
  const std::string text = normalized(head);
  const std::string first = firstWord(text);
  if (text.empty() || first == "else" || first == "do" || first == "try" || first == "namespace") return true;
  if (isTypeKeyword(first) || first == "template") return false;
  const size_t parenthesis = text.find('(');
  const size_t assignment = text.find('=');
  return parenthesis != npos && (assignment == npos || parenthesis < assignment);
}

Scope scopeOpenedBy(const std::string& head) {
  const std::string first = firstWord(normalized(head));
  if (first == "namespace" || first == "extern") return Scope::Namespace;  // extern "C" too
  if (first == "class" || first == "struct" || first == "union") return Scope::Class;
  return Scope::Code;
}

// Whether a declaration (a statement at namespace scope, or the part of one from
// "static" on elsewhere) defines a variable that is not constant.
bool definesMutableVariable(const std::string& declaration, bool parenthesisIsFunction) {
  const std::string text = normalized(declaration);
  const std::string first = firstWord(text);
  if (text.empty() || first == "using" || first == "typedef" || first == "template" || first == "friend" ||
      first == "static_assert" || first == "extern" || first == "namespace")
    return false;
  if (isTypeKeyword(first)) {  // a type; state only when a variable follows its body
    const size_t body = text.rfind("{}");
    return body != npos && std::any_of(text.begin() + long(body) + 2, text.end(), isIdentifierCharacter);
  }
  const size_t initializer = std::min({text.find('='), text.find('{'), text.find('[')});
  const size_t parenthesis = text.find('(');
  if (parenthesisIsFunction && parenthesis != npos && parenthesis < initializer) return false;
  const std::string head = text.substr(0, std::min(initializer, parenthesis));
  if (findWord(head, "constexpr") != npos) return false;
  const size_t lastConst = findLastWord(head, "const");
  return lastConst == npos || head.find('*', lastConst) != npos;
}

bool holdsState(const std::string& statement, Scope scope) {
  if (scope == Scope::Namespace) return definesMutableVariable(statement, true);
  const size_t start = std::min(findWord(statement, "static"), findWord(statement, "thread_local"));
  return start != npos && definesMutableVariable(statement.substr(start), scope == Scope::Class);
}

std::string oneLine(const std::string& statement) {
  std::string text;
  for (const char c : trimmed(statement))
    if (!(std::isspace(static_cast<unsigned char>(c)) && !text.empty() && text.back() == ' '))
      text += std::isspace(static_cast<unsigned char>(c)) ? ' ' : c;
  return text;
}

}  // namespace

std::vector<StateDeclaration> findStateDeclarations(std::string_view source) {
  const std::string text = blankedSource(source);
  std::vector<Frame> frames{{Scope::Namespace, {}, 0}};
  std::vector<StateDeclaration> found;
  int line = 1;
  for (const char c : text) {
    if (c == '\n') ++line;
    if (c == '{') {
      const Scope scope = scopeOpenedBy(frames.back().statement);
      frames.push_back({scope, {}, 0});
    } else if (c == '}' && frames.size() > 1) {
      const Scope closed = frames.back().scope;
      frames.pop_back();
      Frame& outer = frames.back();
      if (closed == Scope::Namespace || opensBlock(outer.statement))
        outer.statement.clear();
      else
        outer.statement += "{}";
    } else if (c == ';') {
      Frame& frame = frames.back();
      if (holdsState(frame.statement, frame.scope)) found.push_back({frame.line, oneLine(frame.statement)});
      frame.statement.clear();
    } else {
      Frame& frame = frames.back();
      if (trimmed(frame.statement).empty() && !std::isspace(static_cast<unsigned char>(c))) frame.line = line;
      frame.statement += c;
    }
  }
  return found;
}

}  // namespace layout_testing
