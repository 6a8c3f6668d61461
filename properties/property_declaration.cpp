#include "properties/property_declaration.h"

#include <algorithm>

#include "properties/property_schema.h"

namespace {

const QString macroExpansionSentence = QStringLiteral("This property will have macro expansion applied to it.");

/// Widest hexadecimal default: 64 bits. A larger second bound is a table slip, not a width.
constexpr qint64 widestHexadecimalDefault = 16;

QString descriptionText(const PropertyDescription& description) {
  QString text = QString::fromUtf8(description.text);
  if (description.macroExpanded) text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + macroExpansionSentence;
  return text;
}

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

std::unique_ptr<PropertyClass> makePropertyClass(const PropertyRow& row) {
  if (row.form == DeclarationForm::Macro)
    return std::make_unique<MacroPropertyClass>(QString::fromUtf8(row.name), descriptionText(row.description));
  auto propertyClass = std::make_unique<PropertyClass>();
  propertyClass->name = QString::fromUtf8(row.name);
  propertyClass->type = row.type;
  propertyClass->group = QString::fromUtf8(row.place.group);
  propertyClass->category = QString::fromUtf8(row.place.category);
  propertyClass->displayName = QString::fromUtf8(row.displayName);
  propertyClass->description = descriptionText(row.description);
  propertyClass->defaultValue = defaultValueText(row);
  propertyClass->itemKinds = row.itemKinds;
  if (row.form == DeclarationForm::Enumeration)
    propertyClass->choices = QString::fromUtf8(row.choices).split(QLatin1Char(';'), Qt::SkipEmptyParts);
  if (row.form == DeclarationForm::Integer) {
    propertyClass->minimum = row.minimum;
    propertyClass->maximum = row.maximum;
  }
  return propertyClass;
}
