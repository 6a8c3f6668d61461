#pragma once
// The registered property declarations of a project system, looked up by name.

#include <QHash>
#include <QList>
#include <QString>
#include <memory>
#include <vector>

#include "properties/property_class.h"

/// Owns every registered declaration, in registration order.
class PropertySchema {
 public:
  /// Enters a declaration under its name; a name may be registered more than once.
  const PropertyClass* registerClass(std::unique_ptr<PropertyClass> propertyClass);

  /// The first property (not macro) declaration of that name, or null.
  const PropertyClass* find(const QString& name) const;
  /// The first property declaration of that name meant for the kind of item, or null.
  const PropertyClass* find(const QString& name, ItemKind kind) const;
  /// Every property declaration of that name, in registration order.
  QList<const PropertyClass*> findAll(const QString& name) const;
  /// The macro entry of that name, or null.
  const PropertyClass* findMacro(const QString& name) const;

  /// Every declaration (properties and macro entries) in registration order.
  const std::vector<std::unique_ptr<PropertyClass>>& classes() const { return classes_; }

 private:
  std::vector<std::unique_ptr<PropertyClass>> classes_;
  QMultiHash<QString, const PropertyClass*> byName_;   // property declarations
  QHash<QString, const PropertyClass*> macrosByName_;
};

/// The converter's schema: the general, common build, GCC, GCC/clang toolchain and
/// ARM target sets, registered in that order from their tables. cortexM selects the
/// Cortex-M variant of "arm_architecture", "arm_core_type" and "arm_fpu_type".
PropertySchema buildPropertySchema(bool cortexM = true);
