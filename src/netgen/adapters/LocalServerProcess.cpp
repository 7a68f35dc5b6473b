#include "netgen/adapters/LocalServerProcess.h"

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quorvel {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(100);
constexpr auto kStopGrace = std::chrono::seconds(3);

}  // namespace

LocalServerProcess::LocalServerProcess(std::filesystem::path programDir, std::shared_ptr<HttpClient> http,
                                       std::chrono::milliseconds readyWithin)
    : programDir_(std::move(programDir)), http_(std::move(http)), readyWithin_(readyWithin) {}

LocalServerProcess::~LocalServerProcess() { stop(); }

bool LocalServerProcess::answers(const ServerAddress& address) {
  return http_->get(aiTypesUrl(address)).outcome != HttpReply::Outcome::Unreachable;
}

bool LocalServerProcess::running() {
  if (child_ <= 0) return false;
  int status = 0;
  if (waitpid(child_, &status, WNOHANG) == 0) return true;
  child_ = -1;
  return false;
}

bool LocalServerProcess::start(const ServerAddress& address) {
  const std::filesystem::path program = programDir_ / kServerProgramName;
  if (child_ > 0 || access(program.c_str(), X_OK) != 0) return false;
  // Everything the child needs is made before fork: after it only
  // async-signal-safe calls are allowed.
  const std::string path = program.string(), dir = programDir_.string();
  const std::string listen = address.host + ":" + std::to_string(address.port);
  std::vector<char*> argv{const_cast<char*>(path.c_str()), const_cast<char*>("--listen"),
                          const_cast<char*>(listen.c_str()), nullptr};
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    if (chdir(dir.c_str()) == 0) execv(path.c_str(), argv.data());
    _exit(127);
  }
  child_ = pid;
  const auto deadline = std::chrono::steady_clock::now() + readyWithin_;
  while (std::chrono::steady_clock::now() < deadline) {
    if (!running()) return false;
    if (answers(address)) return true;
    std::this_thread::sleep_for(kPollInterval);
  }
  return false;
}

void LocalServerProcess::stop() {
  if (!running()) return;
  kill(child_, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + kStopGrace;
  while (running() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(kPollInterval);
  if (running()) {
    kill(child_, SIGKILL);
    waitpid(child_, nullptr, 0);
  }
  child_ = -1;
}

}  // namespace quorvel
