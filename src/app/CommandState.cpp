#include "app/CommandState.h"

#include "app/AppContext.h"
#include "app/CommandIds.h"

namespace quorvel {

bool isCommandAvailable(const AppContext& app, int commandId) {
  const Command* command = app.commands.find(commandId);
  if (command && isRefused(app, command->guard)) return false;
  const Score& s = app.score;
  const UndoHistory& history = s.undo[static_cast<std::size_t>(s.activeSet())];
  switch (commandId) {
    case cmd::kUndo: return history.canUndo();
    case cmd::kRedo: return history.canRedo();
    case cmd::kCut:
    case cmd::kCopy:
    case cmd::kDelete: return !s.noteSets[kSelection].empty();
    case cmd::kPaste: return !s.clipboard.empty();
    default: return true;
  }
}

}  // namespace quorvel
