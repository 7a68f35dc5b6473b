#include "notation/NotationProgram.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

extern char** environ;

namespace quorvel::notation {

namespace {

// The program draws nothing: Qt's offscreen platform lets it run without a display.
std::vector<std::string> childEnvironment() {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e)
    if (std::string(*e).rfind("QT_QPA_PLATFORM=", 0) != 0) env.emplace_back(*e);
  env.emplace_back("QT_QPA_PLATFORM=offscreen");
  return env;
}

std::vector<char*> pointersTo(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

int waitWithTimeout(pid_t pid, int timeoutSeconds, bool& timedOut) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  int status = 0;
  while (::waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      timedOut = true;
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::string findNotationProgram() {
  const char* path = std::getenv("PATH");
  if (!path) return {};
  std::stringstream folders(path);
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (folder.empty()) continue;
    const std::filesystem::path candidate = std::filesystem::path(folder) / kNotationProgram;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
  }
  return {};
}

ProgramRun runNotationProgram(const std::string& program, const std::vector<std::string>& args, int timeoutSeconds,
                              const std::string& logPath) {
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<std::string> env = childEnvironment();
  auto argp = pointersTo(argv);
  auto envp = pointersTo(env);
  const std::string log = logPath.empty() ? "/dev/null" : logPath;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  ProgramRun run;
  pid_t pid = 0;
  run.started = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argp.data(), envp.data()) == 0;
  posix_spawn_file_actions_destroy(&actions);
  if (run.started) run.exitCode = waitWithTimeout(pid, timeoutSeconds, run.timedOut);
  return run;
}

ProgramRun convertWithNotationProgram(const std::string& program, const std::string& in, const std::string& out,
                                      int timeoutSeconds) {
  return runNotationProgram(program, {"-o", out, in}, timeoutSeconds);
}

}  // namespace quorvel::notation
