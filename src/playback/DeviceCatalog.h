#pragma once
// The MIDI output devices the machine offers, in a fixed order.
#include <memory>
#include <string>

#include "playback/MidiOut.h"

namespace quorvel {

// Product name of the built-in General MIDI synthesizer: the device chosen
// without asking.
inline constexpr const char* kBuiltInSynthName = "Quorvel GM Synth";

class DeviceCatalog {
 public:
  virtual ~DeviceCatalog() = default;
  virtual int deviceCount() = 0;
  virtual std::string deviceName(int index) = 0;
  // Null when the device could not be opened.
  virtual std::unique_ptr<MidiOut> openDevice(int index) = 0;
};

}  // namespace quorvel
