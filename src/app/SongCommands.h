#pragma once
// Commands that replace or clear the song: New, Open, Clear Melodies, Clear Drums.
#include <string>

namespace quorvel {

struct AppContext;
class CommandTable;

// Reads a MIDI file (the open dialog when the path is empty) after the
// save-changes question was answered; then shows both views afresh and the
// detected key. Answers the reader's result.
int openSong(AppContext& app, const std::string& path);

// Clears as the mask says after the save-changes question; answers the question's result.
int clearSongAfterQuestion(AppContext& app, int mask);

void bindSongCommands(CommandTable& table);

}  // namespace quorvel
