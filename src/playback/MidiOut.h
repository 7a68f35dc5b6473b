#pragma once
// The one place MIDI leaves the program. Messages are short messages packed as
// status | data1 << 8 | data2 << 16. Implementations: the built-in synth, external
// ports, and a recording sink.
#include <chrono>
#include <cstdint>

namespace quorvel {

class MidiOut {
 public:
  virtual ~MidiOut() = default;
  // 0 when the message went out, -1 when it could not be sent.
  virtual int send(std::uint32_t message) = 0;
  // A message meant to sound at `due`. A device that can schedule plays it at
  // that time plus a fixed delay of its own, so a sender that wakes late does
  // not move it; the others send it now.
  using DueTime = std::chrono::steady_clock::time_point;
  virtual int sendAt(std::uint32_t message, DueTime /*due*/) { return send(message); }
  // Silences everything that sounds and returns the device to its initial state.
  virtual void reset() = 0;
};

}  // namespace quorvel
