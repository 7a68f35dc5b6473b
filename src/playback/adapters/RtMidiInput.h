#pragma once
// MIDI keyboards through RtMidi (the ALSA sequencer on Linux). A machine
// without a MIDI system simply has no ports.
#include <memory>

#include "playback/MidiInput.h"

class RtMidiIn;

namespace quorvel {

class RtMidiInput : public MidiInput {
 public:
  RtMidiInput();
  ~RtMidiInput() override;

  std::vector<std::string> portNames() override;
  int open(const std::string& portName, MidiInputHandler handler) override;
  void close() override;

  // Opens a port of our own that other programs can play into; -1 without a MIDI system.
  int openVirtual(const std::string& portName, MidiInputHandler handler);

 private:
  void listen(MidiInputHandler handler);

  std::unique_ptr<RtMidiIn> in_;
  MidiInputHandler handler_;
  bool listening_ = false;
};

}  // namespace quorvel
