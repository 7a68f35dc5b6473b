#include "CliRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace quorvel::test {
namespace {

std::string contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::filesystem::path scratchRoot() {
  return std::filesystem::temp_directory_path() / ("quorvel-cli-test-" + std::to_string(getpid()));
}

// Removes this run's scratch files when the tests are over.
class ScratchCleanup : public ::testing::Environment {
 public:
  void TearDown() override { std::filesystem::remove_all(scratchRoot()); }
};

const auto* const kCleanup = ::testing::AddGlobalTestEnvironment(new ScratchCleanup);

}  // namespace

std::string scratchFolder(const std::string& name) {
  const auto folder = scratchRoot() / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder.string();
}

CliRun runCli(const std::vector<std::string>& args) {
  const std::string folder = scratchFolder("output");
  const std::string outPath = folder + "/stdout", errPath = folder + "/stderr";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<std::string> argv{QUORVEL_CLI};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> cargs;
  for (std::string& a : argv) cargs.push_back(a.data());
  cargs.push_back(nullptr);
  CliRun run;
  pid_t pid = 0;
  if (posix_spawn(&pid, QUORVEL_CLI, &actions, nullptr, cargs.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = contents(outPath);
  run.err = contents(errPath);
  return run;
}

}  // namespace quorvel::test
