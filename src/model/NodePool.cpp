#include "model/NodePool.h"

#include <sanitizer/asan_interface.h>  // poisoning macros; they vanish without AddressSanitizer

#include <array>
#include <mutex>
#include <new>
#include <vector>

namespace quorvel::nodepool {

namespace {

constexpr std::size_t kGranule = alignof(std::max_align_t);
constexpr std::size_t kClasses = kLargestBlock / kGranule;
constexpr std::size_t kChunkBytes = 64 * 1024;

struct FreeBlock {
  FreeBlock* next;
};

std::size_t classOf(std::size_t size) { return (size + kGranule - 1) / kGranule - 1; }
std::size_t blockBytes(std::size_t cls) { return (cls + 1) * kGranule; }

// Chunks live as long as the program: a node may outlive the thread that made
// it. Free lists of threads that have ended wait here for another thread.
struct Shared {
  std::mutex mutex;
  std::vector<std::byte*> chunks;
  std::array<FreeBlock*, kClasses> orphans{};
};

Shared& shared() {
  static Shared* const instance = new Shared;  // never destroyed: static note sets free nodes at exit
  return *instance;
}

// Trivially destructible, so it stays usable while static objects are
// destroyed after the thread's own clean-up has run.
struct Cache {
  std::array<FreeBlock*, kClasses> free{};
  std::array<std::byte*, kClasses> bump{};
  std::array<std::byte*, kClasses> bumpEnd{};
  bool retired = false;
};

thread_local Cache cache;

void pushFree(FreeBlock*& head, void* block, std::size_t bytes) {
  ASAN_UNPOISON_MEMORY_REGION(block, sizeof(FreeBlock));  // blocks never handed out are still poisoned
  auto* b = static_cast<FreeBlock*>(block);
  b->next = head;
  head = b;
  ASAN_POISON_MEMORY_REGION(reinterpret_cast<std::byte*>(block) + sizeof(FreeBlock), bytes - sizeof(FreeBlock));
}

void* popFree(FreeBlock*& head, std::size_t bytes) {
  FreeBlock* b = head;
  head = b->next;
  ASAN_UNPOISON_MEMORY_REGION(b, bytes);
  return b;
}

// Hands the thread's free and never-used blocks to the shared lists when the
// thread ends.
struct Retirer {
  ~Retirer() {
    std::lock_guard lock(shared().mutex);
    for (std::size_t cls = 0; cls < kClasses; ++cls) {
      const std::size_t bytes = blockBytes(cls);
      while (cache.free[cls]) pushFree(shared().orphans[cls], popFree(cache.free[cls], bytes), bytes);
      for (; cache.bump[cls] != cache.bumpEnd[cls]; cache.bump[cls] += bytes)
        pushFree(shared().orphans[cls], cache.bump[cls], bytes);
    }
    cache.retired = true;
  }
};

thread_local Retirer retirer;

// Called on the slow paths by which a thread comes to hold blocks.
void retireAtThreadEnd() { (void)&retirer; }

bool adoptOrphans(std::size_t cls) {
  retireAtThreadEnd();
  std::lock_guard lock(shared().mutex);
  std::swap(cache.free[cls], shared().orphans[cls]);
  return cache.free[cls] != nullptr;
}

void newChunk(std::size_t cls) {
  retireAtThreadEnd();
  auto* chunk = static_cast<std::byte*>(::operator new(kChunkBytes, std::align_val_t{kGranule}));
  ASAN_POISON_MEMORY_REGION(chunk, kChunkBytes);
  std::lock_guard lock(shared().mutex);
  shared().chunks.push_back(chunk);
  cache.bump[cls] = chunk;
  cache.bumpEnd[cls] = chunk + kChunkBytes / blockBytes(cls) * blockBytes(cls);
}

void* takeShared(std::size_t cls) {
  std::lock_guard lock(shared().mutex);
  if (shared().orphans[cls]) return popFree(shared().orphans[cls], blockBytes(cls));
  return nullptr;
}

}  // namespace

std::size_t reservedBytes() {
  std::lock_guard lock(shared().mutex);
  return shared().chunks.size() * kChunkBytes;
}

void* take(std::size_t size) {
  const std::size_t cls = classOf(size);
  const std::size_t bytes = blockBytes(cls);
  if (cache.retired) {
    if (void* b = takeShared(cls)) return b;
    return ::operator new(bytes, std::align_val_t{kGranule});  // a thread in its last moments: rare
  }
  if (cache.free[cls]) return popFree(cache.free[cls], bytes);
  if (cache.bump[cls] == cache.bumpEnd[cls]) {
    if (adoptOrphans(cls)) return popFree(cache.free[cls], bytes);
    newChunk(cls);
  }
  std::byte* block = cache.bump[cls];
  cache.bump[cls] += bytes;
  ASAN_UNPOISON_MEMORY_REGION(block, bytes);
  return block;
}

void give(void* block, std::size_t size) noexcept {
  const std::size_t cls = classOf(size);
  if (!cache.retired) {
    if (!cache.free[cls]) retireAtThreadEnd();
    pushFree(cache.free[cls], block, blockBytes(cls));
    return;
  }
  std::lock_guard lock(shared().mutex);
  pushFree(shared().orphans[cls], block, blockBytes(cls));
}

}  // namespace quorvel::nodepool
