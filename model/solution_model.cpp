#include "model/solution_model.h"

#include <QFileInfo>

#include "model/model_names.h"

using namespace model_names;

namespace {

const QChar separator = QLatin1Char('/');

// The suffix of a path's file name: the text after its last "." (empty if none).
QStringView suffixOf(const QString& filePath) {
  const qsizetype nameStart = filePath.lastIndexOf(separator) + 1;
  const qsizetype dot = filePath.lastIndexOf(QLatin1Char('.'));
  if (dot < nameStart) return {};
  return QStringView(filePath).mid(dot + 1);
}

// True when a folder filter, split at every "," or ";", lists suffix exactly.
// Walks the filter in place: addFile runs once per file of a conversion.
bool filterListsSuffix(const QString& filter, QStringView suffix) {
  qsizetype start = 0;
  for (qsizetype i = 0; i <= filter.size(); ++i) {
    if (i < filter.size() && filter[i] != QLatin1Char(',') && filter[i] != QLatin1Char(';')) continue;
    if (i > start && QStringView(filter).mid(start, i - start) == suffix) return true;
    start = i + 1;
  }
  return false;
}

}  // namespace

SolutionModel::SolutionModel(const PropertySchema& schema, const GlobalMacros& globalMacros)
    : properties_(schema), macros_(properties_, globalMacros) {}

SolutionModel::~SolutionModel() = default;

ModelNode* SolutionModel::newSolution(const QString& name, const QString& directory) {
  auto created = makeNode(ModelNode::Solution);
  created->setName(name);
  created->setProperty(versionProperty, QStringLiteral("2"));
  created->setSolutionFile(Path(directory + separator + name + QStringLiteral(".hzp")));
  return adoptSolution(std::move(created));
}

ModelNode* SolutionModel::adoptSolution(std::unique_ptr<ModelNode> solution) {
  solution_ = std::move(solution);
  return solution_.get();
}

ModelNode* SolutionModel::newProject(ModelNode* solution, const QString& name, const QString& directory,
                                     const QString& projectType) {
  if (!solution) return nullptr;
  auto created = makeNode(ModelNode::Project);
  created->setName(name);
  ModelNode* project = solution->addChild(std::move(created));
  newConfiguration(project, commonConfiguration);
  const QString projectDirectory =
      relativePath(MacroResolver::solutionDirectory(*solution), directory).value_or(directory);
  setConfigurationProperty(project, projectDirectoryProperty, commonConfiguration, projectDirectory);
  setConfigurationProperty(project, projectTypeProperty, commonConfiguration, projectType);
  return project;
}

// Folders named by their location are compared by their resolved names; there are
// none in what the mapper builds, so the lookup is the folder index's.
ModelNode* SolutionModel::findFolder(const ModelNode* parent, const QString& name) const {
  if (!parent) return nullptr;
  if (parent->foldersNamedByLocation() == 0) return parent->childFolderNamed(name);
  for (ModelNode* child : parent->children())
    if (child->kind() == ModelNode::Folder && macros_.nameOf(*child) == name) return child;
  return nullptr;
}

ModelNode* SolutionModel::findOrAddFolder(ModelNode* parent, const QString& name, const QString& filter) {
  if (!parent) return nullptr;
  if (ModelNode* existing = findFolder(parent, name)) return existing;
  // Named before it is added, so the parent's folder index takes it as it is.
  auto created = makeNode(ModelNode::Folder);
  created->setName(name);
  ModelNode* folder = parent->addChild(std::move(created));
  if (!filter.isEmpty()) setConfigurationProperty(folder, filterProperty, commonConfiguration, filter);
  return folder;
}

ModelNode* SolutionModel::addFile(ModelNode* parent, const QString& filePath) {
  if (!parent) return nullptr;
  ModelNode* target = parent->kind() == ModelNode::Folder ? parent : folderForSuffix(parent, filePath);
  auto file = makeNode(ModelNode::File);
  file->setProperty(fileNameProperty, filePath);
  return target->addChild(std::move(file));
}

// The first child folder whose filter lists the lower-cased suffix of filePath,
// else parent itself. Only the suffix is lower-cased: a filter "C;H" never matches.
ModelNode* SolutionModel::folderForSuffix(const ModelNode* parent, const QString& filePath) const {
  ModelNode* fallback = const_cast<ModelNode*>(parent);
  const QStringView suffix = suffixOf(filePath);
  if (suffix.isEmpty()) return fallback;
  const QString lowerSuffix = suffix.toString().toLower();
  for (ModelNode* child : parent->children()) {
    if (child->kind() != ModelNode::Folder) continue;
    const QString filter = child->hasProperty(filterProperty)
                               ? child->property(filterProperty)
                               : properties_.value(child, properties_.roles().folderFilter, commonConfiguration);
    if (filterListsSuffix(filter, lowerSuffix)) return child;
  }
  return fallback;
}

ModelNode* SolutionModel::newConfiguration(ModelNode* node, const QString& name) {
  if (!node) return nullptr;
  // Named before it is added: addChild enters a configuration under its name.
  auto configuration = makeNode(ModelNode::Configuration);
  configuration->setName(name);
  return node->addChild(std::move(configuration));
}

void SolutionModel::setConfigurationProperty(ModelNode* node, const QString& propertyName,
                                             const QString& configurationName, const QString& value) {
  if (!node) return;
  ModelNode* configuration = node->configuration(configurationName);
  if (!configuration) configuration = newConfiguration(node, configurationName);
  configuration->setProperty(propertyName, value);
}

void SolutionModel::removeConfigurationProperty(ModelNode* node, const QString& propertyName,
                                                const QString& configurationName) {
  if (!node) return;
  ModelNode* configuration = node->configuration(configurationName);
  if (!configuration || !configuration->hasProperty(propertyName)) return;
  configuration->removeProperty(propertyName);
  const PropertyMap& remaining = configuration->properties();
  if (remaining.size() == 1 && remaining.contains(nameProperty)) node->removeChild(configuration);
}

void SolutionModel::deleteNode(ModelNode* node) {
  if (!node) return;
  if (node == solution_.get())
    solution_.reset();
  else if (ModelNode* parent = node->parent())
    parent->removeChild(node);
}
