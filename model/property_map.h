#pragma once
// The properties of a model element: names to values, in name order.

#include <QMap>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

/// Names to values, kept sorted by name (ordinal UTF-16) in one array. Most
/// elements of a solution are files, which hold one property: the first entry is
/// kept in the map itself and the heap is used from the second on, so a file
/// costs one allocation for its node and none for its properties. The array's
/// pointer and room share the place of that entry, and the map leaves the last
/// bytes of its size free for a member that follows it ([[no_unique_address]]).
class PropertyMap {
 public:
  using Entry = std::pair<QString, QString>;

  /// Walks the entries in name order.
  class const_iterator {
   public:
    explicit const_iterator(const Entry* position = nullptr) : position_(position) {}
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
    const Entry* position_;
  };

  PropertyMap() {}
  PropertyMap(const PropertyMap&) = delete;
  PropertyMap& operator=(const PropertyMap&) = delete;
  ~PropertyMap() {
    std::destroy_n(entries(), size_);
    release();
  }

  const_iterator cbegin() const { return const_iterator(entries()); }
  const_iterator cend() const { return const_iterator(entries() + size_); }
  const_iterator begin() const { return cbegin(); }
  const_iterator end() const { return cend(); }
  qsizetype size() const { return qsizetype(size_); }
  bool isEmpty() const { return size_ == 0; }

  /// The entry of name, or cend().
  const_iterator constFind(const QString& name) const {
    const Entry* found = lowerBound(name);
    return const_iterator(found != entries() + size_ && found->first == name ? found : entries() + size_);
  }
  bool contains(const QString& name) const { return constFind(name) != cend(); }
  /// The value of name, or a null string.
  QString value(const QString& name) const {
    const const_iterator found = constFind(name);
    return found == cend() ? QString() : found.value();
  }
  /// Sets the value of name, adding the entry in its place when it is new.
  void insert(const QString& name, const QString& value) {
    if (size_ == 0 && !onHeap_) {  // a file's one property
      std::construct_at(&room_.entry, name, value);
      size_ = 1;
      return;
    }
    const size_t position = size_t(lowerBound(name) - entries());
    if (position < size_ && entries()[position].first == name) {
      entries()[position].second = value;
      return;
    }
    if (size_ == capacity()) grow();
    Entry* first = entries();
    if (position == size_) {
      std::construct_at(first + size_, name, value);
    } else {
      std::construct_at(first + size_, std::move(first[size_ - 1]));
      std::move_backward(first + position, first + size_ - 1, first + size_);
      first[position] = Entry(name, value);
    }
    ++size_;
  }
  /// Removes the entry of name; the number of entries removed (0 or 1).
  int remove(const QString& name) {
    Entry* found = lowerBound(name);
    Entry* end = entries() + size_;
    if (found == end || found->first != name) return 0;
    std::move(found + 1, end, found);
    std::destroy_at(end - 1);
    --size_;
    return 1;
  }
  QStringList keys() const {
    QStringList names;
    names.reserve(size());
    for (const Entry& entry : std::span(entries(), size_)) names.append(entry.first);
    return names;
  }

  friend bool operator==(const PropertyMap& left, const PropertyMap& right) {
    return std::equal(left.entries(), left.entries() + left.size_, right.entries(), right.entries() + right.size_);
  }
  /// Equal to a map that holds the same pairs.
  friend bool operator==(const PropertyMap& left, const QMap<QString, QString>& right) {
    if (left.size() != right.size()) return false;
    auto other = right.cbegin();
    for (const Entry& entry : std::span(left.entries(), left.size_)) {
      if (entry.first != other.key() || entry.second != other.value()) return false;
      ++other;
    }
    return true;
  }

 private:
  Entry* entries() { return onHeap_ ? room_.heap.entries : &room_.entry; }
  const Entry* entries() const { return onHeap_ ? room_.heap.entries : &room_.entry; }
  uint32_t capacity() const { return onHeap_ ? room_.heap.capacity : 1; }
  Entry* lowerBound(const QString& name) {
    return std::lower_bound(entries(), entries() + size_, name,
                            [](const Entry& entry, const QString& wanted) { return entry.first < wanted; });
  }
  const Entry* lowerBound(const QString& name) const { return const_cast<PropertyMap*>(this)->lowerBound(name); }
  // Moves the entries into an array of twice the room.
  void grow() {
    const uint32_t capacity = this->capacity() * 2;
    Entry* moved = std::allocator<Entry>().allocate(capacity);
    std::uninitialized_move_n(entries(), size_, moved);
    std::destroy_n(entries(), size_);
    release();
    std::construct_at(&room_.heap, Heap{moved, capacity});
    onHeap_ = true;
  }
  void release() {
    if (onHeap_) std::allocator<Entry>().deallocate(room_.heap.entries, room_.heap.capacity);
    onHeap_ = false;
  }

  struct Heap {
    Entry* entries;
    uint32_t capacity;
  };
  // The first entry, constructed only while it holds one, or from the second
  // entry on the array on the heap.
  union Room {
    Room() {}
    ~Room() {}
    Entry entry;
    Heap heap;
  } room_;
  uint32_t size_ = 0;
  bool onHeap_ = false;
};
