#include "model/model_node.h"

#include <QHash>
#include <algorithm>
#include <array>

#include "model/model_names.h"

using namespace model_names;

namespace {

struct KindTag {
  ModelNode::Kind kind;
  const char* tagName;
};

constexpr std::array<KindTag, 5> kindTags{{
    {ModelNode::Solution, "solution"},
    {ModelNode::Configuration, "configuration"},
    {ModelNode::Project, "project"},
    {ModelNode::Folder, "folder"},
    {ModelNode::File, "file"},
}};

// A stored property is never null, so "present but empty" stays distinguishable
// from "absent" for every reader of the map.
const QString emptyValue = QStringLiteral("");

bool isFolder(const ModelNode* node) { return node && node->kind() == ModelNode::Folder; }

}  // namespace

// The first child folder of each own name, and how many child folders have a name
// that only their resolved location gives (those are compared by the resolver).
struct ModelNode::FolderIndex {
  QHash<QString, ModelNode*> firstByName;
  qsizetype foldersNamedByLocation = 0;
};

struct ModelNode::SolutionFile {
  Path file;
  QString directory;
};

ModelNode::Kind ModelNode::kindOfTag(std::string_view tagName) {
  for (const KindTag& entry : kindTags)
    if (tagName == entry.tagName) return entry.kind;
  return Untyped;
}

const char* ModelNode::tagOfKind(Kind kind) {
  for (const KindTag& entry : kindTags)
    if (entry.kind == kind) return entry.tagName;
  return nullptr;
}

ModelNode::ModelNode(Kind kind) : kind_(kind) {}

ModelNode::ModelNode(std::string_view tagName) : kind_(kindOfTag(tagName)) {
  if (kind_ == Untyped) untypedTag_ = std::make_unique<std::string>(tagName);
}

// Children are destroyed level by level, so a deep tree cannot exhaust the call stack.
ModelNode::~ModelNode() {
  std::vector<std::unique_ptr<ModelNode>> pending = std::move(children_);
  while (!pending.empty()) {
    std::unique_ptr<ModelNode> node = std::move(pending.back());
    pending.pop_back();
    for (std::unique_ptr<ModelNode>& child : node->children_) pending.push_back(std::move(child));
    node->children_.clear();
  }
}

std::string_view ModelNode::tagName() const {
  if (untypedTag_) return *untypedTag_;
  return tagOfKind(kind_);
}

void ModelNode::setProperty(const QString& name, const QString& value) {
  properties_.insert(name, value.isNull() ? emptyValue : value);
  if (name == nameProperty || name == fileNameProperty) dropParentFolderIndex();
}

void ModelNode::removeProperty(const QString& name) {
  if (properties_.remove(name) == 0) return;
  if (name == nameProperty || name == fileNameProperty) dropParentFolderIndex();
}

void ModelNode::setName(const QString& name) { setProperty(nameProperty, name); }

std::optional<QString> ModelNode::ownName() const {
  const QString elementName = property(nameProperty);
  if (!elementName.isEmpty()) return elementName;
  const auto fileName = properties_.constFind(fileNameProperty);
  if (fileName == properties_.cend()) return QStringLiteral("<NULL>");
  if (fileName->contains(QLatin1Char('$'))) return fileName->mid(fileName->lastIndexOf(QLatin1Char('/')) + 1);
  if (kind_ == File || kind_ == Folder) return std::nullopt;
  return kind_ == Solution ? solutionFile().fileName() : QString();
}

ModelNode* ModelNode::addChild(std::unique_ptr<ModelNode> child) {
  ModelNode* added = child.get();
  if (!added) return nullptr;
  added->parent_ = this;
  children_.push_back(std::move(child));
  if (added->kind() == Configuration) configurations_.insert(added->ownName().value_or(QString()), added);
  if (folderIndex_ && isFolder(added)) indexFolder(added);
  return added;
}

std::unique_ptr<ModelNode> ModelNode::removeChild(ModelNode* child) {
  const auto position = std::find_if(children_.begin(), children_.end(),
                                     [child](const std::unique_ptr<ModelNode>& node) { return node.get() == child; });
  if (!child || position == children_.end()) return nullptr;
  std::unique_ptr<ModelNode> removed = std::move(*position);
  children_.erase(position);
  removed->parent_ = nullptr;
  // The entry under the child's name goes even when it points at a duplicate of the
  // same name: that duplicate stays a child but is no longer found by name.
  if (removed->kind() == Configuration) configurations_.remove(removed->ownName().value_or(QString()));
  if (isFolder(removed.get())) folderIndex_.reset();
  return removed;
}

void ModelNode::removeContent() {
  std::erase_if(children_, [](const std::unique_ptr<ModelNode>& child) { return child->kind() != Configuration; });
  folderIndex_.reset();
}

ModelNode* ModelNode::replaceChild(ModelNode* child, std::unique_ptr<ModelNode> replacement) {
  const auto position = std::find_if(children_.begin(), children_.end(),
                                     [child](const std::unique_ptr<ModelNode>& node) { return node.get() == child; });
  if (position == children_.end() || !replacement) return nullptr;
  if (child->kind() == Configuration) configurations_.remove(child->ownName().value_or(QString()));
  replacement->parent_ = this;
  *position = std::move(replacement);
  if (position->get()->kind() == Configuration)
    configurations_.insert(position->get()->ownName().value_or(QString()), position->get());
  folderIndex_.reset();
  return position->get();
}

ModelNode* ModelNode::childFolderNamed(const QString& name) const {
  if (!folderIndex_) buildFolderIndex();
  return folderIndex_->firstByName.value(name);
}

qsizetype ModelNode::foldersNamedByLocation() const {
  if (!folderIndex_) buildFolderIndex();
  return folderIndex_->foldersNamedByLocation;
}

// Children are indexed in child order, so the first folder of a name keeps its entry.
void ModelNode::indexFolder(ModelNode* folder) const {
  const std::optional<QString> key = folder->ownName();
  if (!key)
    ++folderIndex_->foldersNamedByLocation;
  else if (!folderIndex_->firstByName.contains(*key))
    folderIndex_->firstByName.insert(*key, folder);
}

void ModelNode::buildFolderIndex() const {
  folderIndex_ = std::make_unique<FolderIndex>();
  for (const std::unique_ptr<ModelNode>& child : children_)
    if (isFolder(child.get())) indexFolder(child.get());
}

void ModelNode::dropParentFolderIndex() {
  if (kind_ == Folder && parent_) parent_->folderIndex_.reset();
}

ModelNode* ModelNode::project() const {
  for (const ModelNode* node = this; node; node = node->parent_)
    if (node->kind_ == Project) return const_cast<ModelNode*>(node);
  return nullptr;
}

ModelNode* ModelNode::owningSolution() const {
  for (const ModelNode* node = this; node; node = node->parent_)
    if (node->kind_ == Solution) return const_cast<ModelNode*>(node);
  return nullptr;
}

void ModelNode::setSolutionFile(const Path& file) {
  solutionFile_ = std::make_unique<SolutionFile>(SolutionFile{file, file.absoluteDirectory()});
}

const Path& ModelNode::solutionFile() const {
  static const Path none;
  return solutionFile_ ? solutionFile_->file : none;
}

const QString& ModelNode::solutionDirectory() const {
  static const QString none;
  return solutionFile_ ? solutionFile_->directory : none;
}
