#pragma once
// The cut that keeps an endless song inside the timeline: the melody played
// before the cut goes, the rest moves to the song's beginning.
#include "model/Score.h"

namespace quorvel {

// Removes from the four melody parts and the melody view every note that
// starts before cutX and moves the others left so that cutX lands on the
// song's beginning. The selection and the parts' undo histories go too: they
// name notes where they were. Answers how far the notes moved (cutX - 10).
int cutAndShiftMelody(Score& s, int cutX);

}  // namespace quorvel
