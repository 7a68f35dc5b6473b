#pragma once
// Infinite generation ("Inf."): melody blocks from the server, made ahead of
// the play position up to a stock of 16 while the song plays, the played
// part cut off at the timeline's end, and the song saved automatically when
// asked. Runs on the window thread and pumps its window; the player consumes
// the blocks through the InfiniteStock.
#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>

#include "netgen/InfiniteStock.h"
#include "netgen/NeuralEnv.h"

namespace quorvel {

// What the run needs of the player.
class InfiniteTransport {
 public:
  virtual ~InfiniteTransport() = default;
  virtual void play() = 0;   // from the cue
  // Returns once the player has stopped moving the cue and reading notes.
  virtual void pause() = 0;
  virtual void moveCueTo(int x) = 0;
  virtual void stop() = 0;   // the end of the run
};

// A block that ends past here fills the timeline: no block follows it until
// the song has been cut at its start (once the player reaches it) and moved
// to the beginning.
inline constexpr int kShiftThresholdX = 21690;
inline constexpr int kBlocksPerHalf = 17;

struct InfiniteEnv {
  NeuralEnv& neural;  // the run sets its keepWaiting
  InfiniteStock& stock;
  InfiniteTransport& transport;
  // Set while the run goes on; the toolbar's Stop and closing the main window clear it.
  std::atomic<bool>& running;
  std::function<std::tm()> localTime;
  // Between two passes of the loop: a short sleep in the program.
  std::function<void()> idle;
};

// The "Inf." command: 0 after a run, -1 after "Folder could not be
// selected", -2 when nothing was started (busy, cancelled).
int runInfiniteGeneration(InfiniteEnv& env);

}  // namespace quorvel
