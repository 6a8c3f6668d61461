#include "preprocessor/macro_expander.h"

#include <QDateTime>
#include <QLocale>
#include <QStringList>
#include <utility>
#include <vector>

namespace {

/// The character that starts a reference; written twice it stands for itself.
constexpr QChar lead = QLatin1Char('$');

/// A built-in macro whose value is the current date or time in a Qt format pattern.
struct DateTimeMacro {
  const char* name;
  const char* pattern;
};

constexpr DateTimeMacro dateTimeMacros[] = {
    {"Date", "d MMMM yyyy"}, {"DateYear", "yyyy"}, {"DateMonth", "MM"},  {"DateDay", "dd"},
    {"Time", "hh:mm:ss"},    {"TimeHour", "hh"},   {"TimeMinute", "mm"}, {"TimeSecond", "ss"},
};

// Bounds for texts that never settle. A composite name such as $(A$(B)) asks for
// another pass on every pass, and a value that refers back to itself can grow
// the text on every pass, even double it. Real texts need one pass per level of
// defaults holding references and stay far below a million characters, so after
// 32 passes the last output is the result as it stands, and a pass whose output
// outgrows the length bound copies the rest of its text unexpanded and is the last.
constexpr int maximumPasses = 32;
constexpr qsizetype maximumLength = qsizetype(1) << 20;

/// The value a found macro contributes: the stored value, or for a date or time
/// macro the current local date or time. Formatted in the C locale so "Date"
/// always has English month names, whatever the user's locale.
QString foundValue(const QString& name, const QString& storedValue) {
  for (const DateTimeMacro& macro : dateTimeMacros) {
    if (name == QLatin1String(macro.name))
      return QLocale::c().toString(QDateTime::currentDateTime(), QLatin1String(macro.pattern));
  }
  return storedValue;
}

/// Looks name up in the local table, then the user macros, then the global values.
bool lookUp(const QString& name, const MacroTable& table, const GlobalMacros& global, QString& value) {
  for (const MacroTable* candidate : {&table, &global.userMacros, &global.values}) {
    const auto found = candidate->constFind(name);
    if (found != candidate->constEnd()) {
      value = foundValue(name, found.value());
      return true;
    }
  }
  return false;
}

// For each "(" of text the index of the ")" that closes it (the first one that
// brings the nesting depth back to zero), -1 when none does. Found in one scan
// up front, so a text full of unterminated references is not scanned to its end
// once per reference.
std::vector<qsizetype> closingParentheses(const QString& text) {
  std::vector<qsizetype> closing(size_t(text.size()), -1);
  std::vector<qsizetype> open;
  for (qsizetype index = 0; index < text.size(); ++index) {
    if (text[index] == QLatin1Char('(')) {
      open.push_back(index);
    } else if (text[index] == QLatin1Char(')') && !open.empty()) {
      closing[size_t(open.back())] = index;
      open.pop_back();
    }
  }
  return closing;
}

/// One left-to-right pass over a text.
class ExpansionPass {
 public:
  ExpansionPass(const MacroTable& table, const GlobalMacros& global) : table_(table), global_(global) {}

  QString run(const QString& text);
  /// Whether the pass asks for another one.
  bool repeat() const { return repeat_; }

 private:
  qsizetype copyLead(const QString& text, qsizetype leadIndex);
  void copyReference(const QString& body);

  const MacroTable& table_;
  const GlobalMacros& global_;
  QString output_;
  bool repeat_ = false;
  std::vector<qsizetype> closingParentheses_;  // of the text being run
};

QString ExpansionPass::run(const QString& text) {
  output_.clear();
  output_.reserve(text.size());
  repeat_ = false;
  closingParentheses_ = closingParentheses(text);
  qsizetype index = 0;
  while (index < text.size()) {
    if (output_.size() > maximumLength) {
      output_ += QStringView(text).mid(index);
      repeat_ = false;
      break;
    }
    if (text[index] != lead)
      output_ += text[index++];
    else
      index = copyLead(text, index);
  }
  return output_;
}

// Handles the lead character at leadIndex; returns where scanning goes on.
qsizetype ExpansionPass::copyLead(const QString& text, qsizetype leadIndex) {
  const qsizetype next = leadIndex + 1;
  if (next < text.size() && text[next] == lead) {
    output_ += lead;  // escaped lead character
    return next + 1;
  }
  if (next >= text.size() || text[next] != QLatin1Char('(')) {
    output_ += lead;
    return next;
  }
  const qsizetype bodyStart = next + 1;
  const qsizetype closing = closingParentheses_[size_t(next)];
  // A lead character inside the body asks for another pass, also when the body
  // never closes. A search stops at the first lead character after bodyStart and
  // no later search starts before it, so the searches of a pass read the text once.
  const qsizetype leadInBody = text.indexOf(lead, bodyStart);
  if (leadInBody >= 0 && (closing < 0 || leadInBody < closing)) repeat_ = true;
  if (closing < 0) return next;  // unterminated: drop the lead, go on with the "("
  copyReference(text.mid(bodyStart, closing - bodyStart));
  return closing + 1;
}

void ExpansionPass::copyReference(const QString& body) {
  QString name = body;
  QString fallback = QString(lead) + QLatin1Char('(') + body + QLatin1Char(')');
  const qsizetype colon = body.indexOf(QLatin1Char(':'));
  if (colon >= 0) {
    name = body.left(colon);
    fallback = body.mid(colon + 1);
    if (fallback.startsWith(QLatin1Char(':'))) {
      // "::" keeps the default literal. It clears the flag of the whole pass, so
      // an earlier reference of the same pass that asked for a repeat loses it too.
      fallback.remove(0, 1);
      repeat_ = false;
    }
  }
  QString value;
  output_ += lookUp(name, table_, global_, value) ? value : fallback;
}

}  // namespace

QString expand(const QString& text, const MacroTable& table, const GlobalMacros& global) {
  if (!text.contains(lead)) return text;
  ExpansionPass pass(table, global);
  QString current = text;
  for (int passes = 0; passes < maximumPasses; ++passes) {
    QString output = pass.run(current);
    // Equal output would give equal output again: stop at once.
    if (!pass.repeat() || output == current) return output;
    current = std::move(output);
  }
  return current;
}

QString expandGlobal(const QString& text, const GlobalMacros& global) { return expand(text, MacroTable(), global); }

namespace {

/// Splits at unescaped ";" and drops the backslashes; empty definitions are left out.
/// A backslash at the very end escapes nothing and is dropped.
QStringList splitDefinitions(const QString& macros) {
  QStringList definitions;
  QString current;
  for (qsizetype index = 0; index < macros.size(); ++index) {
    const QChar character = macros[index];
    if (character == QLatin1Char('\\')) {
      if (++index < macros.size()) current += macros[index];
    } else if (character == QLatin1Char(';')) {
      if (!current.isEmpty()) definitions.append(current);
      current.clear();
    } else {
      current += character;
    }
  }
  if (!current.isEmpty()) definitions.append(current);
  return definitions;
}

}  // namespace

// A definition without "=" defines its whole text as a name with an empty value.
MacroTable macroDefinitions(const QStringList& definitions) {
  MacroTable table;
  for (const QString& definition : definitions) {
    const qsizetype equals = definition.indexOf(QLatin1Char('='));
    if (equals < 0)
      table.insert(definition, QString());
    else
      table.insert(definition.left(equals), definition.mid(equals + 1));
  }
  return table;
}

// The escape protects only the splitting at ";": the first "=" of the unescaped
// definition splits it, escaped or not.
MacroTable parseMacroDefinitions(const QString& definitions) { return macroDefinitions(splitDefinitions(definitions)); }

MacroTable parseProjectMacros(const QString& macros, const GlobalMacros& global) {
  return parseMacroDefinitions(expandGlobal(macros, global));
}
