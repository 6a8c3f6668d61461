#include "model/property_resolver.h"

#include <QVarLengthArray>

#include "model/model_names.h"
#include "model/model_node.h"
#include "properties/property_schema.h"

using namespace model_names;

namespace {

// What a declaration is meant for, as the schema tells items apart; projects are
// told apart by their type only when asked (it takes a resolution).
ItemKind itemKindOf(const ModelNode* node) {
  switch (node->kind()) {
    case ModelNode::Solution:
      return SolutionItem;
    case ModelNode::Configuration:
      return ConfigurationItem;
    case ModelNode::Project:
      return ProjectItem;
    case ModelNode::Folder:
      return node->hasProperty(pathProperty) ? DynamicFolderItem : FolderItem;
    case ModelNode::File:
      return FileItem;
    default:
      return AnyItem;
  }
}

// Values in the order they were found, most specific first.
using FoundValues = QVarLengthArray<const QString*, 16>;

// The accumulated list, built with one allocation: each value goes in front of the
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

PropertyResolver::PropertyResolver(const PropertySchema& schema) : schema_(schema) {
  roles_.folderFilter = roleDeclaration(filterProperty, FolderItem);
  roles_.projectType = roleDeclaration(projectTypeProperty, ProjectItem);
  roles_.macros = roleDeclaration(macrosProperty, ProjectItem);
  roles_.intermediateDirectory = roleDeclaration(QStringLiteral("build_intermediate_directory"), ProjectItem);
  roles_.rootOutputDirectory = roleDeclaration(QStringLiteral("build_root_output_directory"), ProjectItem);
  roles_.outputDirectory = roleDeclaration(QStringLiteral("build_output_directory"), ProjectItem);
  roles_.toolchainDirectory = roleDeclaration(QStringLiteral("build_toolchain_directory"), ProjectItem);
}

PropertyResolver::~PropertyResolver() = default;

const PropertyDeclaration* PropertyResolver::roleDeclaration(const QString& name, uint32_t itemKind) {
  if (const PropertyDeclaration* declaration = schema_.find(name, static_cast<ItemKind>(itemKind))) return declaration;
  if (const PropertyDeclaration* declaration = schema_.find(name)) return declaration;
  auto standIn = std::make_unique<PropertyDeclaration>();
  standIn->name = name;
  undeclared_.push_back(std::move(standIn));
  return undeclared_.back().get();
}

const QString* PropertyResolver::configurationValue(const ModelNode* node, const QString& configurationName,
                                                    const QString& propertyName) {
  const ModelNode* configuration = node ? node->configuration(configurationName) : nullptr;
  if (!configuration) return nullptr;
  const PropertyMap& properties = configuration->properties();
  const auto found = properties.constFind(propertyName);
  return found == properties.cend() ? nullptr : &*found;
}

QString PropertyResolver::value(const ModelNode* node, const PropertyDeclaration* declaration,
                                const QString& configurationName) const {
  if (!declaration) return QString();
  return resolve(node, declaration->name, declaration->type == property_types::StringList, declaration->defaultValue,
                 configurationName);
}

QString PropertyResolver::value(const ModelNode* node, const QString& propertyName,
                                const QString& configurationName) const {
  if (const PropertyDeclaration* declaration = declarationFor(node, propertyName))
    return value(node, declaration, configurationName);
  return resolve(node, propertyName, false, QStringLiteral(""), configurationName);
}

QString PropertyResolver::resolve(const ModelNode* node, const QString& name, bool accumulate,
                                  const QString& defaultValue, const QString& configurationName) const {
  FoundValues found;
  const auto look = [&](const ModelNode* current, const QString& configuration) {
    const QString* value = configurationValue(current, configuration, name);
    if (value) found.append(value);
    return value && !accumulate;
  };
  const bool common = configurationName == commonConfiguration;
  for (const ModelNode* current = node; current; current = current->parent()) {
    if (!current->hasConfigurations()) continue;
    if (look(current, configurationName)) return *found.back();
    if (common) continue;  // "Common" never takes part in inheritance
    for (const QString& inherited : inheritedConfigurations(current, configurationName))
      if (look(current, inherited)) return *found.back();
    if (look(current, commonConfiguration)) return *found.back();
  }
  if (!found.isEmpty()) return joinFoundValues(found);
  return defaultValue;
}

QStringList PropertyResolver::inheritedConfigurations(const ModelNode* node, const QString& configurationName) {
  for (const ModelNode* solution = node->owningSolution(); solution;) {
    const QString* inherited = configurationValue(solution, configurationName, inheritedConfigurationsProperty);
    const QStringList names = inherited ? inherited->split(QLatin1Char(';'), Qt::SkipEmptyParts) : QStringList();
    if (!names.isEmpty()) return names;
    const ModelNode* parent = solution->parent();
    solution = parent ? parent->owningSolution() : nullptr;
  }
  return {};
}

const PropertyDeclaration* PropertyResolver::declarationFor(const ModelNode* node, const QString& propertyName) const {
  if (!node) return schema_.find(propertyName);
  const ItemKind kind = itemKindOf(node);
  if (kind != ProjectItem)
    if (const PropertyDeclaration* declaration = schema_.find(propertyName, kind)) return declaration;
  // A project is told apart by its type; an item inside a project without a
  // declaration of its own takes its project's, so a file of a library project
  // sees the library's defaults.
  if (const ModelNode* project = node->project()) {
    const bool library = value(project, roles_.projectType, commonConfiguration) == QLatin1String("Library");
    if (const PropertyDeclaration* declaration =
            schema_.find(propertyName, library ? LibraryProjectItem : ExecutableProjectItem))
      return declaration;
  }
  return schema_.find(propertyName);
}
