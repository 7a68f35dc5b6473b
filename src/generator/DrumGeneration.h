#pragma once
// Drums from the pattern library: "0toDA" (a pattern for the melody length
// from the song's start) and "NtoDA" (patterns along the melody of the active
// part), also the drums that may follow evoked lines.
#include "generator/GenerationEnv.h"

namespace quorvel {

// Writes `lengthSteps` steps of `pattern` (64 when not positive) from timeline
// position startX, repeating it as needed and stopping at its end word.
// Accents go to drum set 7 (velocity 127), normal hits to set 6 (velocity 100).
void writeDrumPattern(Score& score, const DrumPattern& pattern, int startX, int lengthSteps);

// The drums command. `startX` > 10 fixes where drums along the melody begin
// (the follow-up of evoked lines); otherwise it is taken from the active part.
// Answers 0 when drums were written, -1 after a refusal message, -2 when
// nothing was done (busy, or the save-changes question stopped it).
int generateDrums(GenerationEnv& env, bool alongMelody, int startX = 0);

// The same for a command that already holds the busy bit.
int generateDrumsWhileBusy(GenerationEnv& env, bool alongMelody, int startX);

}  // namespace quorvel
