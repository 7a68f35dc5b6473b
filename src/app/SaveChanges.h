#pragma once
// The question asked before a command discards the song.

namespace quorvel {

struct AppContext;

// 0 go on (unmodified, saved, or No); -1 the save failed or its dialog was
// cancelled; -2 the user answered Cancel. Anything but 0 stops the caller.
int askSaveChanges(AppContext& app);

}  // namespace quorvel
