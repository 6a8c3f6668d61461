#include "properties/property_declaration.h"

#include <array>

namespace {

/// Names of the type codes 0 to 15, indexed by code.
constexpr std::array<const char*, 16> typeNames = {
    "Boolean", "Integer",     "IntegerHex",  "IntegerRange", "String", "FileName",       "ProjFileName", "StringList",
    "DirPath", "DirPathList", "Enumeration", "Color",        "Font",   "FixedPitchFont", "Custom",       "JavaScript",
};

}  // namespace

QString propertyTypeName(int32_t code) {
  // Command (16) has no name of its own: the property browsers report it like any unknown code.
  if (code < 0 || code >= static_cast<int32_t>(typeNames.size())) return QStringLiteral("Unknown");
  return QString::fromLatin1(typeNames[static_cast<size_t>(code)]);
}

QString PropertyDeclaration::label() const {
  return isMacro ? QStringLiteral("$(") + name + QLatin1Char(')') : QString::fromUtf8(displayName);
}

QString PropertyDeclaration::descriptionText() const {
  QString text = QString::fromUtf8(description);
  if (descriptionExpanded) {
    if (!text.isEmpty()) text += QLatin1Char(' ');
    text += QStringLiteral("This property will have macro expansion applied to it.");
  }
  return text;
}

QStringList PropertyDeclaration::choices() const {
  return QString::fromUtf8(choiceText).split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

MacroDeclaration::MacroDeclaration(const QString& macroName, const char* macroDescription, bool expanded) {
  name = macroName;
  description = macroDescription;
  descriptionExpanded = expanded;
  isMacro = true;
}
