#pragma once
// Note sets are filled and emptied wholesale (file reads, generation, undo),
// and the general heap spent more time on their small tree nodes than the
// tree itself. Single nodes come from per-thread free lists instead; the
// memory behind them is kept for the life of the program and reused.
#include <cstddef>
#include <memory>

namespace quorvel {

namespace nodepool {

// The largest block served from the pool; larger requests go to the heap.
inline constexpr std::size_t kLargestBlock = 64;

void* take(std::size_t size);
void give(void* block, std::size_t size) noexcept;

// Memory held by the pool, in use or free.
std::size_t reservedBytes();

}  // namespace nodepool

template <class T>
class PooledAllocator {
 public:
  using value_type = T;

  PooledAllocator() noexcept = default;
  template <class U>
  PooledAllocator(const PooledAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    if (pooled(n)) return static_cast<T*>(nodepool::take(sizeof(T)));
    return std::allocator<T>{}.allocate(n);
  }

  void deallocate(T* p, std::size_t n) noexcept {
    if (pooled(n))
      nodepool::give(p, sizeof(T));
    else
      std::allocator<T>{}.deallocate(p, n);
  }

  friend bool operator==(const PooledAllocator&, const PooledAllocator&) noexcept { return true; }

 private:
  static constexpr bool pooled(std::size_t n) {
    return n == 1 && sizeof(T) <= nodepool::kLargestBlock && alignof(T) <= alignof(std::max_align_t);
  }
};

}  // namespace quorvel
