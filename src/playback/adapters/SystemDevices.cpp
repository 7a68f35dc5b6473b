#include "playback/adapters/SystemDevices.h"

#include "playback/adapters/BuiltInSynthOut.h"
#include "playback/adapters/RtMidiPortOut.h"

namespace quorvel {

int SystemDevices::deviceCount() {
  ports_ = externalPortNames();
  return 1 + static_cast<int>(ports_.size());
}

std::string SystemDevices::deviceName(int index) {
  if (index == 0) return kBuiltInSynthName;
  if (index < 0 || index > static_cast<int>(ports_.size())) return {};
  return ports_[static_cast<std::size_t>(index - 1)];
}

std::unique_ptr<MidiOut> SystemDevices::openDevice(int index) {
  if (index == 0) return BuiltInSynthOut::open();
  if (index < 0 || index > static_cast<int>(ports_.size())) return nullptr;
  return RtMidiPortOut::open(index - 1);
}

}  // namespace quorvel
