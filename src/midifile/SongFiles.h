#pragma once
// The file commands over the score: Open, Save, Save As and Export MIDI
// Between Locators. The caller has asked the save-changes question where
// one is due. Results: 0 done, -1 failed or cancelled, -2 nothing to do.
#include <string>

namespace quorvel {

struct Score;
class Ui;

// Reads a MIDI file (the open dialog when `path` is empty). Merged reading
// finishes at once; track reading lets the user assign the tracks in the
// "Open" dialog, and Close there leaves the song as it was (-1).
int openSongFile(Score& s, Ui& ui, const std::string& path);

// Writes the song to its file (Save As when it has none); -2 when unmodified.
int saveSong(Score& s, Ui& ui);
int saveSongAs(Score& s, Ui& ui);
// Writes the notes between the locators, moved to the song's beginning, to a
// new file; the song, its title and its modified flag stay as they are.
int exportBetweenLocators(Score& s, Ui& ui);

}  // namespace quorvel
