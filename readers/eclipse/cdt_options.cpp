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

CdtOtherOption otherOption(const ForeignElement& option, const QString& value, const QStringList& entries) {
  CdtOtherOption other{cdtOptionId(option.attribute(QStringLiteral("superClass"))), value, entries};
  if (option.attribute(QStringLiteral("valueType")) == QLatin1String("enumerated"))
    other.value = value.mid(value.lastIndexOf(QLatin1Char('.')) + 1);
  return other;
}

bool sameOption(const CdtOptionValue& one, const CdtOptionValue& other) { return one.kind == other.kind; }
bool sameOption(const CdtOtherOption& one, const CdtOtherOption& other) { return one.id == other.id; }

// An option met more than once (in nested or repeated elements) adds its
// entries; the last value counts.
template <typename Option>
void mergeOption(std::vector<Option>& options, const Option& option) {
  const auto known =
      std::find_if(options.begin(), options.end(), [&](const Option& own) { return sameOption(own, option); });
  if (known == options.end()) {
    options.push_back(option);
    return;
  }
  known->id = option.id;
  if (!option.value.isEmpty()) known->value = option.value;
  known->entries += option.entries;
}

// A folder's or file's option takes the place of the one it derives from; one
// that holds nothing keeps that one's value.
template <typename Option>
void replaceOption(std::vector<Option>& options, const Option& option) {
  if (option.value.isEmpty() && option.entries.isEmpty()) return;
  const auto known =
      std::find_if(options.begin(), options.end(), [&](const Option& own) { return sameOption(own, option); });
  if (known == options.end())
    options.push_back(option);
  else
    *known = option;
}

}  // namespace

QString CdtOtherOption::reported() const {
  QString shown = value;
  if (shown == QLatin1String("default") || shown == QLatin1String("false")) shown.clear();
  if (!entries.isEmpty()) shown = (shown.isEmpty() ? entries : QStringList{shown} + entries).join(QStringLiteral(", "));
  return shown.isEmpty() ? QString() : cdtOptionIdSuffix(id) + QLatin1Char('=') + shown;
}

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
    ForeignChildren::iterator next;
    ForeignChildren::iterator end;
    QString tool;
  };
  std::vector<Level> stack{{element.children().begin(), element.children().end(), QString()}};
  while (!stack.empty()) {
    Level& level = stack.back();
    if (level.next == level.end) {
      stack.pop_back();
      continue;
    }
    const ForeignElement child = *level.next++;
    if (holdsResourceSettings(child)) continue;
    const QString tool = child.tagName() == toolTag ? child.attribute(QStringLiteral("superClass")) : level.tool;
    if (child.tagName() == optionTag) {
      const QString superClass = child.attribute(QStringLiteral("superClass"));
      const QString valueType = child.attribute(QStringLiteral("valueType"));
      const CdtOptionKind* kind = cdtOptionKind(superClass);
      if (!kind) kind = cdtListOptionByValueType(valueType, tool);
      const QString value = variables.expand(optionValue(child));
      if (kind)
        options.add({kind, cdtOptionId(superClass), value, userListValues(child, variables)});
      else if (child.attribute(QStringLiteral("name")) == QLatin1String("Microcontroller"))
        options.microcontroller = child.attribute(QStringLiteral("value"));
      else
        options.addOther(otherOption(child, value, userListValues(child, variables)));
    }
    stack.push_back({child.children().begin(), child.children().end(), tool});
  }
  return options;
}

void CdtOptions::add(const CdtOptionValue& option) { mergeOption(values_, option); }

void CdtOptions::addOther(const CdtOtherOption& option) { mergeOption(others_, option); }

CdtOptions CdtOptions::withDefaults(const std::vector<CdtDefaultValue>& defaults) const {
  CdtOptions result;
  for (const CdtDefaultValue& value : defaults)
    if (const CdtOptionKind* kind = cdtOptionKind(QLatin1String(value.superClass)))
      result.add({kind, QLatin1String(value.superClass), QLatin1String(value.value), {}});
  for (const CdtOptionValue& option : values_) result.add(option);
  result.others_ = others_;
  result.microcontroller = microcontroller;
  return result;
}

CdtOptions CdtOptions::overriddenBy(const CdtOptions& more) const {
  CdtOptions result = *this;
  for (const CdtOptionValue& option : more.values_) replaceOption(result.values_, option);
  for (const CdtOtherOption& option : more.others_) replaceOption(result.others_, option);
  if (more.microcontroller) result.microcontroller = more.microcontroller;
  return result;
}
