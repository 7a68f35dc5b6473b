#pragma once
// How the time-critical threads (player, output) are scheduled, decided in
// one place: real-time where the desktop grants it, the memory locked where
// the limit allows, and otherwise normal scheduling with a note said once.
#include <atomic>
#include <mutex>

namespace quorvel {

enum class Scheduling { Normal, Fifo, RealtimeKit };

// The system calls behind the policy, so that a test can deny them.
class SchedulingCalls {
 public:
  virtual ~SchedulingCalls() = default;
  // Whether SCHED_FIFO at `priority` is within RLIMIT_RTPRIO (or the
  // process is privileged and the limit does not apply).
  virtual bool fifoAllowed(int priority) = 0;
  // SCHED_FIFO for the calling thread.
  virtual bool setFifo(int priority) = 0;
  // Whether RLIMIT_MEMLOCK lets every page of the process be locked.
  virtual bool memoryLockAllowed() = 0;
  virtual bool lockAllMemory() = 0;
  // The kernel's id of the calling thread, for a real-time broker.
  virtual long currentThreadId() = 0;
};

// The calls of this machine.
SchedulingCalls& systemSchedulingCalls();

// A desktop service that grants real-time scheduling to ordinary users
// (RealtimeKit over D-Bus); implemented in playback/adapters.
class RealtimeBroker {
 public:
  virtual ~RealtimeBroker() = default;
  // Makes a thread of this process real-time; false when refused or absent.
  virtual bool makeThreadRealtime(long threadId, int priority) = 0;
};

class ThreadPolicy {
 public:
  // Above every normal thread, below audio servers and the synth's audio thread.
  static constexpr int kPriority = 10;

  explicit ThreadPolicy(SchedulingCalls& calls, RealtimeBroker* broker = nullptr, bool lockMemory = false)
      : calls_(calls), broker_(broker), lockMemory_(lockMemory) {}

  // For the calling thread: SCHED_FIFO where the limit allows it, else the
  // broker, else normal scheduling (never an error).
  Scheduling raiseCurrentThread();
  // Once, when the policy was made to lock and the limit allows: every page
  // of the process, now and later. Call it before the threads play: while it
  // runs, their page faults wait.
  void lockMemory();
  // True once, after a thread was left at normal scheduling: the caller says so.
  bool takeRefusalNote();
  bool memoryLocked() const { return memoryLocked_.load(); }

 private:
  SchedulingCalls& calls_;
  RealtimeBroker* broker_;
  bool lockMemory_;
  std::once_flag memoryOnce_;
  std::atomic<bool> memoryLocked_{false};
  std::atomic<bool> refused_{false};
  std::atomic<bool> noteTaken_{false};
};

// System calls, no broker, memory left unlocked: what tests and tools get.
ThreadPolicy& defaultThreadPolicy();

}  // namespace quorvel
