#pragma once
// External MIDI output ports (the ALSA sequencer on Linux), as further devices.
#include <memory>
#include <string>
#include <vector>

#include "playback/MidiOut.h"

class RtMidiOut;

namespace quorvel {

// Names of the output ports; empty when the machine has no MIDI system.
std::vector<std::string> externalPortNames();

class RtMidiPortOut : public MidiOut {
 public:
  // Null when the port cannot be opened.
  static std::unique_ptr<RtMidiPortOut> open(int port);
  ~RtMidiPortOut() override;

  int send(std::uint32_t message) override;
  void reset() override;

 private:
  explicit RtMidiPortOut(std::unique_ptr<RtMidiOut> out);
  std::unique_ptr<RtMidiOut> out_;
};

}  // namespace quorvel
