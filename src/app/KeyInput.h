#pragma once
// Key events of the main window: shortcuts go through the command table,
// note keys play and release real-time notes.
#include "app/KeyChord.h"

namespace quorvel {

struct AppContext;

// Answers true when the key was a shortcut or a note key.
bool handleKeyDown(AppContext& app, const KeyChord& chord);
void handleKeyUp(AppContext& app, const KeyChord& chord);

}  // namespace quorvel
