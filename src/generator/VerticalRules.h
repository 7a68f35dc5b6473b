#pragma once
// The rules between a lower voice and the voices it sounds against:
// distances, interval classes with their run counters, perfect
// consonances and parallel motion.
#include <array>

#include "generator/GeneratorContext.h"
#include "generator/ScaleNotes.h"

namespace quorvel {

// The line a lower voice writes, its attempt limit and its partner lines:
// [0] the top voice (second voice, bass) or the bass (inner voices),
// [1] the top voice (inner voices), [2] the tenor (alto); -1 when none.
struct VoiceRole {
  int line = 0;
  int attempts = 11;
  std::array<int, 3> partners{-1, -1, -1};
};
inline VoiceRole voiceRole(const GeneratorContext& ctx) {
  const int n = effectiveVoices(ctx);
  const int bassLine = n - 1;
  if (ctx.flags & kMiddleOfThree) return {1, 11, {bassLine, 0, -1}};
  if (ctx.flags & kTenorOfFour) return {2, 21, {bassLine, 0, -1}};
  if (ctx.flags & kAltoOfFour) return {1, 21, {bassLine, 0, 2}};
  if (ctx.flags & kSecondOfTwo) return {1, 11, {0, -1, -1}};
  return {bassLine, 11, {0, -1, -1}};
}

// Pitch of a line at a beat, or -1 (rest, empty or outside the line).
inline int linePitch(const GeneratorContext& ctx, int line, int beat) {
  if (line < 0 || line > 3 || beat < 0) return -1;
  const VoiceLine* l = ctx.lines[static_cast<std::size_t>(line)];
  if (!l || beat >= static_cast<int>(l->size())) return -1;
  const int p = (*l)[static_cast<std::size_t>(beat)];
  return p > 0 ? p : -1;
}

// The allowed distance below the top voice for the second voice or bass.
struct DistanceBand {
  int least;
  int below;  // distance must stay below this
};
DistanceBand outerBand(const GeneratorContext& ctx);

// Outside counter mode: whether ctx.candidate passes the vertical rules that
// look at its own beat alone (distances, range, interval classes). A
// candidate they turn away the full tests below turn away too.
bool outerPlaceFits(const GeneratorContext& ctx);
bool innerPlaceFits(GeneratorContext& ctx);

// Tests ctx.candidate of the second voice or the bass against the top voice.
Verdict testOuterVertical(GeneratorContext& ctx);
// Tests ctx.candidate of an inner voice against the bass, top voice and tenor.
Verdict testInnerVertical(GeneratorContext& ctx);

// Whether a fixed first note sounds acceptably against the voices above and below.
bool firstNoteFits(const GeneratorContext& ctx, const LineNote& note);
// Starts the run counters of a first note from its intervals.
void countFirstIntervals(const GeneratorContext& ctx, LineNote& note);

// A lowered note of a lower voice must still form a third or sixth with
// every voice it sounds against.
bool loweredNoteConsonant(const GeneratorContext& ctx, int beat, int loweredPitch);

}  // namespace quorvel
