#pragma once
// The melodic rules every voice obeys: tabu, range under the peak, leaps,
// direction with the tritone-outline mend, and dominant clusters.
#include "generator/GeneratorContext.h"

namespace quorvel {

inline bool isMelodyRole(const GeneratorContext& ctx) { return (ctx.flags & kRoleFlags) == 0; }
inline bool isInnerRole(const GeneratorContext& ctx) { return (ctx.flags & kInnerRoles) != 0; }
inline bool inCounterMode(const GeneratorContext& ctx) { return (ctx.flags & kCounterMode) != 0; }

// No leap of exactly 6 semitones; outside counter mode none of 9 or more.
bool leapAllowed(const GeneratorContext& ctx, int fromPitch, int toPitch);

// Whether the note at `beat` (a committed note or the candidate) may sound
// a semitone lower without breaking the rules against its neighbours.
bool mayLowerNote(const GeneratorContext& ctx, int beat);

// The tritone outline between the note at previousBeat and the note two
// beats before it, continued by nextPitch. Mends it by lowering a leading
// tone (at commit, or the candidate at once); false when it must be rejected.
bool passesTritoneOutline(GeneratorContext& ctx, int previousBeat, int nextPitch);

// Rules 8.1 to 8.8 for ctx.candidate after ctx.current; sets the
// candidate's motion class and the direction-changed flag.
Verdict testMelodicRules(GeneratorContext& ctx);

}  // namespace quorvel
