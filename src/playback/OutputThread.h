#pragma once
// Sends the single messages of note preview and real-time input, off the
// window thread. Messages queue up, so a quick succession loses none.
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

#include "playback/Event.h"
#include "playback/OutputDevice.h"
#include "playback/ThreadPriority.h"

namespace quorvel {

class OutputThread {
 public:
  OutputThread(OutputDevice& device, ThreadPolicy& policy) : device_(device), policy_(policy) {}
  ~OutputThread() { shutdown(); }
  OutputThread(const OutputThread&) = delete;
  OutputThread& operator=(const OutputThread&) = delete;

  // Starts the thread, or rings it when it runs already.
  void start();
  bool started() const { return thread_.joinable(); }
  // Queues one short message and rings the thread.
  void post(std::uint32_t message);
  // Ends the thread and waits for it.
  void shutdown();
  // 0 after a normal end, 1 when it ended because no device was open.
  int exitCode() const { return exitCode_.load(); }

 private:
  void run();
  bool sendQueued();

  OutputDevice& device_;
  ThreadPolicy& policy_;
  Event ring_;
  std::mutex queueMutex_;
  std::deque<std::uint32_t> queue_;
  std::atomic<bool> quit_{false};
  std::atomic<int> exitCode_{0};
  std::thread thread_;
};

}  // namespace quorvel
