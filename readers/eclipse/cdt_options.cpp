#include "readers/eclipse/cdt_options.h"

#include <algorithm>
#include <utility>

#include "foreign/foreign_files.h"
#include "readers/eclipse/cdt_build_variables.h"
#include "readers/eclipse/cdt_option_table.h"

namespace {

const QString optionTag = QStringLiteral("option");
const QString toolTag = QStringLiteral("tool");

// The values of the entries a user set on a list option. Entries marked
// builtIn="true", or without the attribute, come from the tool chain. Only the
// option's own entries count: options nested in options (which CDT never
// writes) must not count an entry once for every enclosing option.
QStringList userListValues(const ForeignElement& option, const CdtBuildVariables& variables) {
  QStringList values;
  for (const ForeignElement& entry : childrenNamed(option, QStringLiteral("listOptionValue"))) {
    if (entry.attribute(QStringLiteral("builtIn")) != QLatin1String("false")) continue;
    for (const QString& value : variables.expandEntry(entry.attribute(QStringLiteral("value"))))
      if (!value.isEmpty()) values.append(value);
  }
  return values;
}

QString optionValue(const ForeignElement& option) {
  const QString value = option.attribute(QStringLiteral("value"));
  return value.isEmpty() ? option.attribute(QStringLiteral("defaultValue")) : value;
}

}  // namespace

bool holdsResourceSettings(const ForeignElement& element) {
  const QString& tag = element.tagName();
  return tag == QLatin1String("fileInfo") || tag == QLatin1String("resourceConfiguration") ||
         (tag == QLatin1String("folderInfo") && !element.attribute(QStringLiteral("resourcePath")).isEmpty());
}

// Depth first in document order with an explicit stack (options may nest deeply
// in odd files), remembering the tool each option belongs to.
CdtOptions CdtOptions::read(const ForeignElement& element, const CdtBuildVariables& variables) {
  CdtOptions options;
  struct Level {
    ForeignElement parent;
    size_t next;
    QString tool;
  };
  std::vector<Level> stack{{element, 0, QString()}};
  while (!stack.empty()) {
    Level& level = stack.back();
    if (level.next == level.parent.childCount()) {
      stack.pop_back();
      continue;
    }
    const ForeignElement child = level.parent.child(level.next++);
    if (holdsResourceSettings(child)) continue;
    const QString tool = child.tagName() == toolTag ? child.attribute(QStringLiteral("superClass")) : level.tool;
    if (child.tagName() == optionTag) {
      const QString superClass = child.attribute(QStringLiteral("superClass"));
      const QString valueType = child.attribute(QStringLiteral("valueType"));
      const CdtOptionKind* kind = cdtOptionKind(superClass);
      if (!kind) kind = cdtListOptionByValueType(valueType, tool);
      if (kind)
        options.add(kind, variables.expand(optionValue(child)), userListValues(child, variables));
      else if (child.attribute(QStringLiteral("name")) == QLatin1String("Microcontroller"))
        options.microcontroller = child.attribute(QStringLiteral("value"));
    }
    stack.push_back({child, 0, tool});
  }
  return options;
}

// Options of one kind met more than once (in nested or repeated elements) add
// their entries; the last value counts.
void CdtOptions::add(const CdtOptionKind* kind, const QString& value, const QStringList& entries) {
  const auto known = std::find_if(values_.begin(), values_.end(),
                                  [&](const CdtOptionValue& option) { return option.kind == kind; });
  if (known == values_.end()) {
    values_.push_back({kind, value, entries});
    return;
  }
  if (!value.isEmpty()) known->value = value;
  known->entries += entries;
}

CdtOptions CdtOptions::overriddenBy(const CdtOptions& more) const {
  CdtOptions result = *this;
  for (const CdtOptionValue& option : more.values_) {
    const auto known = std::find_if(result.values_.begin(), result.values_.end(),
                                    [&](const CdtOptionValue& own) { return own.kind == option.kind; });
    if (known == result.values_.end())
      result.values_.push_back(option);
    else
      *known = option;
  }
  if (more.microcontroller) result.microcontroller = more.microcontroller;
  return result;
}
