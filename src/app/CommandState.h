#pragma once
// Whether a menu command has anything to act on right now, so that the menu
// can grey it: Undo with an empty history, Copy with nothing selected.
namespace quorvel {

struct AppContext;

bool isCommandAvailable(const AppContext& app, int commandId);

}  // namespace quorvel
