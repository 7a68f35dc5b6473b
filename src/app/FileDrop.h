#pragma once
// Files dropped on the main window: a stored note sequence goes into the
// Soprano part, anything else is read as a MIDI file.
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

struct AppContext;

// Only the first file counts. Answers 0 when the drop was taken in, -1 when
// the file could not be read, -2 when refused, cancelled or nothing was dropped.
int dropFiles(AppContext& app, const std::vector<std::string>& paths);

}  // namespace quorvel
