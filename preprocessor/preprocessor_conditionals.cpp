// The conditional directives and "define".

#include "preprocessor/expression_parser.h"
#include "preprocessor/preprocessor_walk.h"
#include "xml/xml_document.h"

namespace {

QStringList listItems(const QString& list) { return list.split(QLatin1Char(','), Qt::SkipEmptyParts); }

}  // namespace

// An undefined macro counts as empty and is defined so from here on; as empty items
// are skipped, it never matches.
bool PreprocessorWalk::listedCondition(XMLElement& element, MacroTable& macros, bool& holds) {
  if (element.attributes().size() != 1) {
    warn(QStringLiteral("one condition required for <if[not]>"));
    return false;
  }
  const XMLAttribute& attribute = element.attributes().front();
  const QString name = QString::fromUtf8(attribute.name.data(), qsizetype(attribute.name.size()));
  const auto found = macros.constFind(name);
  const QString value = found == macros.constEnd() ? QString() : found.value();
  if (found == macros.constEnd()) setMacro(macros, name, value);
  holds = listItems(QString::fromUtf8(attribute.value.data(), qsizetype(attribute.value.size()))).contains(value);
  return true;
}

PreprocessorWalk::Outcome PreprocessorWalk::processIf(XMLElement& element, MacroTable& macros, unsigned flags) {
  bool holds = false;
  if (!listedCondition(element, macros, holds)) return {Action::Keep, nullptr};
  return yieldChildrenIf(holds, element, macros, flags);
}

PreprocessorWalk::Outcome PreprocessorWalk::processIfnot(XMLElement& element, MacroTable& macros, unsigned flags) {
  bool holds = false;
  if (!listedCondition(element, macros, holds)) return {Action::Keep, nullptr};
  return yieldChildrenIf(!holds, element, macros, flags);
}

// Only a truth value counts: a number, a failed parse or a failed evaluation is false.
PreprocessorWalk::Outcome PreprocessorWalk::processIfex(XMLElement& element, MacroTable& macros, unsigned flags) {
  const QString expression = attributeValue(element, "expression");
  if (expression.isEmpty()) return {Action::Keep, nullptr};
  return yieldChildrenIf(expressions_.evaluateBoolean(expandText(expression, macros)).value_or(false), element, macros,
                         flags);
}

PreprocessorWalk::Outcome PreprocessorWalk::processIfdef(XMLElement& element, MacroTable& macros, unsigned flags) {
  return yieldChildrenIf(macros.contains(attributeValue(element, "name")), element, macros, flags);
}

PreprocessorWalk::Outcome PreprocessorWalk::processIfndef(XMLElement& element, MacroTable& macros, unsigned flags) {
  return yieldChildrenIf(!macros.contains(attributeValue(element, "name")), element, macros, flags);
}

// The first "case" listing the macro's value, else the first "default"; an undefined
// macro counts as empty here without being defined.
PreprocessorWalk::Outcome PreprocessorWalk::processSwitch(XMLElement& element, MacroTable& macros, unsigned flags) {
  const QString value = macros.value(attributeValue(element, "name"));
  XMLElement* chosen = nullptr;
  XMLElement* fallback = nullptr;
  for (XMLNode* child = element.firstChild(); child && !chosen; child = child->nextSibling()) {
    if (child->nodeKind() != XMLNodeKind::Element) continue;
    auto& branch = static_cast<XMLElement&>(*child);
    if (branch.tagName() == "case" && listItems(attributeValue(branch, "value")).contains(value))
      chosen = &branch;
    else if (branch.tagName() == "default" && !fallback)
      fallback = &branch;
  }
  if (!chosen) chosen = fallback;
  return {Action::Replace, chosen ? walkAndTake(*chosen, macros, flags) : nullptr};
}

// An expression that fails to evaluate to a number defines nothing.
PreprocessorWalk::Outcome PreprocessorWalk::processDefine(XMLElement& element, MacroTable& macros, unsigned) {
  const QString name = attributeValue(element, "name");
  if (name.isEmpty()) {
    warn(QStringLiteral("missing name in <define>"));
    return {Action::Replace, nullptr};
  }
  if (const QString value = attributeValue(element, "value"); !value.isNull()) {
    setMacro(macros, name, value);
  } else if (const QString expression = attributeValue(element, "expression"); !expression.isNull()) {
    if (const std::optional<int64_t> number = expressions_.evaluateSigned(expandText(expression, macros)))
      setMacro(macros, name, QString::number(*number));
  } else if (const QString hexExpression = attributeValue(element, "hex_expression"); !hexExpression.isNull()) {
    if (const std::optional<uint64_t> number = expressions_.evaluateUnsigned(expandText(hexExpression, macros)))
      setMacro(macros, name, QStringLiteral("0x") + QString::number(*number, 16).toUpper());
  } else {
    warn(QStringLiteral("missing value or expression in <define>"));
  }
  return {Action::Replace, nullptr};
}
