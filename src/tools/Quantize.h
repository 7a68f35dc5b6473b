#pragma once
// Moving note onsets in time: to a grid, towards the onsets of another part, or
// at random by one step. Only the start of a note changes.
#include <cstdint>

namespace quorvel {

struct Score;
class Ui;
class Random;

// Scope flags of quantizeToGrid and shuffleNotes.
inline constexpr std::uint32_t kScopeAllSets = 0x200;
inline constexpr std::uint32_t kScopeBetweenLocators = 0x100;

// The quantizeToPart target that means: target from the "Quantize to:" setting,
// source the edited part, strength from the melody quantize strength.
inline constexpr int kTargetFromSettings = -10;

// Results: 0 done, -1 refused with a message, -2 nothing to do.
int quantizeToGrid(Score& s, Ui& ui, Random& random, std::uint32_t scopeFlags, int startX);

// A strengthOverride above 0 replaces the setting and limits the work to setIndex.
int shuffleNotes(Score& s, Ui& ui, Random& random, std::uint32_t scopeFlags, double strengthOverride,
                 int setIndex, int startX);

// target: a note-set index, or kTargetFromSettings (then sourceSet and strength are ignored).
int quantizeToPart(Score& s, Ui& ui, Random& random, int target, int sourceSet, double strength, int startX,
                   bool betweenLocators);

}  // namespace quorvel
