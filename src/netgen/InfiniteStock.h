#pragma once
// The blocks of infinite generation between the loop that makes them and the
// player that plays them: the ring of block ends in play order and the stock
// (blocks made but not yet played through). Every change, from either thread, is
// made under one lock, so the player's count-down and the loop's additions
// and shifts never interleave.
#include <array>
#include <cstdint>
#include <mutex>

#include "playback/InfinitePlayback.h"

namespace quorvel {

struct Score;

inline constexpr int kStockCapacity = 16;
inline constexpr int kBlockRingSize = 34;
inline constexpr int kNoPosition = 65000;

class InfiniteStock : public InfinitePlayback {
 public:
  explicit InfiniteStock(Score& score) : score_(score) {}

  // A new run: no block, no underrun, no shift due.
  void reset();

  // The loop made a block that ends at endX. The first block of a run is
  // the one playback starts with; every later one adds to the stock. False
  // (nothing recorded) when the ring is full.
  bool addBlock(int endX);
  // Blocks made but not reached by the player: -1 after an underrun.
  int stock() const;
  // The player ran out of blocks and stopped; cleared by the loop once a
  // block is in stock again: true when it did so (playback should restart).
  bool takeRefilledUnderrun();
  // The song moved left by `delta`: the waiting block ends move with it.
  void shifted(int delta);
  // End of the last block made (kNoPosition before the first).
  int frontX() const;

  // Player thread: x is the last step played.
  void playedUpTo(int x) override;
  // Nothing to do: the song is cut once the cue passes the start of the
  // block that filled the timeline, before the cue gets to its end.
  void timelineEndReached() override {}

 private:
  int pending() const { return static_cast<int>(written_ - read_); }

  Score& score_;
  mutable std::mutex mutex_;
  std::array<int, kBlockRingSize> blockEnds_{};
  std::uint64_t written_ = 0;  // blocks ever added in this run
  std::uint64_t read_ = 0;     // blocks the player has passed
  int frontX_ = kNoPosition;
  bool underrun_ = false;
};

}  // namespace quorvel
