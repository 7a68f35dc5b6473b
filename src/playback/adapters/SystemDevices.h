#pragma once
// The machine's output devices: the built-in synth first, then external ports.
#include <string>
#include <vector>

#include "playback/DeviceCatalog.h"

namespace quorvel {

class SystemDevices : public DeviceCatalog {
 public:
  // Re-reads the external ports, which come and go.
  int deviceCount() override;
  std::string deviceName(int index) override;
  std::unique_ptr<MidiOut> openDevice(int index) override;

 private:
  std::vector<std::string> ports_;
};

}  // namespace quorvel
