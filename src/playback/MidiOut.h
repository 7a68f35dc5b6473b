#pragma once
// The one place MIDI leaves the program. Messages are short messages packed as
// status | data1 << 8 | data2 << 16. Implementations: the built-in synth, external
// ports, and a recording sink.
#include <cstdint>

namespace quorvel {

class MidiOut {
 public:
  virtual ~MidiOut() = default;
  // 0 when the message went out, -1 when it could not be sent.
  virtual int send(std::uint32_t message) = 0;
  // Silences everything that sounds and returns the device to its initial state.
  virtual void reset() = 0;
};

}  // namespace quorvel
