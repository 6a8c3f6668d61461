#pragma once
// Memory for the nodes of one model, made and dropped by the thousand.

#include <cstddef>
#include <cstdint>
#include <vector>

/// Blocks of one size, taken from pages of many blocks and given back to a list
/// that the next blocks are taken from: a model makes a node for every file of a
/// workspace and drops it once its project is written, and the C library's heap
/// costs more per node than the mapper and the writer spend on it otherwise.
/// Pages are kept while the pool lives. A block may be given back after its pool
/// is gone (a tree taken out of its model): its page goes with its last block.
class NodePool {
 public:
  explicit NodePool(size_t blockSize);
  NodePool(const NodePool&) = delete;
  NodePool& operator=(const NodePool&) = delete;
  ~NodePool();

  /// A block of the pool's size.
  void* take() {
    if (!free_) refill();
    FreeBlock* block = free_;
    free_ = block->next;
    ++pageOf(block)->blocksTaken;
    return block;
  }
  /// Gives back a block taken from a pool, the pool alive or not.
  static void give(void* block) {
    Page* page = pageOf(block);
    --page->blocksTaken;
    if (page->pool)
      page->pool->free_ = new (block) FreeBlock{page->pool->free_};
    else if (page->blocksTaken == 0)
      releasePage(page);
  }

 private:
  struct FreeBlock {
    FreeBlock* next;
  };
  // The head of every page, which is aligned to its size: a block finds it by its address.
  struct Page {
    NodePool* pool;  // null once the pool is gone
    size_t blocksTaken;
  };
  static constexpr size_t pageSize = 32 * 1024;

  static Page* pageOf(void* block) {
    return reinterpret_cast<Page*>(reinterpret_cast<uintptr_t>(block) & ~uintptr_t{pageSize - 1});
  }
  static void releasePage(Page* page);
  void refill();

  const size_t blockSize_;
  FreeBlock* free_ = nullptr;
  std::vector<Page*> pages_;
};
