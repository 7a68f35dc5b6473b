#pragma once
// The play controls the ruler needs while the cue is dragged. The application
// wires them to the player; without them a drag only clears the Playing flag.
#include <functional>

namespace quorvel {

struct ViewTransport {
  std::function<void()> pause;
  std::function<void()> resume;  // play on from the cue
};

}  // namespace quorvel
