#include "properties/property_schema.h"

#include "properties/property_rows.h"

const PropertyDeclaration* PropertySchema::add(std::unique_ptr<PropertyDeclaration> declaration) {
  if (!declaration) return nullptr;
  const PropertyDeclaration* registered = declaration.get();
  declarations_.push_back(std::move(declaration));
  if (!registered->isMacro)
    byName_[registered->name].append(registered);
  else if (!macrosByName_.contains(registered->name))  // a repeated macro entry keeps the first
    macrosByName_.insert(registered->name, registered);
  return registered;
}

void PropertySchema::reserve(size_t declarations) {
  declarations_.reserve(declarations_.size() + declarations);
  byName_.reserve(byName_.size() + qsizetype(declarations));
}

const PropertyDeclaration* PropertySchema::find(const QString& name) const {
  const auto found = byName_.constFind(name);
  return found == byName_.cend() ? nullptr : found->first();
}

const PropertyDeclaration* PropertySchema::find(const QString& name, ItemKind kind) const {
  const auto found = byName_.constFind(name);
  if (found == byName_.cend()) return nullptr;
  for (const PropertyDeclaration* declaration : *found)
    if ((declaration->itemKinds & kind) != 0) return declaration;
  return nullptr;
}

QList<const PropertyDeclaration*> PropertySchema::findAll(const QString& name) const {
  const auto found = byName_.constFind(name);
  return found == byName_.cend() ? QList<const PropertyDeclaration*>() : QList(found->begin(), found->end());
}

const PropertyDeclaration* PropertySchema::findMacro(const QString& name) const {
  return macrosByName_.value(name, nullptr);
}

PropertySchema buildPropertySchema(bool cortexM) {
  const std::array<std::span<const PropertyRow>, 3> arm = armPropertyRows(cortexM);
  const std::span<const PropertyRow> tables[] = {
      itemPropertyRows(), buildPropertyRows(), gccPropertyRows(), toolchainPropertyRows(), arm[0], arm[1], arm[2]};
  PropertySchema schema;
  size_t rows = 0;
  for (const std::span<const PropertyRow> table : tables) rows += table.size();
  schema.reserve(rows);
  for (const std::span<const PropertyRow> table : tables)
    for (const PropertyRow& row : table) schema.add(makeDeclaration(row));
  return schema;
}
