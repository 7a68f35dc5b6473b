#pragma once
// Evoked lines: a new melody with up to three voices below it, written into
// the parts counted down from the active part.
#include "generator/GenerationEnv.h"
#include "generator/GenerationVoices.h"

namespace quorvel {

// Where a request came from: a toolbar button ("0to1A".."0to4A"), the options
// button "0toN" (line count from the settings, drums may follow), or the
// infinite generation.
enum class EvokedSource { Button, Options, Infinite };

inline constexpr int kMaxEvokedBeats = 64;
inline constexpr int kDrumsOnlyEvokedLines = 4;  // "0:D"

// The command. `buttonVoices` (1..4) counts for Button requests only.
// Answers 0 when lines were written, -1 after a message, -2 when nothing was
// done (busy, refused part, question cancelled, request cancelled).
int generateEvokedLines(GenerationEnv& env, int buttonVoices, EvokedSource source);

// Empties what new lines replace: the notes between the locators, or the
// melody parts (after the save-changes question when they hold edited
// material). The neural generator (`neural`) keeps the parts it is asked to
// extend. Answers 0 with the region's start and beats, -1 after a
// message, -2 when the question stopped the command.
int prepareEvokedRegion(GenerationEnv& env, EvokedSource source, int voiceCount, bool neural, int& startX,
                        int& beats);

// Searches `voiceCount` lines of `beats` beats with the retries of the request;
// shows "Failed to generate lines" when every try failed. 0 success, -1
// failure, -2 cancelled.
int runEvokedDriver(GenerationEnv& env, const MelodySettings& settings, int voiceCount, int beats,
                    VoiceLines& lines);

// Line k goes to part topPart - k, one beat (4 steps) per entry from startX;
// empty beats and pitches outside 1..121 are skipped.
void writeEvokedLines(Score& score, const VoiceLines& lines, int voiceCount, int beats, int topPart, int startX);

}  // namespace quorvel
