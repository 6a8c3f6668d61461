#include "properties/property_rows.h"

#include <algorithm>

#include "properties/property_schema.h"

namespace {

/// Widest hexadecimal default: 64 bits. A larger second bound is a table slip, not a width.
constexpr qint64 widestHexadecimalDefault = 16;

/// IntegerHex defaults read "0x" followed by upper-case digits, zero-padded to
/// the width the second bound gives, like the addresses and fill values users type.
QString hexadecimalText(qint64 value, qint64 width) {
  const auto digits = static_cast<int>(std::clamp<qint64>(width, 0, widestHexadecimalDefault));
  return QStringLiteral("0x") +
         QString::number(static_cast<quint64>(value), 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

QString defaultValueText(const PropertyRow& row) {
  switch (row.form) {
    case DeclarationForm::Boolean:
      return row.defaultTruth ? QStringLiteral("Yes") : QStringLiteral("No");
    case DeclarationForm::Integer:
      return row.type == property_types::IntegerHex ? hexadecimalText(row.defaultNumber, row.maximum)
                                                    : QString::number(row.defaultNumber);
    default:
      return QString::fromUtf8(row.defaultText);
  }
}

}  // namespace

std::unique_ptr<PropertyDeclaration> makeDeclaration(const PropertyRow& row) {
  if (row.form == DeclarationForm::Macro)
    return std::make_unique<MacroDeclaration>(QString::fromUtf8(row.name), row.description.text,
                                              row.description.macroExpanded);
  auto declaration = std::make_unique<PropertyDeclaration>();
  declaration->name = QString::fromUtf8(row.name);
  declaration->type = row.type;
  declaration->group = row.place.group;
  declaration->category = row.place.category;
  declaration->displayName = row.displayName;
  declaration->description = row.description.text;
  declaration->descriptionExpanded = row.description.macroExpanded;
  declaration->defaultValue = defaultValueText(row);
  declaration->itemKinds = row.itemKinds;
  if (row.form == DeclarationForm::Enumeration) declaration->choiceText = row.choices;
  if (row.form == DeclarationForm::Integer) {
    declaration->minimum = row.minimum;
    declaration->maximum = row.maximum;
  }
  return declaration;
}
