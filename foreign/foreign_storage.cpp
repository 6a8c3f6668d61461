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
  documentName_.storage = this;
  open_.reserve(32);
  open_.push_back({0, &documentName_});
}

ForeignName* ForeignStorage::intern(std::string_view name) {
  const auto known = nameIndex_.find(name);
  if (known != nameIndex_.end()) return known->second;
  ForeignName& interned = names_.emplace_back();
  interned.name = QString::fromUtf8(name.data(), qsizetype(name.size()));
  interned.bytes = keep(name);
  interned.storage = this;
  nameIndex_.emplace(interned.bytes, &interned);
  return &interned;
}

// Names are interned, so two attributes share a name exactly when they share the
// QString. Elements hold a few attributes: those are compared pair by pair, and
// only many are sorted, so that no element costs more than n log n.
bool ForeignStorage::hasRepeatedAttributeName() const {
  const size_t count = nodes_.back().attributeCount;
  const ForeignAttribute* const first = attributes_.data() + attributes_.size() - count;
  if (count <= 8) {
    for (size_t i = 1; i < count; ++i)
      for (size_t j = 0; j < i; ++j)
        if (first[i].name == first[j].name) return true;
    return false;
  }
  std::vector<const QString*> names(count);
  for (size_t i = 0; i < count; ++i) names[i] = first[i].name;
  std::sort(names.begin(), names.end());
  return std::adjacent_find(names.begin(), names.end()) != names.end();
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
  while (depth() > 0) endElement();
  nodes_.front().descendantCount = uint32_t(nodes_.size() - 1);
  nameIndex_ = {};
}

// Line ends as Qt's stream reader counts them: "\n", "\r\n" and a lone "\r"
// each end one line. Lines are tens of bytes long, so memchr finds their ends
// far faster than a look at every byte: the "\n" first, then the lone "\r"
// merged in among them.
void ForeignStorage::indexLines() const {
  const char* const begin = source_.constData();
  const char* const end = begin + source_.size();
  for (const char* n = begin; (n = static_cast<const char*>(std::memchr(n, '\n', size_t(end - n)))); ++n)
    lineEnds_.push_back(uint32_t(n - begin));
  const size_t lineFeeds = lineEnds_.size();
  for (const char* r = begin; (r = static_cast<const char*>(std::memchr(r, '\r', size_t(end - r)))); ++r)
    if (r + 1 == end || r[1] != '\n') lineEnds_.push_back(uint32_t(r - begin));
  std::inplace_merge(lineEnds_.begin(), lineEnds_.begin() + std::ptrdiff_t(lineFeeds), lineEnds_.end());
  linesIndexed_ = true;
}

int ForeignStorage::line(const ForeignNode& node) const {
  if (&node == &nodes_.front()) return 0;
  if (source_.isEmpty()) return int(node.startTagEnd);
  if (!linesIndexed_) indexLines();
  return 1 + int(std::lower_bound(lineEnds_.begin(), lineEnds_.end(), node.startTagEnd) - lineEnds_.begin());
}
