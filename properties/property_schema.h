#pragma once
// The registered property declarations, looked up by name.

#include <QHash>
#include <QList>
#include <QString>
#include <QVarLengthArray>
#include <memory>
#include <vector>

#include "properties/property_declaration.h"

/// Owns every registered declaration, in registration order.
class PropertySchema {
 public:
  /// Enters a declaration under its name; a name may be registered more than once.
  const PropertyDeclaration* add(std::unique_ptr<PropertyDeclaration> declaration);
  /// Makes room for that many more declarations, so that adding them allocates no more tables.
  void reserve(size_t declarations);

  /// The first property (not macro) declaration of that name, or null.
  const PropertyDeclaration* find(const QString& name) const;
  /// The first property declaration of that name meant for the kind of item, or null.
  const PropertyDeclaration* find(const QString& name, ItemKind kind) const;
  /// Every property declaration of that name, in registration order.
  QList<const PropertyDeclaration*> findAll(const QString& name) const;
  /// The macro entry of that name, or null.
  const PropertyDeclaration* findMacro(const QString& name) const;

  /// Every declaration (properties and macro entries) in registration order.
  const std::vector<std::unique_ptr<PropertyDeclaration>>& declarations() const { return declarations_; }

 private:
  std::vector<std::unique_ptr<PropertyDeclaration>> declarations_;
  // The property declarations of each name in registration order; a name has one
  // almost always, kept in place.
  QHash<QString, QVarLengthArray<const PropertyDeclaration*, 1>> byName_;
  QHash<QString, const PropertyDeclaration*> macrosByName_;
};

/// The converter's schema: the item, common build, GCC, GCC/clang toolchain and
/// ARM target sets, registered in that order from their tables. cortexM selects the
/// Cortex-M variant of "arm_architecture", "arm_core_type" and "arm_fpu_type".
PropertySchema buildPropertySchema(bool cortexM = true);
