#include "model/model_node.h"

#include <QHash>
#include <algorithm>
#include <array>

#include "model/model_names.h"

using namespace model_names;

namespace {

struct KindTag {
  ModelNode::Kind kind;
  std::string_view tagName;
};

constexpr std::array<KindTag, 5> kindTags{{
    {ModelNode::Solution, "solution"},
    {ModelNode::Configuration, "configuration"},
    {ModelNode::Project, "project"},
    {ModelNode::Folder, "folder"},
    {ModelNode::File, "file"},
}};

// The writer asks for a tag per node: a kind is its row.
constexpr bool rowsFollowKinds() {
  for (size_t row = 0; row < kindTags.size(); ++row)
    if (size_t(kindTags[row].kind) != row) return false;
  return true;
}
static_assert(rowsFollowKinds());

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
  return kind >= 0 && size_t(kind) < kindTags.size() ? kindTags[size_t(kind)].tagName.data() : nullptr;
}

ModelNode::ModelNode(Kind kind) : kind_(kind) {}

#if defined(__SANITIZE_ADDRESS__)
#define QUENPORT_NODES_FROM_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUENPORT_NODES_FROM_HEAP 1
#endif
#endif

// Under AddressSanitizer every node comes from the heap, so that it sees each node's life.
std::unique_ptr<ModelNode> ModelNode::makeIn([[maybe_unused]] NodePool& pool, Kind kind) {
#ifdef QUENPORT_NODES_FROM_HEAP
  return std::make_unique<ModelNode>(kind);
#else
  auto* node = ::new (pool.take()) ModelNode(kind);
  node->fromPool_ = true;
  return std::unique_ptr<ModelNode>(node);
#endif
}

void ModelNode::operator delete(ModelNode* node, std::destroying_delete_t) {
  const bool fromPool = node->fromPool_;
  node->~ModelNode();
  if (fromPool)
    NodePool::give(node);
  else
    ::operator delete(node);
}

ModelNode::ModelNode(std::string_view tagName) : kind_(kindOfTag(tagName)) {
  if (kind_ == Untyped) branch().untypedTag = tagName;
}

// Children are destroyed level by level, so a deep tree cannot exhaust the call stack.
ModelNode::~ModelNode() {
  if (!branch_) return;
  std::vector<std::unique_ptr<ModelNode>> pending = std::move(branch_->children);
  while (!pending.empty()) {
    std::unique_ptr<ModelNode> node = std::move(pending.back());
    pending.pop_back();
    if (!node->branch_) continue;
    for (std::unique_ptr<ModelNode>& child : node->branch_->children) pending.push_back(std::move(child));
    node->branch_->children.clear();
  }
}

ModelNode::Branch::~Branch() = default;

ModelNode::Branch& ModelNode::branch() {
  if (!branch_) branch_ = std::make_unique<Branch>();
  return *branch_;
}

std::string_view ModelNode::tagName() const {
  if (kind_ == Untyped) return branch_ ? std::string_view(branch_->untypedTag) : std::string_view();
  return kindTags[size_t(kind_)].tagName;
}

bool ModelNode::hasConfigurations() const { return branch_ && !branch_->configurations.isEmpty(); }

ModelNode::ChildRange ModelNode::children() const {
  if (!branch_) return ChildRange{ChildIterator(), ChildIterator()};
  return ChildRange{ChildIterator(branch_->children.cbegin()), ChildIterator(branch_->children.cend())};
}

void ModelNode::setProperty(const QString& name, const QString& value) {
  properties_.insert(name, value.isNull() ? emptyValue : value);
  dropParentFolderIndex(name);
}

void ModelNode::removeProperty(const QString& name) {
  if (properties_.remove(name) != 0) dropParentFolderIndex(name);
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
  Branch& own = branch();
  own.children.push_back(std::move(child));
  if (added->kind() == Configuration) own.configurations.insert(added->ownName().value_or(QString()), added);
  if (own.folderIndex && isFolder(added)) indexFolder(added);
  return added;
}

// Grown at least twice over, so that many small reservations stay linear.
void ModelNode::reserveChildren(size_t more) {
  if (more == 0) return;
  std::vector<std::unique_ptr<ModelNode>>& children = branch().children;
  if (children.capacity() - children.size() < more)
    children.reserve(std::max(children.size() + more, 2 * children.capacity()));
}

std::unique_ptr<ModelNode> ModelNode::removeChild(ModelNode* child) {
  if (!child || !branch_) return nullptr;
  std::vector<std::unique_ptr<ModelNode>>& children = branch_->children;
  const auto position = std::find_if(children.begin(), children.end(),
                                     [child](const std::unique_ptr<ModelNode>& node) { return node.get() == child; });
  if (position == children.end()) return nullptr;
  std::unique_ptr<ModelNode> removed = std::move(*position);
  children.erase(position);
  removed->parent_ = nullptr;
  // The entry under the child's name goes even when it points at a duplicate of the
  // same name: that duplicate stays a child but is no longer found by name.
  if (removed->kind() == Configuration) branch_->configurations.remove(removed->ownName().value_or(QString()));
  if (isFolder(removed.get())) dropFolderIndex();
  return removed;
}

void ModelNode::removeContent() {
  if (!branch_) return;
  std::erase_if(branch_->children,
                [](const std::unique_ptr<ModelNode>& child) { return child->kind() != Configuration; });
  dropFolderIndex();
}

ModelNode* ModelNode::replaceChild(ModelNode* child, std::unique_ptr<ModelNode> replacement) {
  if (!branch_ || !replacement) return nullptr;
  std::vector<std::unique_ptr<ModelNode>>& children = branch_->children;
  const auto position = std::find_if(children.begin(), children.end(),
                                     [child](const std::unique_ptr<ModelNode>& node) { return node.get() == child; });
  if (position == children.end()) return nullptr;
  QMap<QString, ModelNode*>& configurations = branch_->configurations;
  if (child->kind() == Configuration) configurations.remove(child->ownName().value_or(QString()));
  replacement->parent_ = this;
  *position = std::move(replacement);
  if (position->get()->kind() == Configuration)
    configurations.insert(position->get()->ownName().value_or(QString()), position->get());
  dropFolderIndex();
  return position->get();
}

ModelNode* ModelNode::childFolderNamed(const QString& name) const {
  if (!branch_) return nullptr;
  if (!branch_->folderIndex) buildFolderIndex();
  return branch_->folderIndex->firstByName.value(name);
}

qsizetype ModelNode::foldersNamedByLocation() const {
  if (!branch_) return 0;
  if (!branch_->folderIndex) buildFolderIndex();
  return branch_->folderIndex->foldersNamedByLocation;
}

// Children are indexed in child order, so the first folder of a name keeps its entry.
void ModelNode::indexFolder(ModelNode* folder) const {
  FolderIndex& index = *branch_->folderIndex;
  const std::optional<QString> key = folder->ownName();
  if (!key)
    ++index.foldersNamedByLocation;
  else if (!index.firstByName.contains(*key))
    index.firstByName.insert(*key, folder);
}

void ModelNode::buildFolderIndex() const {
  branch_->folderIndex = std::make_unique<FolderIndex>();
  for (const std::unique_ptr<ModelNode>& child : branch_->children)
    if (isFolder(child.get())) indexFolder(child.get());
}

void ModelNode::dropFolderIndex() {
  if (branch_) branch_->folderIndex.reset();
}

// The kind is tested first: most properties set are those of files.
void ModelNode::dropParentFolderIndex(const QString& changed) {
  if (kind_ == Folder && parent_ && (changed == nameProperty || changed == fileNameProperty))
    parent_->dropFolderIndex();
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
  branch().solutionFile = std::make_unique<SolutionFile>(SolutionFile{file, file.absoluteDirectory()});
}

const Path& ModelNode::solutionFile() const {
  static const Path none;
  return branch_ && branch_->solutionFile ? branch_->solutionFile->file : none;
}

const QString& ModelNode::solutionDirectory() const {
  static const QString none;
  return branch_ && branch_->solutionFile ? branch_->solutionFile->directory : none;
}
