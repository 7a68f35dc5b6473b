#pragma once
// Brings source lines to the shape the generation models are trained on: the
// earliest note at the song's beginning, the key note at MIDI key 60.
#include <array>
#include <cstdint>

#include "learning/LearningSong.h"

namespace quorvel {

// Shifts and transposes lines 3 down to lowestPart (the others are left as
// they are); keyNote is the MIDI key that becomes 60. Answers the time offset
// in x that was taken off. An empty line among them makes the offset 0.
int normaliseLines(std::array<Line, 4>& lines, int lowestPart, int keyNote);

}  // namespace quorvel
