// The counted loop "for" and the list loop "foreach".

#include <QChar>

#include "preprocessor/expression_parser.h"
#include "preprocessor/preprocessor_walk.h"
#include "preprocessor/xml_preprocessor.h"
#include "xml/xml_document.h"

namespace {

const char forUsage[] = "<for index=\"i\" start=\"0\" end=\"32\" incr=\"1\">";

// Hexadecimal of the 64-bit two's complement, so a negative index still reads as hex digits.
QString hexadecimal(int64_t value) {
  return QStringLiteral("0x") + QString::number(static_cast<uint64_t>(value), 16).toUpper();
}

// The character with code 65 + index ("A" for 0); empty when that is no character.
QString alphabetic(int64_t index) {
  if (index < -65 || index > 0x10FFFF - 65) return QString();
  const char32_t code = char32_t(index + 65);
  return QString::fromUcs4(&code, 1);
}

// The macros of one iteration of a counted loop: the index in decimal, as a letter,
// in hexadecimal, and mul * index + add in decimal and hexadecimal (wrapping on overflow).
MacroTable countedBindings(const QString& index, int64_t value, int64_t mul, int64_t add) {
  const auto progression = static_cast<int64_t>(uint64_t(mul) * uint64_t(value) + uint64_t(add));
  return MacroTable{{index, QString::number(value)},
                    {index + QStringLiteral("_alpha"), alphabetic(value)},
                    {index + QStringLiteral("_hex"), hexadecimal(value)},
                    {index + QStringLiteral("_ap"), QString::number(progression)},
                    {index + QStringLiteral("_ap_hex"), hexadecimal(progression)}};
}

}  // namespace

// A loop whose increment is not positive while start is below end would never end, and
// one that runs more than maximumIterations times is beyond any real file: both yield
// nothing with a warning, as does a bound that does not evaluate to a number.
PreprocessorWalk::Outcome PreprocessorWalk::processFor(XMLElement& element, MacroTable& macros, unsigned) {
  const QString index = attributeValue(element, "index");
  const char* const required[] = {"index", "start", "end", "incr"};
  bool complete = element.firstChild() != nullptr;
  for (const char* name : required) complete = complete && element.hasAttribute(name);
  const auto number = [&](const char* name, int64_t fallback) {
    if (!element.hasAttribute(name)) return fallback;
    const std::optional<int64_t> value = expressions_.evaluateSigned(expandText(attributeValue(element, name), macros));
    complete = complete && value;
    return value.value_or(0);
  };
  const int64_t start = number("start", 0), end = number("end", 0), increment = number("incr", 0);
  const int64_t add =
      element.hasAttribute("add") ? number("add", 0) : static_cast<int64_t>(0 - uint64_t(number("sub", 0)));
  const int64_t mul = number("mul", 1);
  if (!complete) {
    warn(QString::fromLatin1(forUsage));
    return {Action::Replace, nullptr};
  }
  if (start >= end) return {Action::Repeat, nullptr};
  const QString loopName = QStringLiteral("<for index=\"%1\">").arg(index);
  if (increment <= 0) {
    warn(loopName + QStringLiteral(" never ends: its increment is not positive"));
    return {Action::Replace, nullptr};
  }
  const uint64_t iterations = (uint64_t(end) - uint64_t(start) - 1) / uint64_t(increment) + 1;
  if (iterations > uint64_t(maximumIterations)) {
    warn(loopName + QStringLiteral(" would run more than %1 times").arg(maximumIterations));
    return {Action::Replace, nullptr};
  }
  return repeatBody(element, iterations, [&](uint64_t step) {
    return countedBindings(index, static_cast<int64_t>(uint64_t(start) + step * uint64_t(increment)), mul, add);
  });
}

// Every combination of the attributes' values, the first attribute varying slowest.
PreprocessorWalk::Outcome PreprocessorWalk::processForeach(XMLElement& element, MacroTable&, unsigned) {
  QStringList names;
  std::vector<QStringList> lists;
  uint64_t combinations = 1;
  for (const XMLAttribute& attribute : element.attributes()) {
    QString value = QString::fromUtf8(attribute.value.data(), qsizetype(attribute.value.size()));
    lists.push_back(value.remove(QLatin1Char('\n')).split(QLatin1Char(','), Qt::SkipEmptyParts));
    names << QString::fromUtf8(attribute.name.data(), qsizetype(attribute.name.size()));
    if (lists.back().isEmpty()) return {Action::Repeat, nullptr};
    combinations *= uint64_t(lists.back().size());  // at most 65536 * an attribute's length: no overflow
    if (combinations > uint64_t(maximumIterations)) {
      warn(QStringLiteral("<foreach> would run more than %1 times").arg(maximumIterations));
      return {Action::Replace, nullptr};
    }
  }
  return repeatBody(element, combinations, [&](uint64_t combination) {
    MacroTable binding;
    for (size_t list = lists.size(); list-- > 0;) {  // the last attribute turns fastest
      const auto count = uint64_t(lists[list].size());
      binding.insert(names[qsizetype(list)], lists[list][qsizetype(combination % count)]);
      combination /= count;
    }
    return binding;
  });
}

// The copies go after the loop in loop order and child order; the walk goes on with the first.
PreprocessorWalk::Outcome PreprocessorWalk::repeatBody(const XMLElement& loop, uint64_t iterations,
                                                       const std::function<MacroTable(uint64_t)>& bindings) {
  if (!loop.firstChild()) return {Action::Repeat, nullptr};
  XMLNode copies;
  for (uint64_t iteration = 0; iteration < iterations; ++iteration) {
    const MacroTable binding = bindings(iteration);
    for (const XMLNode* child = loop.firstChild(); child; child = child->nextSibling()) {
      std::unique_ptr<XMLNode> copy = copyExpanded(*child, binding);
      if (!copy) return {Action::Leave, nullptr};  // the work limit was reached
      copies.appendChild(std::move(copy));
    }
  }
  return {Action::Repeat, copies.takeChildren()};
}

// A deep copy with the references in element names, attribute values and text expanded
// from the bindings (and the global macros). Iterative, so deep bodies cost no stack.
// Null when the copy would pass the work limit.
std::unique_ptr<XMLNode> PreprocessorWalk::copyExpanded(const XMLNode& source, const MacroTable& bindings) {
  const auto text = [](const std::string& bytes) { return QString::fromUtf8(bytes.data(), qsizetype(bytes.size())); };
  const auto copyContent = [&](const XMLNode& node) -> std::unique_ptr<XMLNode> {
    if (node.nodeKind() == XMLNodeKind::Element) {
      const auto& element = static_cast<const XMLElement&>(node);
      auto copy = std::make_unique<XMLElement>(expandText(text(element.tagName()), bindings).toStdString());
      for (const XMLAttribute& attribute : element.attributes())
        copy->setAttribute(attribute.name, expandText(text(attribute.value), bindings).toStdString());
      return copy;
    }
    if (node.nodeKind() == XMLNodeKind::Data)
      return std::make_unique<XMLData>(
          expandText(text(static_cast<const XMLTextNode&>(node).text()), bindings).toStdString());
    if (node.nodeKind() == XMLNodeKind::CDATASection)
      return std::make_unique<XMLCDATASection>(
          expandText(text(static_cast<const XMLTextNode&>(node).text()), bindings).toStdString());
    return copyNode(node);  // comments are copied as they are
  };
  // A copy keeps the line of its original, so that what it warns about points there.
  const auto copyOne = [&](const XMLNode& node) {
    std::unique_ptr<XMLNode> copy = copyContent(node);
    copy->line = node.line;
    return copy;
  };
  if (!spend(nodeCost)) return nullptr;
  std::unique_ptr<XMLNode> root = copyOne(source);
  struct Pending {
    const XMLNode* next;
    XMLNode* parent;
  };
  std::vector<Pending> pending{{source.firstChild(), root.get()}};
  while (!pending.empty() && !stopped_) {
    const XMLNode* next = pending.back().next;
    XMLNode* parent = pending.back().parent;
    if (!next) {
      pending.pop_back();
      continue;
    }
    pending.back().next = next->nextSibling();
    if (!spend(nodeCost)) break;
    std::unique_ptr<XMLNode> copy = copyOne(*next);
    XMLNode* const copied = copy.get();
    parent->appendChild(std::move(copy));
    if (next->firstChild()) pending.push_back({next->firstChild(), copied});
  }
  return stopped_ ? nullptr : std::move(root);
}
