#pragma once
// Files dropped on the main window: a stored note sequence goes into the
// Soprano part, anything else is read as a MIDI file.
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

struct AppContext;
struct Score;

// A stored note sequence is named "...g1" to "...g4".
bool isNoteSequenceName(std::string_view path);

// Places the blank-separated hexadecimal codes of a note sequence into the
// Soprano part from `startStep` on; answers how many notes were placed.
int placeNoteSequence(Score& s, std::string_view text, int startStep);

// Only the first file counts. Answers 0 when the drop was taken in, -1 when
// the file could not be read, -2 when refused, cancelled or nothing was dropped.
int dropFiles(AppContext& app, const std::vector<std::string>& paths);

}  // namespace quorvel
