#pragma once
// Shared helpers of the playback tests: raw message packing written out here
// (not taken from the code under test), a device catalog of recording sinks,
// and waiting for what another thread brings about.
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "playback/DeviceCatalog.h"
#include "playback/RecordingMidiOut.h"

namespace quorvel::test {

constexpr std::uint32_t msg(int status, int data1, int data2 = 0) {
  return static_cast<std::uint32_t>(status) | static_cast<std::uint32_t>(data1) << 8 |
         static_cast<std::uint32_t>(data2) << 16;
}

// A note-on, and a note-off with the release velocity the player sends.
constexpr std::uint32_t on(int channel, int key, int velocity = 100) { return msg(0x90 | channel, key, velocity); }
constexpr std::uint32_t off(int channel, int key) { return msg(0x80 | channel, key, 64); }
using Sent = std::vector<std::uint32_t>;

// Waits up to two seconds for a condition another thread brings about.
template <typename Condition>
bool eventually(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

class RecordingCatalog : public DeviceCatalog {
 public:
  std::shared_ptr<MessageLog> log = std::make_shared<MessageLog>();
  std::vector<std::string> names{kBuiltInSynthName};
  bool failOpen = false;

  int deviceCount() override { return static_cast<int>(names.size()); }
  std::string deviceName(int index) override { return names.at(static_cast<std::size_t>(index)); }
  std::unique_ptr<MidiOut> openDevice(int index) override {
    lastOpened = index;
    if (failOpen) return nullptr;
    return std::make_unique<RecordingMidiOut>(log);
  }
  int lastOpened = -1;
};

}  // namespace quorvel::test
