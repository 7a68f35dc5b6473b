#include "playback/OutputThread.h"

namespace quorvel {

void OutputThread::start() {
  if (thread_.joinable()) {
    ring_.signal();
    return;
  }
  quit_.store(false);
  thread_ = std::thread([this] { run(); });
}

void OutputThread::post(std::uint32_t message) {
  {
    std::lock_guard lock(queueMutex_);
    queue_.push_back(message);
  }
  ring_.signal();
}

void OutputThread::shutdown() {
  if (!thread_.joinable()) return;
  quit_.store(true);
  ring_.signal();
  thread_.join();
}

bool OutputThread::sendQueued() {
  for (;;) {
    std::uint32_t message = 0;
    {
      std::lock_guard lock(queueMutex_);
      if (queue_.empty()) return true;
      message = queue_.front();
      queue_.pop_front();
    }
    if (device_.send(message) != 0) return false;
  }
}

void OutputThread::run() {
  // Note preview and real-time input are heard as they are played.
  policy_.raiseCurrentThread();
  for (;;) {
    ring_.waitAndReset();
    if (quit_.load()) break;
    if (!sendQueued()) {
      exitCode_.store(1);
      return;
    }
  }
  exitCode_.store(0);
}

}  // namespace quorvel
