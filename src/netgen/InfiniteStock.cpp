#include "netgen/InfiniteStock.h"

#include "model/NoteCode.h"
#include "model/Score.h"

namespace quorvel {

void InfiniteStock::reset() {
  std::lock_guard lock(mutex_);
  blockEnds_.fill(kNoPosition);
  written_ = read_ = 0;
  frontX_ = kNoPosition;
  underrun_ = false;
}

bool InfiniteStock::addBlock(int endX) {
  std::lock_guard lock(mutex_);
  if (pending() >= kBlockRingSize) return false;
  blockEnds_[written_ % kBlockRingSize] = endX;
  ++written_;
  frontX_ = endX;
  return true;
}

int InfiniteStock::stock() const {
  std::lock_guard lock(mutex_);
  return pending() - 1;
}

bool InfiniteStock::takeRefilledUnderrun() {
  std::lock_guard lock(mutex_);
  if (!underrun_ || pending() < 1) return false;
  underrun_ = false;
  return true;
}

void InfiniteStock::shifted(int delta) {
  std::lock_guard lock(mutex_);
  for (std::uint64_t i = read_; i < written_; ++i) blockEnds_[i % kBlockRingSize] -= delta;
  if (frontX_ != kNoPosition) frontX_ -= delta;
}

int InfiniteStock::frontX() const {
  std::lock_guard lock(mutex_);
  return frontX_;
}

void InfiniteStock::playedUpTo(int x) {
  std::lock_guard lock(mutex_);
  if (underrun_) return;
  // A block is done once its last step has sounded: the step at its end
  // belongs to the next block, which the player must not pass unmade.
  while (pending() > 0 && x + kStepPixels >= blockEnds_[read_ % kBlockRingSize]) ++read_;
  if (written_ > 0 && pending() == 0) {
    // Caught up with the generation: stop here and wait for the next block.
    underrun_ = true;
    score_.clearFlag(kFlagPlaying);
  }
}

}  // namespace quorvel
