#include "support/ChildProcess.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace quorvel::test {

int resultInChild(const std::function<int()>& body) {
  const pid_t child = ::fork();
  if (child < 0) return -1;
  if (child == 0) ::_exit(body());
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

void limitFileSize(long bytes) {
  ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails instead of killing the process
  const rlimit limit{static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
  if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(101);
}

void dropRoot() {
  constexpr uid_t kNobody = 65534;
  if (::geteuid() != 0) return;
  if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(102);
}

void killWhileRunning(const std::function<void()>& work, long microseconds) {
  int started[2];
  if (::pipe(started) != 0) return;
  const pid_t child = ::fork();
  if (child < 0) return;
  if (child == 0) {
    ::close(started[0]);
    const char ready = 1;
    if (::write(started[1], &ready, 1) != 1) ::_exit(103);
    work();
    ::_exit(0);
  }
  // The delay counts from the moment the work begins, not from the fork.
  ::close(started[1]);
  char ready = 0;
  if (::read(started[0], &ready, 1) != 1) ready = 0;
  ::close(started[0]);
  ::usleep(static_cast<useconds_t>(microseconds));
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
}

}  // namespace quorvel::test
