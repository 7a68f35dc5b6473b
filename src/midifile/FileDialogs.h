#pragma once
// The MIDI open and save dialogs, starting in the folders the user last chose.
#include <string>

namespace quorvel {

struct Score;
class Ui;

inline constexpr int kOpenFolderSlot = 0;
inline constexpr int kSaveFolderSlot = 1;

// The chosen path, or empty when cancelled; the chosen folder is remembered.
std::string askMidiOpenPath(Score& s, Ui& ui);
std::string askMidiSavePath(Score& s, Ui& ui, const std::string& initialName);

}  // namespace quorvel
