#pragma once
// The properties of a model element: names to values, in name order.

#include <QMap>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <utility>
#include <vector>

/// Names to values, kept sorted by name (ordinal UTF-16) in one array. An element
/// holds a few properties (a file one), so one array costs a single allocation where
/// a tree map costs one for the map and one per entry: solutions of many thousand
/// files are built and destroyed in far fewer heap operations.
class PropertyMap {
 public:
  using Entry = std::pair<QString, QString>;

  /// Walks the entries in name order.
  class const_iterator {
   public:
    explicit const_iterator(std::vector<Entry>::const_iterator position = {}) : position_(position) {}
    const QString& key() const { return position_->first; }
    const QString& value() const { return position_->second; }
    const QString& operator*() const { return position_->second; }
    const QString* operator->() const { return &position_->second; }
    const_iterator& operator++() {
      ++position_;
      return *this;
    }
    bool operator==(const const_iterator& other) const { return position_ == other.position_; }
    bool operator!=(const const_iterator& other) const { return position_ != other.position_; }

   private:
    std::vector<Entry>::const_iterator position_;
  };

  const_iterator cbegin() const { return const_iterator(entries_.cbegin()); }
  const_iterator cend() const { return const_iterator(entries_.cend()); }
  const_iterator begin() const { return cbegin(); }
  const_iterator end() const { return cend(); }
  qsizetype size() const { return qsizetype(entries_.size()); }
  bool isEmpty() const { return entries_.empty(); }

  /// The entry of name, or cend().
  const_iterator constFind(const QString& name) const {
    const auto found = lowerBound(name);
    return const_iterator(found != entries_.cend() && found->first == name ? found : entries_.cend());
  }
  bool contains(const QString& name) const { return constFind(name) != cend(); }
  /// The value of name, or a null string.
  QString value(const QString& name) const {
    const const_iterator found = constFind(name);
    return found == cend() ? QString() : found.value();
  }
  /// Sets the value of name, adding the entry in its place when it is new.
  void insert(const QString& name, const QString& value) {
    const auto position = lowerBound(name);
    if (position != entries_.cend() && position->first == name) {
      entries_[size_t(position - entries_.cbegin())].second = value;
      return;
    }
    entries_.insert(position, Entry(name, value));
  }
  /// Removes the entry of name; the number of entries removed (0 or 1).
  int remove(const QString& name) {
    const auto found = lowerBound(name);
    if (found == entries_.cend() || found->first != name) return 0;
    entries_.erase(found);
    return 1;
  }
  QStringList keys() const {
    QStringList names;
    names.reserve(size());
    for (const Entry& entry : entries_) names.append(entry.first);
    return names;
  }

  friend bool operator==(const PropertyMap& left, const PropertyMap& right) { return left.entries_ == right.entries_; }
  /// Equal to a map that holds the same pairs.
  friend bool operator==(const PropertyMap& left, const QMap<QString, QString>& right) {
    if (left.size() != right.size()) return false;
    auto other = right.cbegin();
    for (const Entry& entry : left.entries_) {
      if (entry.first != other.key() || entry.second != other.value()) return false;
      ++other;
    }
    return true;
  }

 private:
  std::vector<Entry>::const_iterator lowerBound(const QString& name) const {
    return std::lower_bound(entries_.cbegin(), entries_.cend(), name,
                            [](const Entry& entry, const QString& wanted) { return entry.first < wanted; });
  }

  std::vector<Entry> entries_;
};
