#pragma once
// The "-P property=value" entries: checked before anything is converted, since
// each name becomes an attribute name in every solution written.

#include <QList>
#include <QString>
#include <QStringList>

class Diagnostics;
class PropertySchema;

/// A "-P" entry as the property it sets.
struct ProjectProperty {
  QString name;
  QString value;
};

/// The entries split at "=" with empty parts dropped; parts after the second
/// are ignored, so a=b=c sets a to "b". Throws ConversionError naming the entry when
/// it leaves no value ("a", "a=", "=b") or when its name cannot be an attribute
/// name. Names the schema does not declare are warned about and kept.
QList<ProjectProperty> readProjectProperties(const QStringList& entries, const PropertySchema& schema,
                                             Diagnostics& diagnostics);

/// True for a name made of ASCII letters, digits, "_", "-" and "." that starts
/// with neither a digit, "-" nor "." (what an attribute name of the solution file
/// can be).
bool isValidPropertyName(const QString& name);
