#include "mapping/project_properties.h"

#include "properties/property_schema.h"
#include "support/diagnostics.h"

namespace {

bool isNameStart(QChar character) {
  return (character >= QLatin1Char('a') && character <= QLatin1Char('z')) ||
         (character >= QLatin1Char('A') && character <= QLatin1Char('Z')) || character == QLatin1Char('_');
}

bool isNameCharacter(QChar character) {
  return isNameStart(character) || (character >= QLatin1Char('0') && character <= QLatin1Char('9')) ||
         character == QLatin1Char('-') || character == QLatin1Char('.');
}

}  // namespace

bool isValidPropertyName(const QString& name) {
  if (name.isEmpty() || !isNameStart(name.front())) return false;
  for (const QChar character : name)
    if (!isNameCharacter(character)) return false;
  return true;
}

// An entry that leaves no value is rejected rather than ignored: ignoring it
// would hide a mistyped option, and its property would be missing from every project.
QList<ProjectProperty> readProjectProperties(const QStringList& entries, const PropertySchema& schema,
                                             Diagnostics& diagnostics) {
  QList<ProjectProperty> properties;
  for (const QString& entry : entries) {
    const QStringList parts = entry.split(QLatin1Char('='), Qt::SkipEmptyParts);
    if (parts.size() < 2)
      throw ConversionError(QStringLiteral("-P ") + entry + QStringLiteral(": expected property=value"));
    if (!isValidPropertyName(parts[0])) {
      throw ConversionError(QStringLiteral("-P ") + entry + QStringLiteral(": '") + parts[0] +
                            QStringLiteral("' cannot be a property name (letters, digits, '_', '-' and '.', "
                                           "starting with a letter or '_')"));
    }
    if (!schema.find(parts[0]))
      diagnostics.warn(QString(), QStringLiteral("-P ") + entry + QStringLiteral(": '") + parts[0] +
                                      QStringLiteral("' is not a known property; it is set all the same"));
    properties.append({parts[0], parts[1]});
  }
  return properties;
}
