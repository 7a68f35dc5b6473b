#pragma once
// The play controls the ruler needs while the cue is dragged. The application
// wires them to the player; without them a drag only clears the Playing flag
// and the cue is moved directly (no player thread to race with).
#include <functional>

namespace quorvel {

struct ViewTransport {
  std::function<void()> pause;
  std::function<void()> resume;  // play on from the cue
  // Puts the cue at x under the player's cue lock, so the next tick cannot
  // overwrite a move made during playback.
  std::function<void(int x)> placeCue;
};

}  // namespace quorvel
