#include "playback/RecordingMidiOut.h"

#include <chrono>

namespace quorvel {

void MessageLog::append(TimedMessage m) {
  std::lock_guard lock(mutex_);
  entries_.push_back(m);
}

std::vector<TimedMessage> MessageLog::snapshot() const {
  std::lock_guard lock(mutex_);
  return entries_;
}

std::vector<std::uint32_t> MessageLog::messages() const {
  std::lock_guard lock(mutex_);
  std::vector<std::uint32_t> out;
  out.reserve(entries_.size());
  for (const TimedMessage& e : entries_) out.push_back(e.message);
  return out;
}

void MessageLog::clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
}

namespace {

RecordingMidiOut::Clock steadyClockFromNow() {
  const auto origin = std::chrono::steady_clock::now();
  return [origin] {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - origin).count();
  };
}

}  // namespace

RecordingMidiOut::RecordingMidiOut(std::shared_ptr<MessageLog> log, Clock clock)
    : log_(std::move(log)), clock_(clock ? std::move(clock) : steadyClockFromNow()) {}

int RecordingMidiOut::send(std::uint32_t message) {
  log_->append({clock_(), message});
  return 0;
}

void RecordingMidiOut::reset() { ++resets_; }

}  // namespace quorvel
