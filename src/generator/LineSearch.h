#pragma once
// The rule-based composer: writes one voice line at a time by weighted
// random choice with rejection and backtracking. The driver prepares a
// context, calls the voices in order, and owns retries and the windows.
//
// Line indices by voice count N: N = 2 second voice -> line 1; N = 3 bass ->
// line 2, middle -> line 1; N = 4 bass -> line 3, tenor -> line 2, alto -> line 1.
#include <array>

#include "generator/GeneratorContext.h"

namespace quorvel {

// Zero the context and fill it for one request. lineLength overrides the
// melody-length setting; lines[0] holds the top voice (filled beforehand in
// counter mode); every line must hold at least lineLength entries. The
// request's start time is taken from hooks.nowMs.
void prepareContext(GeneratorContext& ctx, const MelodySettings& settings, int lineLength,
                    const std::array<VoiceLine*, 4>& lines, int voiceCount, Random& random,
                    GeneratorHooks hooks = {});

// Counter mode: the top voice is the user's. The lower voices then start
// each segment (beats 32*(segment-1) ..) from the line itself, skip the
// ending and first-note formulas, and repair distances by octaves.
void setCounterMode(GeneratorContext& ctx, bool on);

// Line 0. Repeats attempts until a melody passes validateMelody:
// kSearchSuccess, kSearchCancelled, or kSearchFailed when no melody can
// exist (L < 6).
int generateMelody(GeneratorContext& ctx);

// One lower voice against the lines already written: kSearchSuccess or
// kSearchFailed (kSearchCancelled when cancelled). 11 attempts each; 21 for the tenor and the alto.
int generateSecondVoice(GeneratorContext& ctx);
int generateBass(GeneratorContext& ctx);
int generateMiddleVoice(GeneratorContext& ctx);
int generateTenor(GeneratorContext& ctx);
int generateAlto(GeneratorContext& ctx);

// 0 when the melody is acceptable, -1 otherwise.
int validateMelody(const GeneratorContext& ctx, const VoiceLine& line, int lineLength);

// Stops the running search at its next check (status and cancel word kSearchCancelled).
void cancel(GeneratorContext& ctx);

// Real-time voices over a window of kRealtimeWindow beats per line (entry 3
// the newest). The context is prepared with N = counter voices + 1 and four
// lines of at least four entries.
inline constexpr int kRealtimeWindow = 4;

// First played note: line 0 becomes {p, p, -1, p}, the lower lines start
// from their first-note formulas placed under p, on the same entries.
// kSearchSuccess when every voice found a note that obeys its rules,
// kSearchFailed when one had to fall back (or the input is unusable),
// kSearchCancelled when cancelled.
int startRealtimeVoices(GeneratorContext& ctx, int playedPitch);

// Every further note: the caller has shifted line 0 and put the played
// pitch at entry 3. Shifts the lower lines and searches one beat per voice
// (bass or second voice first); the new notes stand at entry 3. Codes as
// startRealtimeVoices.
int nextRealtimeBeat(GeneratorContext& ctx);

}  // namespace quorvel
