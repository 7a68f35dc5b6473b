#pragma once
// Counter lines: one to three voices below a melody that the user wrote,
// keeping the melody's rhythm note for note.
#include <vector>

#include "generator/CounterCompleteSearch.h"
#include "generator/CounterMelody.h"
#include "generator/GenerationEnv.h"
#include "generator/GenerationVoices.h"

namespace quorvel {

inline constexpr int kMinCounterMelodyNotes = 8;

// The command for N voices in all (2, 3 or 4; the top one is the melody of the
// active part). Answers 0 when the voices were written, -1 after a message or
// a cancel, -2 when nothing was done (busy, refused part, question cancelled).
int generateCounterLines(GenerationEnv& env, int voiceCount);

// Searches the lower voices against line 0 in segments of 32 beats: the
// random search first, the complete search where it finds nothing. 0
// success; -1 when the request was cancelled. `frame` places the lines'
// keys among the real ones; `relaxed` receives the rules broken on the way.
int runCounterDriver(GenerationEnv& env, const MelodySettings& settings, int voiceCount, int beats,
                     VoiceLines& lines, const PitchFrame& frame, std::vector<Relaxation>& relaxed);

// Voice k goes to part topPart - k; its note i sounds where melody note i
// does, shifted from the frame of middle C back to keyNote.
void writeCounterLines(Score& score, const VoiceLines& lines, int voiceCount, const std::vector<NotePlace>& places,
                       int topPart, int keyNote);

}  // namespace quorvel
