#pragma once
// A sink that keeps every message with the time it was sent, for tests and
// for rendering a song offline.
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "playback/MidiOut.h"

namespace quorvel {

struct TimedMessage {
  double ms = 0.0;  // milliseconds on the sink's clock
  std::uint32_t message = 0;
};

// Shared between the sink (written on the player thread) and its reader.
class MessageLog {
 public:
  void append(TimedMessage m);
  std::vector<TimedMessage> snapshot() const;
  std::vector<std::uint32_t> messages() const;
  void clear();

 private:
  mutable std::mutex mutex_;
  std::vector<TimedMessage> entries_;
};

class RecordingMidiOut : public MidiOut {
 public:
  using Clock = std::function<double()>;
  // Without a clock the steady clock is used, in ms since the sink was made.
  explicit RecordingMidiOut(std::shared_ptr<MessageLog> log, Clock clock = {});

  int send(std::uint32_t message) override;
  void reset() override;
  int resets() const { return resets_; }

 private:
  std::shared_ptr<MessageLog> log_;
  Clock clock_;
  int resets_ = 0;
};

}  // namespace quorvel
