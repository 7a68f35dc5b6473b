#pragma once
// Building LineNotes from scale degrees of the request's mode and key.
#include "generator/GeneratorContext.h"

namespace quorvel {

// N, with drum-only requests counted as one voice.
inline int effectiveVoices(const GeneratorContext& ctx) {
  return ctx.voiceCount == kDrumOnlyVoices ? 1 : ctx.voiceCount;
}

// Degree `degree` of the mode (0 = tonic, may be negative or above 7),
// shifted by whole octaves of `semitoneShift`, placed at `beat`.
LineNote degreeNote(const GeneratorContext& ctx, int degree, int semitoneShift, int beat);

// `steps` scale steps away from a note (a lowered note regains its semitone).
LineNote stepFrom(const GeneratorContext& ctx, const LineNote& from, int steps, int beat);

// A note for any pitch: on the scale when it is a scale tone, else marked
// as lowered from the scale tone above it.
LineNote noteForPitch(const GeneratorContext& ctx, int pitch, int beat);

// The highest pitch of the pitch class of `pitch` that is not above `limit`.
int highestOfClassAtMost(int pitch, int limit);

}  // namespace quorvel
