#pragma once
// The one table from command ids to operations, fed alike by menus, toolbar
// buttons and key chords. Every id is present with its refusal rule from the
// start; subsystems bind their operations to it at start-up.
#include <functional>
#include <unordered_map>
#include <vector>

namespace quorvel {

struct AppContext;

// When a command is refused. Busy: a generation run is in progress;
// infinite: infinite generation is running.
enum class Guard { None, NotBusy, NotInfinite, NotBusyOrInfinite };

// The action answers a result code (0 success, -1 failure, -2 nothing done).
// `arg` carries a check button's new state (1 down, 0 up) or a key's value.
using CommandAction = std::function<int(AppContext& app, int arg)>;

struct Command {
  Guard guard = Guard::None;
  // Generation commands trim the result to the timeline and are undone as one step.
  bool clipAfter = false;
  CommandAction action;    // empty: the operation is not built yet
};

class CommandTable {
 public:
  CommandTable();

  // Binds an operation to a known id; answers false for an unknown id.
  bool bind(int id, CommandAction action);
  const Command* find(int id) const;
  bool isBound(int id) const;
  std::vector<int> ids() const;
  std::vector<int> unboundIds() const;

 private:
  std::unordered_map<int, Command> commands_;
};

bool isRefused(const AppContext& app, Guard guard);

// Runs a command unless it is refused: answers its result, -2 when refused
// or unknown, -1 when its operation is not built yet. Refusals are silent.
int dispatch(AppContext& app, int id, int arg = 0);

}  // namespace quorvel
