#include "readers/eclipse/cdt_build_variables.h"

#include "foreign/foreign_files.h"

namespace {

// Variables may be defined through one another; a chain this long is a cycle.
constexpr int maximumVariableDepth = 32;

const QString variableStart = QStringLiteral("${");

}  // namespace

CdtBuildVariables::CdtBuildVariables(const DomElement& cconfiguration) {
  for (const DomElement& macros : descendantElements(cconfiguration, QStringLiteral("macros"))) {
    for (const DomElement& macro : childElements(macros, QStringLiteral("stringMacro")))
      values_.insert(macro.attribute(QStringLiteral("name")), {macro.attribute(QStringLiteral("value"))});
    for (const DomElement& macro : childElements(macros, QStringLiteral("stringListMacro"))) {
      QStringList items;
      for (const DomElement& item : childElements(macro, QStringLiteral("value")))
        items.append(item.attribute(QStringLiteral("name")));
      values_.insert(macro.attribute(QStringLiteral("name")), items);
    }
  }
  values_.remove(QString());
}

QString CdtBuildVariables::expand(const QString& text) const {
  return values_.isEmpty() ? text : expand(text, 0);
}

QString CdtBuildVariables::expand(const QString& text, int depth) const {
  if (depth > maximumVariableDepth) return text;
  QString result;
  qsizetype done = 0;
  for (qsizetype start = text.indexOf(variableStart); start >= 0; start = text.indexOf(variableStart, done)) {
    const qsizetype end = text.indexOf(QLatin1Char('}'), start);
    if (end < 0) break;
    const auto value = values_.constFind(text.mid(start + 2, end - start - 2));
    result += QStringView(text).sliced(done, start - done);
    if (value == values_.constEnd())
      result += QStringView(text).sliced(start, end + 1 - start);
    else
      result += expand(value->join(QLatin1Char(' ')), depth + 1);
    done = end + 1;
  }
  return result + text.mid(done);
}

QStringList CdtBuildVariables::expandEntry(const QString& entry) const {
  if (entry.startsWith(variableStart) && entry.endsWith(QLatin1Char('}')) && entry.indexOf(QLatin1Char('}')) == entry.size() - 1) {
    const auto value = values_.constFind(entry.mid(2, entry.size() - 3));
    if (value != values_.constEnd() && value->size() != 1) {
      QStringList items;
      for (const QString& item : *value) items.append(expand(item, 1));
      return items;
    }
  }
  return {expand(entry)};
}
