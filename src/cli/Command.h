#pragma once
// quorvel-cli's sub-commands, one file each. A file declares its sub-command
// on the CLI11 app and registers it at namespace scope:
//
//   void addKey(CLI::App& cli) {
//     CLI::App* cmd = cli.add_subcommand("key", "Print the detected key of a MIDI file");
//     auto path = std::make_shared<std::string>();
//     cmd->add_option("FILE", *path, "the song")->required();
//     cmd->callback([path] { runKey(*path); });
//   }
//   const Registration kKey(addKey);
//
// Exit codes, the same for every sub-command:
//   0  done
//   1  the command failed: unreadable input, unwritable output, nothing to
//      work on, generation gave up
//   2  bad usage: unknown sub-command or option, missing or out-of-range value
// except "check", which answers like a test: 0 clean, 1 rules broken, 2 bad
// usage or input it cannot check.
// A failure or usage error ends with one line on stderr,
// "quorvel-cli COMMAND: message"; messages the program would show in a box
// come before it as "caption: text".
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace quorvel::cli {

enum ExitCode : int { kExitDone = 0, kExitFailed = 1, kExitUsage = 2 };

// Thrown by a sub-command that cannot do its work; the message names what
// went wrong (usually "PATH: what"), quorvel-cli prefixes the command. A
// command whose answer is its exit code (check: 1 means "rules broken")
// reports unusable input with kExitUsage so that the two stay apart.
class CommandFailed : public std::runtime_error {
 public:
  explicit CommandFailed(const std::string& message, int exitCode = kExitFailed)
      : std::runtime_error(message), exitCode_(exitCode) {}
  int exitCode() const { return exitCode_; }

 private:
  int exitCode_;
};

using AddCommand = std::function<void(CLI::App& cli)>;

std::vector<AddCommand>& registry();

struct Registration {
  explicit Registration(AddCommand add);
};

}  // namespace quorvel::cli
