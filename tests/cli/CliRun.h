#pragma once
// Runs quorvel-cli as a child process and keeps what it printed.
#include <string>
#include <vector>

namespace quorvel::test {

struct CliRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

CliRun runCli(const std::vector<std::string>& args);

// A fresh empty folder for one test's files.
std::string scratchFolder(const std::string& name);

}  // namespace quorvel::test
