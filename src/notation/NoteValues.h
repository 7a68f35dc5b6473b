#pragma once
// Notated values on the sixteenth grid of a 4/4 measure (16 steps): whole to
// sixteenth, dotted where exact. A value starts only where it lines up with
// the beats (a half on beat 1 or 3, a dotted quarter on beat 1 or 3, a
// quarter or dotted eighth on a beat), so longer notes are tied across beats
// the way a reader expects.
#include <vector>

namespace quorvel::notation {

inline constexpr int kStepsPerMeasure = 16;
inline constexpr int kDivisionsPerQuarter = 4;  // one division is one step

// The lengths, in steps, of the tied values that notate `length` steps
// starting `position` steps into a measure; position + length <= 16.
std::vector<int> notatedLengths(int position, int length);

// MusicXML's <type> of a notated length ("whole", "half", "quarter",
// "eighth", "16th") and whether it carries a dot.
const char* noteTypeOf(int steps);
bool isDotted(int steps);

}  // namespace quorvel::notation
