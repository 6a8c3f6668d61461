// Property resolution: how the effective value of a property is found for an
// element and a configuration name, and the solution's inheritance table.

#include <QVarLengthArray>

#include "model/model_names.h"
#include "model/solution_model.h"
#include "properties/property_schema.h"

using namespace model_names;

namespace {

// What a declaration is meant for, as the schema tells items apart; projects are
// told apart by their type only when asked (it takes a resolution).
ItemKind itemKindOf(const ProjectElement* element) {
  switch (element->kind()) {
    case ProjectElement::Solution: return SolutionItem;
    case ProjectElement::Configuration: return ConfigurationItem;
    case ProjectElement::Project: return ProjectItem;
    case ProjectElement::Folder:
      return element->hasProperty(pathProperty) ? DynamicFolderItem : FolderItem;
    case ProjectElement::File: return FileItem;
    default: return AnyItem;
  }
}

}  // namespace

const QString* ProjectSystem::findConfigurationValue(const ProjectElement* element, const QString& configurationName,
                                                    const QString& propertyName, QList<PropertyTrace>* trace) const {
  const ProjectElement* configuration = element ? element->configuration(configurationName) : nullptr;
  if (!configuration) return nullptr;
  const PropertyMap& properties = configuration->properties();
  const auto found = properties.constFind(propertyName);
  if (found == properties.cend()) return nullptr;
  if (trace) trace->append(PropertyTrace{*found, configurationName, element});
  return &*found;
}

bool ProjectSystem::getConfigurationPropertyValue(const ProjectElement* element, const QString& configurationName,
                                                  const QString& propertyName, QString& value,
                                                  QList<PropertyTrace>* trace) const {
  const QString* found = findConfigurationValue(element, configurationName, propertyName, trace);
  if (!found) return false;
  // The newly found value goes in front, so the most general entries end up first.
  if (value.isEmpty())
    value = *found;
  else
    value = *found + QLatin1Char(';') + value;
  return true;
}

QString ProjectSystem::getPropertyValue(const ProjectElement* element, const PropertyClass* propertyClass,
                                        const QString& configurationName, QList<PropertyTrace>* trace) const {
  if (!propertyClass) return QString();
  return resolve(element, propertyClass->name, propertyClass->type == property_types::StringList, propertyClass->defaultValue,
                 configurationName, trace);
}

QString ProjectSystem::getPropertyValue(const ProjectElement* element, const QString& propertyName,
                                        const QString& configurationName, QList<PropertyTrace>* trace) const {
  if (const PropertyClass* declaration = declarationFor(element, propertyName))
    return getPropertyValue(element, declaration, configurationName, trace);
  return resolve(element, propertyName, false, QStringLiteral(""), configurationName, trace);
}

namespace {

// Values in the order they were found, most specific first.
using FoundValues = QVarLengthArray<const QString*, 16>;

// The accumulated list: what getConfigurationPropertyValue gives when called for
// each value in turn, built with one allocation. Each value goes in front of the
// ones found before it, joined with ";" only when those are not all empty, so
// empty values found before the first non-empty one leave no trace.
QString joinFoundValues(const FoundValues& found) {
  qsizetype first = -1;  // the first non-empty value found
  qsizetype length = 0;
  for (qsizetype i = 0; i < found.size(); ++i) {
    length += found[i]->size() + 1;
    if (first < 0 && !found[i]->isEmpty()) first = i;
  }
  QString value = QStringLiteral("");
  if (first < 0) return value;
  value.reserve(length);
  for (qsizetype i = found.size() - 1; i >= first; --i) {
    value += *found[i];
    if (i > first) value += QLatin1Char(';');
  }
  return value;
}

}  // namespace

QString ProjectSystem::resolve(const ProjectElement* element, const QString& name, bool accumulate,
                               const QString& defaultValue, const QString& configurationName,
                               QList<PropertyTrace>* trace) const {
  FoundValues found;
  const auto look = [&](const ProjectElement* current, const QString& configuration) {
    const QString* value = findConfigurationValue(current, configuration, name, trace);
    if (value) found.append(value);
    return value && !accumulate;
  };
  const bool common = configurationName == commonConfiguration;
  for (const ProjectElement* current = element; current; current = current->parentElement()) {
    if (current->configurations().isEmpty()) continue;
    if (look(current, configurationName)) return *found.back();
    if (common) continue;  // "Common" never takes part in inheritance
    for (const QString& inherited : inheritedConfigurationsOf(current, configurationName))
      if (look(current, inherited)) return *found.back();
    if (look(current, commonConfiguration)) return *found.back();
  }
  if (!found.isEmpty()) return joinFoundValues(found);
  if (trace) trace->append(PropertyTrace{defaultValue, QString(), nullptr});
  return defaultValue;
}

// The first non-empty inheritance list for configurationName, from the owning
// solution of element outward through the solutions that import it.
QStringList ProjectSystem::inheritedConfigurationsOf(const ProjectElement* element,
                                                     const QString& configurationName) const {
  for (const ProjectElement* solution = element->owningSolution(); solution;) {
    const QStringList inherited = solution->inheritedConfigurations.value(configurationName);
    if (!inherited.isEmpty()) return inherited;
    const ProjectElement* parent = solution->parentElement();
    solution = parent ? parent->owningSolution() : nullptr;
  }
  return {};
}

const PropertyClass* ProjectSystem::declarationFor(const ProjectElement* element, const QString& propertyName) const {
  if (!element) return schema_->find(propertyName);
  const ItemKind kind = itemKindOf(element);
  if (kind != ProjectItem)
    if (const PropertyClass* declaration = schema_->find(propertyName, kind)) return declaration;
  // A project is told apart by its type; an item inside a project without a
  // declaration of its own takes its project's, so a file of a library project
  // sees the library's defaults.
  if (const ProjectElement* project = element->project()) {
    const bool library = getPropertyValue(project, roles_.projectType, commonConfiguration) == QLatin1String("Library");
    if (const PropertyClass* declaration =
            schema_->find(propertyName, library ? LibraryProjectItem : ExecutableProjectItem))
      return declaration;
  }
  return schema_->find(propertyName);
}

void ProjectSystem::updateInheritedConfigurations(ProjectElement* solution) {
  if (!solution) return;
  solution->inheritedConfigurations.clear();
  const QMap<QString, ProjectElement*>& configurations = solution->configurations();
  for (auto configuration = configurations.cbegin(); configuration != configurations.cend(); ++configuration) {
    if (!configuration.value()->hasProperty(inheritedConfigurationsProperty)) continue;
    const QString value = configuration.value()->property(inheritedConfigurationsProperty);
    solution->inheritedConfigurations.insert(configuration.key(), value.split(QLatin1Char(';'), Qt::SkipEmptyParts));
  }
}
