#pragma once
// Sub-commands of quorvel-cli register themselves here, one file each.
#include <functional>
#include <utility>
#include <string>
#include <vector>

namespace quorvel::cli {

using Args = std::vector<std::string>;
// Answers the process exit code: 0 success, 1 failure, 2 bad usage.
using Handler = std::function<int(const Args&)>;

struct Command {
  std::string name;
  std::string usage;  // one line, shown by "help"
  Handler run;
};

std::vector<Command>& registry();

struct Registration {
  Registration(std::string name, std::string usage, Handler run);
};

}  // namespace quorvel::cli
