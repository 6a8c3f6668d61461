#include "model/model_node.h"

#include <QHash>
#include <array>
#include <vector>

#include "model/model_names.h"
#include "model/solution_model.h"

using namespace model_names;

namespace {

struct KindTag {
  ProjectElement::Kind kind;
  const char* tagName;
};

constexpr std::array<KindTag, 5> kindTags{{
    {ProjectElement::Solution, "solution"},
    {ProjectElement::Configuration, "configuration"},
    {ProjectElement::Project, "project"},
    {ProjectElement::Folder, "folder"},
    {ProjectElement::File, "file"},
}};

const QChar separator = QLatin1Char('/');

// A stored property is never null, so "present but empty" stays distinguishable
// from "absent" for every reader of the map.
const QString emptyValue = QStringLiteral("");

QString lastComponent(const QString& path) { return path.mid(path.lastIndexOf(separator) + 1); }

ProjectElement* folderOf(XMLNode* node) {
  ProjectElement* element = ProjectElement::fromNode(node);
  return element && element->kind() == ProjectElement::Folder ? element : nullptr;
}

}  // namespace

// The first child folder of each name, and how many child folders have a name that
// only their resolved location gives (those are compared by scanning).
struct ProjectElement::FolderIndex {
  QHash<QString, ProjectElement*> firstByName;
  qsizetype foldersNamedByLocation = 0;
};

ProjectElement::Kind ProjectElement::kindOfTag(std::string_view tagName) {
  for (const KindTag& entry : kindTags)
    if (tagName == entry.tagName) return entry.kind;
  return Untyped;
}

const char* ProjectElement::tagOfKind(Kind kind) {
  for (const KindTag& entry : kindTags)
    if (entry.kind == kind) return entry.tagName;
  return nullptr;
}

ProjectElement::ProjectElement(std::string tagName, ProjectSystem* system)
    : XMLElement(std::move(tagName)), kind_(kindOfTag(XMLElement::tagName())), system_(system) {}

ProjectElement::~ProjectElement() = default;

void ProjectElement::setProperty(const QString& name, const QString& value) {
  properties_.insert(name, value.isNull() ? emptyValue : value);
  if (name == fileNameProperty) dropFileLocation();
  if (name == nameProperty || name == fileNameProperty) dropNameIndexes();
  modified_ = true;
}

void ProjectElement::removeProperty(const QString& name) {
  if (properties_.remove(name) == 0) return;
  if (name == fileNameProperty) dropFileLocation();
  if (name == nameProperty || name == fileNameProperty) dropNameIndexes();
  modified_ = true;
}

void ProjectElement::setName(const QString& name) { setProperty(nameProperty, name); }

std::optional<QString> ProjectElement::nameFromProperties() const {
  const QString elementName = property(nameProperty);
  if (!elementName.isEmpty()) return elementName;
  const auto fileName = properties_.constFind(fileNameProperty);
  if (fileName == properties_.cend()) return QStringLiteral("<NULL>");
  if (fileName->contains(QLatin1Char('$'))) return lastComponent(*fileName);
  return std::nullopt;
}

QString ProjectElement::name() const {
  if (std::optional<QString> own = nameFromProperties()) return *own;
  resolveLocation(commonConfiguration);
  return location_->location.fileName();
}

void ProjectElement::setFileName(const QString& path) {
  properties_.insert(fileNameProperty, path.isNull() ? emptyValue : path);
  dropFileLocation();
  dropNameIndexes();
}

// A solution's location is set explicitly and does not depend on its "file_name"
// (which names it in an importing file), so only other elements drop their cache.
void ProjectElement::dropFileLocation() {
  if (kind_ != Solution && location_) location_->valid = false;
}

void ProjectElement::enterConfiguration(ProjectElement* configuration) {
  if (configuration) configurations_.insert(configuration->name(), configuration);
}

ProjectElement* ProjectElement::addChild(std::unique_ptr<ProjectElement> child) {
  ProjectElement* added = child.get();
  if (!added) return nullptr;
  appendChild(std::move(child));
  if (added->kind() == Configuration) enterConfiguration(added);
  modified_ = true;
  return added;
}

std::unique_ptr<ProjectElement> ProjectElement::removeElementChild(ProjectElement* child) {
  if (!child || child->parent() != this) return nullptr;
  std::unique_ptr<XMLNode> node = removeChild(child);
  if (!node) return nullptr;
  std::unique_ptr<ProjectElement> removed(static_cast<ProjectElement*>(node.release()));
  // The entry under the child's name goes even when it points at a duplicate of the
  // same name: that duplicate stays a child but is no longer found by name.
  if (removed->kind() == Configuration) configurations_.remove(removed->name());
  modified_ = true;
  return removed;
}

ProjectElement* ProjectElement::childFolder(const QString& name) const {
  if (!folderIndex_) buildFolderIndex();
  if (folderIndex_->foldersNamedByLocation == 0) return folderIndex_->firstByName.value(name);
  for (ProjectElement* child : children())
    if (child->kind() == Folder && child->name() == name) return child;
  return nullptr;
}

// Children are indexed in child order, so the first folder of a name keeps its entry.
void ProjectElement::indexFolder(ProjectElement* folder) const {
  const std::optional<QString> key = folder->nameFromProperties();
  if (!key)
    ++folderIndex_->foldersNamedByLocation;
  else if (!folderIndex_->firstByName.contains(*key))
    folderIndex_->firstByName.insert(*key, folder);
}

void ProjectElement::buildFolderIndex() const {
  folderIndex_ = std::make_unique<FolderIndex>();
  for (ProjectElement* child : children())
    if (child->kind() == Folder) indexFolder(child);
}

void ProjectElement::dropNameIndexes() {
  if (kind_ == Project && system_) system_->invalidateProjectIndex();
  if (kind_ != Folder) return;
  if (ProjectElement* parent = parentElement()) parent->folderIndex_.reset();
}

// Projects sit in solutions and their folders: a change of those child lists may
// add, remove or reorder projects.
void ProjectElement::childListChanged() {
  if ((kind_ == Solution || kind_ == Folder) && system_) system_->invalidateProjectIndex();
}

void ProjectElement::appendChild(std::unique_ptr<XMLNode> node) {
  XMLNode* first = node.get();
  XMLElement::appendChild(std::move(node));
  childListChanged();
  if (!folderIndex_) return;
  for (XMLNode* added = first; added; added = added->nextSibling())
    if (ProjectElement* folder = folderOf(added)) indexFolder(folder);
}

XMLNode* ProjectElement::prependChild(std::unique_ptr<XMLNode> node) {
  folderIndex_.reset();
  childListChanged();
  return XMLElement::prependChild(std::move(node));
}

std::unique_ptr<XMLNode> ProjectElement::removeChild(XMLNode* node) {
  if (folderOf(node)) folderIndex_.reset();
  childListChanged();
  return XMLElement::removeChild(node);
}

std::unique_ptr<XMLNode> ProjectElement::replaceChild(XMLNode* oldChild, std::unique_ptr<XMLNode> replacement) {
  folderIndex_.reset();
  childListChanged();
  return XMLElement::replaceChild(oldChild, std::move(replacement));
}

void ProjectElement::insertAfter(XMLNode* reference, std::unique_ptr<XMLNode> chain) {
  folderIndex_.reset();
  childListChanged();
  XMLElement::insertAfter(reference, std::move(chain));
}

std::unique_ptr<XMLNode> ProjectElement::takeChildren() {
  folderIndex_.reset();
  childListChanged();
  return XMLElement::takeChildren();
}

void ProjectElement::clearChildren() {
  folderIndex_.reset();
  childListChanged();
  XMLElement::clearChildren();
}

ProjectElement* ProjectElement::project() const {
  for (const ProjectElement* element = this; element; element = element->parentElement())
    if (element->kind() == Project) return const_cast<ProjectElement*>(element);
  return nullptr;
}

ProjectElement* ProjectElement::owningSolution() const {
  for (const ProjectElement* element = this; element; element = element->parentElement())
    if (element->kind() == Solution) return const_cast<ProjectElement*>(element);
  return nullptr;
}

ProjectElement::LocationCache& ProjectElement::locationCache() const {
  if (!location_) location_ = std::make_unique<LocationCache>();
  return *location_;
}

const Path& ProjectElement::location() const {
  static const Path none;
  return location_ ? location_->location : none;
}

const QString& ProjectElement::directory() const {
  static const QString none;
  return location_ ? location_->directory : none;
}

const QString& ProjectElement::expandedFileName() const {
  static const QString none;
  return location_ ? location_->expandedFileName : none;
}

void ProjectElement::setLocation(const Path& location) {
  LocationCache& cache = locationCache();
  cache.location = location;
  cache.directory = location.absoluteDirectory();
  cache.valid = true;
}

void ProjectElement::resolveLocation(const QString& configurationName) const {
  if (locationValid()) return;
  if (kind_ == File || (kind_ == Folder && hasProperty(fileNameProperty))) {
    resolveFileLocation(configurationName);
  } else if (kind_ == Project) {
    resolveProjectDirectory();
  } else if (kind_ == Solution) {
    // Set by newSolution or the reader and never recomputed.
    locationCache();
  } else {
    locationCache() = LocationCache{true, false, Path(), QString(), QString()};
  }
}

void ProjectElement::resolveFileLocation(const QString& configurationName) const {
  LocationCache& cache = locationCache();
  const ProjectElement* owningProject = project();
  if (owningProject) {
    owningProject->resolveLocation(commonConfiguration);
    cache.directory = owningProject->directory();
  } else {
    cache.directory = system_ ? system_->solutionDirectory() : QString();
  }
  QString value = property(fileNameProperty);
  cache.hasMacroFileName = value.contains(QLatin1Char('$'));
  if (cache.hasMacroFileName && system_)
    value = system_->expandMacros(owningProject, value, configurationName);
  cache.expandedFileName = value;
  const bool relative = !value.startsWith(separator);
  cache.location = Path(relative && !cache.directory.isEmpty() ? cache.directory + separator + value : value);
  cache.valid = !cache.hasMacroFileName;
}

// A project's directory comes from its own "Common" only, expanded with the global
// macros; relative values are based on the owning solution's directory.
void ProjectElement::resolveProjectDirectory() const {
  const ProjectElement* solution = owningSolution();
  QString solutionDirectory;
  if (solution)
    solutionDirectory = solution->directory();
  else if (system_)
    solutionDirectory = system_->solutionDirectory();
  const ProjectElement* common = configuration(commonConfiguration);
  const QString value = common ? common->property(projectDirectoryProperty) : QString();
  LocationCache& cache = locationCache();
  if (value.isEmpty()) {
    cache.directory = solutionDirectory;
  } else {
    const QString expanded = system_ ? system_->expandGlobalMacros(value) : value;
    const bool joined = !expanded.startsWith(separator) && !solutionDirectory.isEmpty();
    cache.directory = Path(joined ? solutionDirectory + separator + expanded : expanded).path();
  }
  cache.location = Path();
  cache.valid = true;
}

void clearModified(ProjectElement* element, bool all) {
  std::vector<ProjectElement*> pending;
  if (element) pending.push_back(element);
  while (!pending.empty()) {
    ProjectElement* current = pending.back();
    pending.pop_back();
    current->setModified(false);
    for (ProjectElement* child : current->children())
      if (all || child->kind() != ProjectElement::Solution) pending.push_back(child);
  }
}
