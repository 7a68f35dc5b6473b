#include "playback/Event.h"

namespace quorvel {

void Event::signal() {
  {
    std::lock_guard lock(mutex_);
    signalled_ = true;
  }
  cv_.notify_all();
}

void Event::waitAndReset() {
  std::unique_lock lock(mutex_);
  cv_.wait(lock, [this] { return signalled_; });
  signalled_ = false;
}

bool Event::waitUntilAndReset(TimePoint deadline) {
  std::unique_lock lock(mutex_);
  const bool signalled = cv_.wait_until(lock, deadline, [this] { return signalled_; });
  signalled_ = false;
  return signalled;
}

}  // namespace quorvel
