#include "properties/property_schema.h"

#include <algorithm>

#include "properties/property_rows.h"

namespace {

/// The first registered declaration of name that accepts, or null. QMultiHash
/// hands out a key's values most recent first, so the last accepted one is the
/// first registered.
template <typename Accept>
const PropertyDeclaration* firstRegistered(const QMultiHash<QString, const PropertyDeclaration*>& byName,
                                           const QString& name, Accept accept) {
  const PropertyDeclaration* first = nullptr;
  const auto [begin, end] = byName.equal_range(name);
  for (auto declaration = begin; declaration != end; ++declaration)
    if (accept(**declaration)) first = *declaration;
  return first;
}

}  // namespace

const PropertyDeclaration* PropertySchema::add(std::unique_ptr<PropertyDeclaration> declaration) {
  if (!declaration) return nullptr;
  const PropertyDeclaration* registered = declaration.get();
  declarations_.push_back(std::move(declaration));
  if (!registered->isMacro)
    byName_.insert(registered->name, registered);
  else if (!macrosByName_.contains(registered->name))  // a repeated macro entry keeps the first
    macrosByName_.insert(registered->name, registered);
  return registered;
}

const PropertyDeclaration* PropertySchema::find(const QString& name) const {
  return firstRegistered(byName_, name, [](const PropertyDeclaration&) { return true; });
}

const PropertyDeclaration* PropertySchema::find(const QString& name, ItemKind kind) const {
  return firstRegistered(
      byName_, name, [kind](const PropertyDeclaration& declaration) { return (declaration.itemKinds & kind) != 0; });
}

QList<const PropertyDeclaration*> PropertySchema::findAll(const QString& name) const {
  QList<const PropertyDeclaration*> all = byName_.values(name);
  std::reverse(all.begin(), all.end());  // values() is most recent first
  return all;
}

const PropertyDeclaration* PropertySchema::findMacro(const QString& name) const {
  return macrosByName_.value(name, nullptr);
}

PropertySchema buildPropertySchema(bool cortexM) {
  const std::array<std::span<const PropertyRow>, 3> arm = armPropertyRows(cortexM);
  const std::span<const PropertyRow> tables[] = {
      itemPropertyRows(), buildPropertyRows(), gccPropertyRows(), toolchainPropertyRows(), arm[0], arm[1], arm[2]};
  PropertySchema schema;
  for (const std::span<const PropertyRow> table : tables)
    for (const PropertyRow& row : table) schema.add(makeDeclaration(row));
  return schema;
}
