#include "model/solution_model.h"

#include <QDir>
#include <QFileInfo>
#include <vector>

#include "model/model_names.h"
#include "properties/property_schema.h"

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

// An empty path (also one that cleans to empty, such as ".") stands for the working directory.
QStringList absoluteComponents(const QString& path) {
  const Path cleaned(path);
  const QString absolute = cleaned.isEmpty() ? QDir::currentPath() : cleaned.absoluteFilePath();
  return absolute.split(separator, Qt::SkipEmptyParts);
}

}  // namespace

ProjectSystem::ProjectSystem(const GlobalMacros& globalMacros)
    : globalMacros_(globalMacros), schema_(std::make_unique<PropertySchema>(buildPropertySchema())) {
  roles_.folderFilter = roleDeclaration(filterProperty, FolderItem);
  roles_.projectType = roleDeclaration(projectTypeProperty, ProjectItem);
  roles_.macros = roleDeclaration(macrosProperty, ProjectItem);
  roles_.intermediateDirectory = roleDeclaration(QStringLiteral("build_intermediate_directory"), ProjectItem);
  roles_.rootOutputDirectory = roleDeclaration(QStringLiteral("build_root_output_directory"), ProjectItem);
  roles_.outputDirectory = roleDeclaration(QStringLiteral("build_output_directory"), ProjectItem);
  roles_.toolchainDirectory = roleDeclaration(QStringLiteral("build_toolchain_directory"), ProjectItem);
}

ProjectSystem::~ProjectSystem() = default;

const PropertyClass* ProjectSystem::roleDeclaration(const QString& name, uint32_t itemKind) {
  if (const PropertyClass* declaration = schema_->find(name, static_cast<ItemKind>(itemKind))) return declaration;
  if (const PropertyClass* declaration = schema_->find(name)) return declaration;
  auto standIn = std::make_unique<PropertyClass>();
  standIn->name = name;
  undeclared_.push_back(std::move(standIn));
  return undeclared_.back().get();
}

std::unique_ptr<ProjectElement> ProjectSystem::createElement(std::string tagName) {
  return std::make_unique<ProjectElement>(std::move(tagName), this);
}

ProjectElement* ProjectSystem::newSolution(const QString& name, const QString& directory) {
  const Path filePath(directory + separator + name + QStringLiteral(".hzp"));
  std::unique_ptr<ProjectElement> created = createElement("solution");
  created->setName(name);
  created->setProperty(versionProperty, QStringLiteral("2"));
  created->setLocation(filePath);
  const QFileInfo file(filePath.path());
  if (file.exists()) created->lastModified = file.lastModified();
  // The directory is made by saveSolution: an input that cannot be read must not
  // leave directories behind.
  return adoptSolution(std::move(created));
}

ProjectElement* ProjectSystem::newProject(ProjectElement* solution, const QString& name, const QString& directory,
                                          const QString& projectType) {
  if (!solution) return nullptr;
  // A project appended to the root comes last in tree order: the index takes it
  // as it is instead of walking the tree again (importers add thousands).
  const bool lastInTreeOrder = solution == solution_ && !projectIndexStale_;
  ProjectElement* project = solution->addChild(createElement("project"));
  project->setName(name);
  if (lastInTreeOrder) {
    indexProject(project);
    projectIndexStale_ = false;
  }
  if (solution_) updateInheritedConfigurations(solution_);
  newConfiguration(project, commonConfiguration);
  QString projectDirectory;
  if (!makeRelativePath(solution->directory(), directory, projectDirectory)) projectDirectory = directory;
  setConfigurationProperty(project, projectDirectoryProperty, commonConfiguration, projectDirectory);
  setConfigurationProperty(project, projectTypeProperty, commonConfiguration, projectType);
  return project;
}

ProjectElement* ProjectSystem::findFolder(const ProjectElement* parent, const QString& name) const {
  return parent ? parent->childFolder(name) : nullptr;
}

ProjectElement* ProjectSystem::findOrAddFolder(ProjectElement* parent, const QString& name, const QString& filter) {
  if (!parent) return nullptr;
  if (ProjectElement* existing = findFolder(parent, name)) return existing;
  // Named before it is added, so the parent's folder index takes it as it is.
  std::unique_ptr<ProjectElement> created = createElement("folder");
  created->setName(name);
  ProjectElement* folder = parent->addChild(std::move(created));
  if (!filter.isEmpty()) setConfigurationProperty(folder, filterProperty, commonConfiguration, filter);
  return folder;
}

ProjectElement* ProjectSystem::addFile(ProjectElement* parent, const QString& filePath) {
  if (!parent) return nullptr;
  ProjectElement* target = parent->kind() == ProjectElement::Folder ? parent : folderForSuffix(parent, filePath);
  ProjectElement* file = target->addChild(createElement("file"));
  file->setFileName(filePath);
  return file;
}

// The first child folder whose filter lists the lower-cased suffix of filePath,
// else parent itself. Only the suffix is lower-cased: a filter "C;H" never matches.
ProjectElement* ProjectSystem::folderForSuffix(const ProjectElement* parent, const QString& filePath) const {
  ProjectElement* fallback = const_cast<ProjectElement*>(parent);
  const QStringView suffix = suffixOf(filePath);
  if (suffix.isEmpty()) return fallback;
  const QString lowerSuffix = suffix.toString().toLower();
  for (ProjectElement* child : parent->children()) {
    if (child->kind() != ProjectElement::Folder) continue;
    const QString filter = child->hasProperty(filterProperty)
                               ? child->property(filterProperty)
                               : getPropertyValue(child, roles_.folderFilter, commonConfiguration);
    if (filterListsSuffix(filter, lowerSuffix)) return child;
  }
  return fallback;
}

ProjectElement* ProjectSystem::newConfiguration(ProjectElement* element, const QString& name) {
  if (!element) return nullptr;
  // Named before it is added: addChild enters a configuration under its name.
  std::unique_ptr<ProjectElement> configuration = createElement("configuration");
  configuration->setName(name);
  return element->addChild(std::move(configuration));
}

void ProjectSystem::setConfigurationProperty(ProjectElement* element, const QString& propertyName,
                                             const QString& configurationName, const QString& value) {
  if (!element) return;
  ProjectElement* configuration = element->configuration(configurationName);
  if (!configuration) configuration = newConfiguration(element, configurationName);
  configuration->setProperty(propertyName, value);
}

void ProjectSystem::removeConfigurationProperty(ProjectElement* element, const QString& propertyName,
                                                const QString& configurationName) {
  if (!element) return;
  ProjectElement* configuration = element->configuration(configurationName);
  if (!configuration || !configuration->hasProperty(propertyName)) return;
  configuration->removeProperty(propertyName);
  const PropertyMap& remaining = configuration->properties();
  if (remaining.size() != 1 || !remaining.contains(nameProperty)) return;
  element->removeElementChild(configuration);  // the returned owner destroys it here
  if (element->kind() != ProjectElement::Solution) return;
  updateInheritedConfigurations(element);
}

void ProjectSystem::setElementProperty(ProjectElement* element, const QString& propertyName, const QString& value) {
  if (element) element->setProperty(propertyName, value);
}

bool ProjectSystem::makeRelativePath(const QString& base, const QString& path, QString& result) {
  if (path == QLatin1String(".")) {
    result = QStringLiteral("");
    return true;
  }
  const QStringList baseParts = absoluteComponents(base);
  const QStringList pathParts = absoluteComponents(path);
  const qsizetype shorter = std::min(baseParts.size(), pathParts.size());
  qsizetype common = 0;
  while (common < shorter && baseParts[common] == pathParts[common]) ++common;
  // Paths that share not even their first component (another root) stay absolute.
  // When one of them is the root itself there is nothing to compare, and the
  // relative path is built from the root.
  if (common == 0 && shorter > 0) return false;
  QString relative;
  for (qsizetype i = common; i < baseParts.size(); ++i) relative += QLatin1String("../");
  for (qsizetype i = common; i < pathParts.size(); ++i) relative += pathParts[i] + separator;
  relative.chop(1);
  result = relative.isNull() ? QStringLiteral("") : relative;
  return true;
}

QString ProjectSystem::solutionDirectory() const { return solution_ ? solution_->directory() : QString(); }

QString ProjectSystem::solutionFilePath() const { return solution_ ? solution_->location().path() : QString(); }

ProjectElement* ProjectSystem::adoptSolution(std::unique_ptr<ProjectElement> solution) {
  if (!solution) return nullptr;
  solution_ = solution.get();
  ownedSolutions_.push_back(std::move(solution));
  updateProjects();
  return solution_;
}

std::unique_ptr<ProjectElement> ProjectSystem::releaseSolution(ProjectElement* solution) {
  for (auto owned = ownedSolutions_.begin(); owned != ownedSolutions_.end(); ++owned) {
    if (owned->get() != solution) continue;
    std::unique_ptr<ProjectElement> released = std::move(*owned);
    ownedSolutions_.erase(owned);
    if (solution_ == solution) {
      solution_ = nullptr;
      rebuildProjectIndex();
    }
    return released;
  }
  return nullptr;
}

void ProjectSystem::deleteElement(ProjectElement* element) {
  if (!element) return;
  const ProjectElement::Kind kind = element->kind();
  std::unique_ptr<XMLNode> doomed;
  if (!element->parent())
    doomed = releaseSolution(element);
  else if (ProjectElement* parent = element->parentElement())
    doomed = parent->removeElementChild(element);
  else
    doomed = element->parent()->removeChild(element);
  if (!doomed) return;
  doomed.reset();
  if (kind != ProjectElement::Configuration && kind != ProjectElement::File) invalidateProjectIndex();
}

void ProjectSystem::updateProjects() {
  rebuildProjectIndex();
  if (solution_) updateInheritedConfigurations(solution_);
}

void ProjectSystem::rebuildProjectIndex() const {
  projectsByName_.clear();
  projects_.clear();
  projectIndexStale_ = false;
  if (solution_) indexProjects(solution_);
}

void ProjectSystem::ensureProjectIndex() const {
  if (projectIndexStale_) rebuildProjectIndex();
}

ProjectElement* ProjectSystem::findProject(const QString& name) const {
  ensureProjectIndex();
  return projectsByName_.value(name);
}

void ProjectSystem::indexProject(ProjectElement* project) const {
  projects_.append(project);
  const QString name = project->name();
  if (!projectsByName_.contains(name)) projectsByName_.insert(name, project);
}

// Projects sit in solutions (nested imported ones included) and solution folders,
// never inside other projects, so the walk does not enter projects: adding a
// project stays cheap however many files the solution holds. Depth first in
// document order with an explicit stack: an imported solution file may nest its
// folders deeper than the call stack reaches.
void ProjectSystem::indexProjects(const ProjectElement* container) const {
  std::vector<ProjectElement::ChildIterator> levels{container->children().begin()};
  while (!levels.empty()) {
    ProjectElement::ChildIterator& next = levels.back();
    if (next == ProjectElement::ChildIterator()) {
      levels.pop_back();
      continue;
    }
    ProjectElement* child = *next;
    ++next;
    if (child->kind() == ProjectElement::Project) {
      indexProject(child);
    } else if (child->kind() == ProjectElement::Solution || child->kind() == ProjectElement::Folder) {
      levels.push_back(child->children().begin());  // next is not used after this
    }
  }
}
