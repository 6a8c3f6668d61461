#pragma once
// Finding the target that builds a library: the first target of the workspace whose
// output name contains the library's name.

#include <QString>
#include <cstdint>
#include <vector>

struct UvTarget;

/// The output names of a workspace's targets, indexed by every suffix, so that
/// the first target whose output name contains a text is found without scanning
/// all targets for every library a project links.
class UvOutputNames {
 public:
  /// targets in workspace order (projects, then their targets); they must outlive the index.
  explicit UvOutputNames(std::vector<const UvTarget*> targets);

  /// The first target whose output name contains text (case-sensitive); null when none does.
  const UvTarget* firstContaining(const QString& text) const;

 private:
  // The output name of targets_[target] from offset on.
  struct Suffix {
    uint32_t target;
    uint32_t offset;
  };
  QStringView textOf(const Suffix& suffix) const;

  std::vector<const UvTarget*> targets_;
  std::vector<Suffix> suffixes_;  // sorted by their text
  // Segment tree over suffixes_: the smallest target index of each range.
  std::vector<uint32_t> firstTarget_;
};
