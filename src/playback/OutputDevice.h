#pragma once
// The open output device, shared by the output thread and the player thread.
// Sends are serialised, and a re-open swaps the device without a gap in which
// a send would find none.
#include <cstdint>
#include <memory>
#include <mutex>

#include "playback/DeviceCatalog.h"
#include "playback/MidiOut.h"

namespace quorvel {

class OutputDevice : public MidiOut {
 public:
  // Opens the first device named like the built-in synth; 0, or -1 when none
  // matches or every matching device fails to open (an open device stays open).
  int open(DeviceCatalog& catalog);
  // Resets and closes the device if one is open.
  void close();
  bool isOpen() const;

  // -1 when no device is open.
  int send(std::uint32_t message) override;
  int sendAt(std::uint32_t message, DueTime due) override;
  void reset() override;

 private:
  std::mutex openMutex_;  // one enumeration at a time: start-up and the player's re-open
  mutable std::mutex mutex_;
  std::unique_ptr<MidiOut> device_;
};

}  // namespace quorvel
