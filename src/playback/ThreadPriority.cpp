#include "playback/ThreadPriority.h"

#include <pthread.h>
#include <sched.h>

namespace quorvel {

bool raiseToRealTimePriority() {
  // A low real-time priority: above every normal thread, below audio servers.
  constexpr int kPriority = 10;
  sched_param param{};
  param.sched_priority = kPriority;
  return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
}

}  // namespace quorvel
