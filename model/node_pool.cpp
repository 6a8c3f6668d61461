#include "model/node_pool.h"

#include <new>

NodePool::NodePool(size_t blockSize) : blockSize_(blockSize < sizeof(FreeBlock) ? sizeof(FreeBlock) : blockSize) {}

NodePool::~NodePool() {
  for (Page* page : pages_) {
    page->pool = nullptr;
    if (page->blocksTaken == 0) releasePage(page);
  }
}

void NodePool::releasePage(Page* page) { ::operator delete (page, std::align_val_t{pageSize}); }

// The blocks of a new page are handed out in address order, as the heap would.
void NodePool::refill() {
  auto* page = new (::operator new (pageSize, std::align_val_t{pageSize})) Page{this, 0};
  pages_.push_back(page);
  const size_t first =
      (sizeof(Page) + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) * alignof(std::max_align_t);
  const size_t count = (pageSize - first) / blockSize_;
  auto* blocks = reinterpret_cast<std::byte*>(page) + first;
  for (size_t block = count; block-- > 0;) free_ = new (blocks + block * blockSize_) FreeBlock{free_};
}
