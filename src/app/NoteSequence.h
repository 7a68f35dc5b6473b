#pragma once
// Stored note sequences: the text of blank-separated hexadecimal note codes
// that the remote generation keeps and that the user may drop on the window.
#include <string_view>

namespace quorvel {

struct Score;

// A stored note sequence is named "...g1" to "...g4".
bool isNoteSequenceName(std::string_view path);

// Places the codes of a note sequence into the Soprano part from `startStep`
// on, one after the other; answers how many notes were placed.
int placeNoteSequence(Score& s, std::string_view text, int startStep);

}  // namespace quorvel
