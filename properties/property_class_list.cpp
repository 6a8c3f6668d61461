#include "properties/property_class_list.h"

void PropertyClassList::defineMacro(const QString& name, const QString& value, const QString& description) {
  values.insert(name, value);
  if (!description.isEmpty()) declarations_.push_back(std::make_unique<MacroPropertyClass>(name, description));
}

QList<const PropertyClass*> PropertyClassList::declarations() const {
  QList<const PropertyClass*> list;
  list.reserve(qsizetype(declarations_.size()));
  for (const auto& declaration : declarations_) list.append(declaration.get());
  return list;
}

PropertyClassList& globalMacros() {
  static PropertyClassList table;
  return table;
}
