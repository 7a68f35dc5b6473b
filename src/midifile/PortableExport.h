#pragma once
// "Export MIDI for Other Programs...": a Standard MIDI File that a notation
// program or a sequencer plays as four instruments. Each voice has a track of
// its own with its name, its own channel (Soprano 1 .. Bass 4) and its General
// MIDI program; the drums go to channel 10; 480 ticks per quarter note. The
// program's own Save format is not changed by this.
#include <string>

#include "midifile/SmfBytes.h"

namespace quorvel {

struct Score;
class Ui;

inline constexpr int kPortableDivision = 480;

Bytes writePortableMidi(const Score& s);

// Asks for a path and writes the file; the song keeps its own file name.
// 0 written, -1 failed or cancelled.
int exportForOtherPrograms(Score& s, Ui& ui);

}  // namespace quorvel
