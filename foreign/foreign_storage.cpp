#include "foreign/foreign_storage.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstring>
#include <utility>

namespace {
// Decoded values are rare and short; a block this size serves thousands of them
// and a larger value gets a block of its own.
constexpr size_t kBlockSize = 64 * 1024;
}  // namespace

QString decodeUtf8(const char* bytes, size_t size) {
  if (size < 3 || std::memcmp(bytes, "\xEF\xBB\xBF", 3) != 0) return QString::fromUtf8(bytes, qsizetype(size));
  QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
  return decoder.decode(QByteArrayView(bytes, qsizetype(size)));
}

ForeignStorage::ForeignStorage(QByteArray source) : source_(std::move(source)) {
  // Room for the elements of a typical project file of this size (one per 32
  // bytes or more), so that the array rarely moves while it grows: moving it
  // took half the parse. Reserved pages that are never used cost nothing.
  nodes_.reserve(size_t(source_.size()) / 32 + 1);
  nodes_.emplace_back().name = &documentName_;
}

ForeignName* ForeignStorage::intern(std::string_view name) {
  const auto known = nameIndex_.find(name);
  if (known != nameIndex_.end()) return known->second;
  ForeignName& interned = names_.emplace_back();
  interned.name = QString::fromUtf8(name.data(), qsizetype(name.size()));
  interned.bytes = keep(name);
  nameIndex_.emplace(interned.bytes, &interned);
  return &interned;
}

void ForeignStorage::startElement(std::string_view name) {
  OpenElement& parent = open_.back();
  parent.lastChild =
      intern(name, parent.lastChild ? parent.lastChild->predictedNextSibling : parent.name->predictedFirstChild);
  ForeignNode& parentNode = nodes_[parent.node];
  parentNode.hasFirstChild = true;
  ++parentNode.childCount;
  ForeignNode& node = nodes_.emplace_back();
  node.name = parent.lastChild;
  node.parent = parent.node;
  node.firstAttribute = attributes_.size();
  lastStarted_ = nodes_.size() - 1;
  open_.push_back({nodes_.size() - 1, parent.lastChild});
}

void ForeignStorage::addAttribute(std::string_view name, std::string_view value) {
  OpenElement& element = open_.back();
  element.lastAttribute = intern(name, element.lastAttribute ? element.lastAttribute->predictedNextAttribute
                                                             : element.name->predictedFirstAttribute);
  attributes_.push_back({&element.lastAttribute->name, value.data(), value.size()});
  ++nodes_[element.node].attributeCount;
}

void ForeignStorage::addText(std::string_view value, bool ascii) {
  ForeignNode& node = nodes_[open_.back().node];
  if (!node.hasFirstChild) {
    node.text = value.data();
    node.textSize = value.size();
    node.textIsAscii = ascii;
  }
  node.hasFirstChild = true;
}

char* ForeignStorage::allocate(size_t size) {
  if (blocks_.empty() || blockSize_ - blockUsed_ < size) {
    blockSize_ = std::max(size, kBlockSize);
    blocks_.emplace_back(new char[blockSize_]);
    blockUsed_ = 0;
  }
  char* room = blocks_.back().get() + blockUsed_;
  blockUsed_ += size;
  return room;
}

std::string_view ForeignStorage::keep(std::string_view bytes) {
  char* copy = allocate(bytes.size());
  if (!bytes.empty()) std::memcpy(copy, bytes.data(), bytes.size());
  return {copy, bytes.size()};
}

void ForeignStorage::finish() {
  nodes_.front().descendantCount = nodes_.size() - 1;
  // Each node's children take a contiguous run of children_, in document order:
  // first the runs' starts from the counts, then one pass placing every element.
  std::vector<size_t> next(nodes_.size());
  size_t start = 0;
  for (size_t i = 0; i < nodes_.size(); ++i) {
    next[i] = start;
    start += nodes_[i].childCount;
  }
  children_.assign(start, nullptr);
  for (size_t i = 1; i < nodes_.size(); ++i) children_[next[nodes_[i].parent]++] = &nodes_[i];
  for (size_t i = 0; i < nodes_.size(); ++i) {
    ForeignNode& node = nodes_[i];
    if (node.childCount) node.children = &children_[next[i] - node.childCount];
    if (node.attributeCount) node.attributes = &attributes_[node.firstAttribute];
  }
  nameIndex_ = {};
}
