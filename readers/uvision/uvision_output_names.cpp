#include "readers/uvision/uvision_output_names.h"

#include <algorithm>

#include "readers/uvision/uvision_model.h"

namespace {

// UTF-16 code unit order, the order in which QString::contains matches.
bool textBefore(QStringView left, QStringView right) {
  return std::lexicographical_compare(left.utf16(), left.utf16() + left.size(), right.utf16(),
                                      right.utf16() + right.size());
}

}  // namespace

// A text occurs in an output name exactly when it begins one of the name's
// suffixes; sorted, the suffixes beginning with a text stand together, and the
// tree gives the earliest target among them.
UvOutputNames::UvOutputNames(std::vector<const UvTarget*> targets) : targets_(std::move(targets)) {
  for (uint32_t target = 0; target < targets_.size(); ++target) {
    const qsizetype length = targets_[target]->outputName.size();
    for (qsizetype offset = 0; offset < length; ++offset) suffixes_.push_back({target, uint32_t(offset)});
  }
  std::sort(suffixes_.begin(), suffixes_.end(), [this](const Suffix& left, const Suffix& right) {
    return textBefore(textOf(left), textOf(right));
  });
  const size_t count = suffixes_.size();
  firstTarget_.resize(2 * count);
  for (size_t i = 0; i < count; ++i) firstTarget_[count + i] = suffixes_[i].target;
  for (size_t i = count; i-- > 1;) firstTarget_[i] = std::min(firstTarget_[2 * i], firstTarget_[2 * i + 1]);
}

QStringView UvOutputNames::textOf(const Suffix& suffix) const {
  return QStringView(targets_[suffix.target]->outputName).mid(suffix.offset);
}

const UvTarget* UvOutputNames::firstContaining(const QString& text) const {
  // Every name, even an empty one, contains the empty text.
  if (text.isEmpty()) return targets_.empty() ? nullptr : targets_.front();
  const auto lower = std::lower_bound(suffixes_.begin(), suffixes_.end(), text, [this](const Suffix& suffix, const QString& wanted) {
    return textBefore(textOf(suffix), wanted);
  });
  const auto upper = std::partition_point(lower, suffixes_.end(),
                                          [this, &text](const Suffix& suffix) { return textOf(suffix).startsWith(text); });
  // The smallest target index in [lower, upper), bottom up through the tree.
  uint32_t first = UINT32_MAX;
  const size_t count = suffixes_.size();
  for (size_t left = size_t(lower - suffixes_.begin()) + count, right = size_t(upper - suffixes_.begin()) + count;
       left < right; left /= 2, right /= 2) {
    if (left & 1) first = std::min(first, firstTarget_[left++]);
    if (right & 1) first = std::min(first, firstTarget_[--right]);
  }
  return first == UINT32_MAX ? nullptr : targets_[first];
}
