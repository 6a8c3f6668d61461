#pragma once
// The global macro table: the built-in macros' values, the user's macros, and a
// declaration for each documented macro.

#include <QChar>
#include <QList>
#include <QMap>
#include <QString>
#include <memory>
#include <vector>

#include "properties/property_class.h"

/// A list of macro declarations with the values of the macros it defines.
class PropertyClassList {
 public:
  /// Sets values[name] = value; a non-empty description also adds a MacroPropertyClass.
  void defineMacro(const QString& name, const QString& value, const QString& description);

  /// The macro declarations, in definition order.
  QList<const PropertyClass*> declarations() const;

  QMap<QString, QString> values;
  /// Macros from the user setting "Environment/Macros/Global Macros"; consulted before values.
  QMap<QString, QString> userMacros;
  QChar leadCharacter = QLatin1Char('$');

 private:
  std::vector<std::unique_ptr<PropertyClass>> declarations_;
};

/// The process-wide global macro table.
PropertyClassList& globalMacros();
