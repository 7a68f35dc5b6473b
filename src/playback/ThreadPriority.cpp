#include "playback/ThreadPriority.h"

#include <pthread.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace quorvel {

namespace {

class SystemCalls : public SchedulingCalls {
 public:
  bool fifoAllowed(int priority) override {
    rlimit limit{};
    if (geteuid() == 0) return true;
    if (getrlimit(RLIMIT_RTPRIO, &limit) != 0) return false;
    return limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= static_cast<rlim_t>(priority);
  }
  bool setFifo(int priority) override {
    sched_param param{};
    param.sched_priority = priority;
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
  }
  bool memoryLockAllowed() override {
    // Locking future pages under a finite limit would make later allocations fail.
    rlimit limit{};
    if (geteuid() == 0) return true;
    return getrlimit(RLIMIT_MEMLOCK, &limit) == 0 && limit.rlim_cur == RLIM_INFINITY;
  }
  bool lockAllMemory() override { return mlockall(MCL_CURRENT | MCL_FUTURE) == 0; }
  long currentThreadId() override { return static_cast<long>(syscall(SYS_gettid)); }
};

}  // namespace

SchedulingCalls& systemSchedulingCalls() {
  static SystemCalls calls;
  return calls;
}

void ThreadPolicy::lockMemory() {
  if (!lockMemory_) return;
  std::call_once(memoryOnce_, [this] { memoryLocked_.store(calls_.memoryLockAllowed() && calls_.lockAllMemory()); });
}

Scheduling ThreadPolicy::raiseCurrentThread() {
  if (calls_.fifoAllowed(kPriority) && calls_.setFifo(kPriority)) return Scheduling::Fifo;
  if (broker_ != nullptr && broker_->makeThreadRealtime(calls_.currentThreadId(), kPriority))
    return Scheduling::RealtimeKit;
  refused_.store(true);
  return Scheduling::Normal;
}

bool ThreadPolicy::takeRefusalNote() { return refused_.load() && !noteTaken_.exchange(true); }

ThreadPolicy& defaultThreadPolicy() {
  static ThreadPolicy policy(systemSchedulingCalls());
  return policy;
}

}  // namespace quorvel
