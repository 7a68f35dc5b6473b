#pragma once
// Runs a measurement in a child process, as root or as an ordinary user
// (root drops to nobody), optionally with the machine's cores kept busy by
// spinning processes that end on their own. The child reports its figures
// through a pipe.
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

namespace quorvel::bench {

enum class Who {
  Root,
  User,  // RLIMIT_RTPRIO 0, as most desktop users
};

// Spinning processes, two for each core, that stop when destroyed or after
// `bound` seconds, whichever comes first.
class CpuLoad {
 public:
  CpuLoad(unsigned processes, unsigned boundSeconds) {
    for (unsigned i = 0; i < processes; ++i) {
      const pid_t pid = fork();
      if (pid == 0) {
        alarm(boundSeconds);
        volatile unsigned long spins = 0;
        for (;;) spins = spins + 1;
      }
      if (pid > 0) pids_.push_back(pid);
    }
  }
  ~CpuLoad() {
    for (pid_t pid : pids_) kill(pid, SIGKILL);
    for (pid_t pid : pids_) waitpid(pid, nullptr, 0);
  }
  CpuLoad(const CpuLoad&) = delete;
  CpuLoad& operator=(const CpuLoad&) = delete;

 private:
  std::vector<pid_t> pids_;
};

inline bool becomeUser(Who who) {
  if (who == Who::Root) return geteuid() == 0;
  const rlimit rtprio{0, 0};
  if (setrlimit(RLIMIT_RTPRIO, &rtprio) != 0) return false;
  if (geteuid() != 0) return true;
  constexpr gid_t kNobodyGroup = 65534;
  constexpr uid_t kNobody = 65534;
  return setgroups(0, nullptr) == 0 && setgid(kNobodyGroup) == 0 && setuid(kNobody) == 0;
}

// The child's figures, or nothing when it could not take the identity or failed.
inline std::optional<std::vector<double>> runAs(Who who, const std::function<std::vector<double>()>& measure) {
  int fds[2];
  if (pipe(fds) != 0) return std::nullopt;
  const pid_t pid = fork();
  if (pid < 0) return std::nullopt;
  if (pid == 0) {
    close(fds[0]);
    if (!becomeUser(who)) std::_Exit(3);
    const std::vector<double> figures = measure();
    const auto bytes = static_cast<ssize_t>(figures.size() * sizeof(double));
    std::_Exit(write(fds[1], figures.data(), static_cast<std::size_t>(bytes)) == bytes ? 0 : 4);
  }
  close(fds[1]);
  std::vector<double> figures;
  double value = 0.0;
  while (read(fds[0], &value, sizeof value) == static_cast<ssize_t>(sizeof value)) figures.push_back(value);
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return figures;
}

}  // namespace quorvel::bench
