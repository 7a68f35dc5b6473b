// The thread policy grants what the system allows and falls back to normal
// scheduling without an error: with scripted system calls, and with the real
// ones in a child process whose limits deny real-time scheduling.
#include "playback/ThreadPriority.h"

#include <gtest/gtest.h>
#include <grp.h>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "playback/adapters/RealtimeKitBroker.h"

namespace quorvel {
namespace {

struct ScriptedCalls : SchedulingCalls {
  bool fifoLimit = false, fifoWorks = true, lockLimit = false;
  int fifoCalls = 0, lockCalls = 0;
  bool fifoAllowed(int) override { return fifoLimit; }
  bool setFifo(int) override { return ++fifoCalls, fifoWorks; }
  bool memoryLockAllowed() override { return lockLimit; }
  bool lockAllMemory() override { return ++lockCalls, true; }
  long currentThreadId() override { return 4242; }
};

struct ScriptedBroker : RealtimeBroker {
  bool grants = false;
  long askedThread = 0;
  int askedPriority = 0;
  bool makeThreadRealtime(long thread, int priority) override {
    askedThread = thread;
    askedPriority = priority;
    return grants;
  }
};

TEST(ThreadPolicy, TakesFifoWhereTheLimitAllowsElseTheBrokerElseNormalScheduling) {
  ScriptedCalls calls;
  ScriptedBroker broker;
  ThreadPolicy policy(calls, &broker);

  calls.fifoLimit = true;
  EXPECT_EQ(policy.raiseCurrentThread(), Scheduling::Fifo);
  EXPECT_EQ(broker.askedThread, 0) << "the broker is not asked when the limit allows";

  calls.fifoLimit = false;
  broker.grants = true;
  EXPECT_EQ(policy.raiseCurrentThread(), Scheduling::RealtimeKit);
  EXPECT_EQ(calls.fifoCalls, 1) << "no SCHED_FIFO call beyond the limit";
  EXPECT_EQ(broker.askedThread, 4242);
  EXPECT_EQ(broker.askedPriority, ThreadPolicy::kPriority);
  EXPECT_FALSE(policy.takeRefusalNote());

  // The limit allows, the kernel still refuses (no capability in a container): the broker next.
  calls.fifoLimit = true;
  calls.fifoWorks = false;
  EXPECT_EQ(policy.raiseCurrentThread(), Scheduling::RealtimeKit);
}

TEST(ThreadPolicy, RefusedEverywhereRunsNormallyTheNoteIsTakenOnceAndMemoryLockedOnlyWhereAllowed) {
  ScriptedCalls calls;
  ThreadPolicy policy(calls, nullptr, true);
  EXPECT_FALSE(policy.takeRefusalNote()) << "nothing to say before a thread asked";
  policy.lockMemory();
  EXPECT_EQ(policy.raiseCurrentThread(), Scheduling::Normal);
  EXPECT_EQ(policy.raiseCurrentThread(), Scheduling::Normal);
  EXPECT_TRUE(policy.takeRefusalNote());
  EXPECT_FALSE(policy.takeRefusalNote());
  EXPECT_EQ(calls.lockCalls, 0) << "no mlockall under a finite limit";
  EXPECT_FALSE(policy.memoryLocked());

  calls.lockLimit = true;
  ThreadPolicy locking(calls, nullptr, true);
  locking.lockMemory();
  locking.lockMemory();
  EXPECT_EQ(calls.lockCalls, 1) << "locked once where the limit allows";
  EXPECT_TRUE(locking.memoryLocked());
  ThreadPolicy withoutLocking(calls);
  withoutLocking.lockMemory();
  EXPECT_EQ(calls.lockCalls, 1);
}

// In a child: the limits of an ordinary user, as root drops to nobody.
void becomeOrdinaryUser(rlim_t realtimePriority) {
  const rlimit rtprio{realtimePriority, realtimePriority};
  const rlimit memlock{64 * 1024, 64 * 1024};
  if (setrlimit(RLIMIT_RTPRIO, &rtprio) != 0 || setrlimit(RLIMIT_MEMLOCK, &memlock) != 0) std::_Exit(10);
  if (geteuid() == 0) {
    constexpr gid_t kNobodyGroup = 65534;
    constexpr uid_t kNobody = 65534;
    if (setgroups(0, nullptr) != 0 || setgid(kNobodyGroup) != 0 || setuid(kNobody) != 0) std::_Exit(11);
  }
  // No RealtimeKit of the machine answers in a test.
  setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/quorvel-test-bus", 1);
}

int raiseAndCheck(Scheduling expected) {
  RealtimeKitBroker broker;
  ThreadPolicy policy(systemSchedulingCalls(), &broker, true);
  policy.lockMemory();
  const Scheduling got = policy.raiseCurrentThread();
  if (got != expected) return 20 + static_cast<int>(got);
  if (policy.memoryLocked()) return 30;
  const int scheduler = sched_getscheduler(0);
  if (got == Scheduling::Normal && (scheduler != SCHED_OTHER || !policy.takeRefusalNote())) return 40;
  if (got == Scheduling::Fifo && (scheduler != SCHED_FIFO || policy.takeRefusalNote())) return 50;
  return 0;
}

void expectAsOrdinaryUser(rlim_t realtimePriority, Scheduling expected) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        becomeOrdinaryUser(realtimePriority);
        std::_Exit(raiseAndCheck(expected));
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(ThreadPolicyDeathTest, WithLimitsThatDenyItTheRealCallsFallBackCleanly) {
  expectAsOrdinaryUser(0, Scheduling::Normal);
}

// Whether this process may raise its real-time limit (root with
// CAP_SYS_RESOURCE; a container may withhold it), tried in a child.
bool mayRaiseRealtimeLimit() {
  const pid_t pid = fork();
  if (pid == 0) {
    const rlimit raised{ThreadPolicy::kPriority, ThreadPolicy::kPriority};
    std::_Exit(setrlimit(RLIMIT_RTPRIO, &raised) == 0 ? 0 : 1);
  }
  int status = 0;
  return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(ThreadPolicyDeathTest, AnOrdinaryUserWithARealtimeLimitGetsFifo) {
  if (!mayRaiseRealtimeLimit()) GTEST_SKIP() << "this process may not raise RLIMIT_RTPRIO";
  expectAsOrdinaryUser(ThreadPolicy::kPriority, Scheduling::Fifo);
}

}  // namespace
}  // namespace quorvel
