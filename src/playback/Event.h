#pragma once
// A manual-reset event: signal() wakes the waiter; the waiter resets it.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace quorvel {

class Event {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;

  void signal();
  // Blocks until signalled, then resets.
  void waitAndReset();
  // Blocks until signalled or the deadline; resets when signalled. Answers
  // whether it was signalled.
  bool waitUntilAndReset(TimePoint deadline);

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  bool signalled_ = false;
};

}  // namespace quorvel
