#include "readers/common/library_builders.h"

#include <QFileInfo>
#include <algorithm>

#include "foreign/foreign_path.h"
#include "foreign/solution_naming.h"
#include "readers/common/file_suffix.h"

namespace {

// UTF-16 code unit order, the order in which QString::contains matches.
bool textBefore(QStringView left, QStringView right) {
  return std::lexicographical_compare(left.utf16(), left.utf16() + left.size(), right.utf16(),
                                      right.utf16() + right.size());
}

}  // namespace

bool isLibraryFile(QStringView path) {
  return hasFileSuffix(path, QLatin1StringView(".a")) || hasFileSuffix(path, QLatin1StringView(".lib"));
}

QString libraryName(const QString& path) { return nameWithoutLastSuffix(toForwardSlashes(path)); }

QString withoutLibrarySuffix(const QString& name) {
  return isLibraryFile(name) ? name.left(name.lastIndexOf(QLatin1Char('.'))) : name;
}

void LibraryBuilders::add(const QString& library, qsizetype project, const QString& projectName) {
  const QString key = matching_ == Matching::IgnoringCase ? library.toCaseFolded() : library;
  QList<qsizetype>& builders = byName_[key];
  for (const qsizetype known : std::as_const(builders))
    if (builders_[size_t(known)].project == project) return;
  builders.append(qsizetype(builders_.size()));
  builders_.push_back({project, projectName, library});
  suffixesIndexed_ = false;
}

std::optional<QString> LibraryBuilders::builderOf(const QString& path, qsizetype linking) const {
  const QString name = libraryName(path);
  const QString key = matching_ == Matching::IgnoringCase ? name.toCaseFolded() : name;
  for (const qsizetype builder : byName_.value(key))
    if (builders_[size_t(builder)].project != linking) return builders_[size_t(builder)].projectName;
  if (matching_ == Matching::ExactThenContaining) return firstContaining(name);
  return std::nullopt;
}

QStringView LibraryBuilders::suffixText(uint32_t builder, uint32_t offset) const {
  return QStringView(builders_[builder].library).mid(offset);
}

// A text occurs in a name exactly when it begins one of the name's suffixes;
// sorted, the suffixes beginning with a text stand together, and the tree gives
// the earliest builder among them.
void LibraryBuilders::indexSuffixes() const {
  suffixes_.clear();
  for (uint32_t builder = 0; builder < builders_.size(); ++builder) {
    const qsizetype length = builders_[builder].library.size();
    for (qsizetype offset = 0; offset < length; ++offset) suffixes_.push_back({builder, uint32_t(offset)});
  }
  std::sort(suffixes_.begin(), suffixes_.end(), [this](const Suffix& left, const Suffix& right) {
    return textBefore(suffixText(left.builder, left.offset), suffixText(right.builder, right.offset));
  });
  const size_t count = suffixes_.size();
  firstBuilder_.assign(2 * count, 0);
  for (size_t i = 0; i < count; ++i) firstBuilder_[count + i] = suffixes_[i].builder;
  for (size_t i = count; i-- > 1;) firstBuilder_[i] = std::min(firstBuilder_[2 * i], firstBuilder_[2 * i + 1]);
  suffixesIndexed_ = true;
}

std::optional<QString> LibraryBuilders::firstContaining(const QString& text) const {
  // Every name, even an empty one, contains the empty text.
  if (text.isEmpty()) return builders_.empty() ? std::nullopt : std::optional(builders_.front().projectName);
  if (!suffixesIndexed_) indexSuffixes();
  const auto lower =
      std::lower_bound(suffixes_.begin(), suffixes_.end(), text, [this](const Suffix& suffix, const QString& wanted) {
        return textBefore(suffixText(suffix.builder, suffix.offset), wanted);
      });
  const auto upper = std::partition_point(lower, suffixes_.end(), [this, &text](const Suffix& suffix) {
    return suffixText(suffix.builder, suffix.offset).startsWith(text);
  });
  // The smallest builder index in [lower, upper), bottom up through the tree.
  uint32_t first = UINT32_MAX;
  const size_t count = suffixes_.size();
  for (size_t left = size_t(lower - suffixes_.begin()) + count, right = size_t(upper - suffixes_.begin()) + count;
       left < right; left /= 2, right /= 2) {
    if (left & 1) first = std::min(first, firstBuilder_[left++]);
    if (right & 1) first = std::min(first, firstBuilder_[--right]);
  }
  if (first == UINT32_MAX) return std::nullopt;
  return builders_[first].projectName;
}
