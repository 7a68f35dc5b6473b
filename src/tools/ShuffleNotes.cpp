#include "model/Random.h"
#include "model/Score.h"
#include "tools/OnsetMover.h"
#include "tools/Quantize.h"
#include "tools/ToolSupport.h"

namespace quorvel {

namespace {

// A chosen note goes one step earlier (501 in 1000) or one step later; a note
// at the score's origin cannot go earlier because the division truncates.
NoteRule shuffleRule(double strength, Random& random) {
  return [strength, &random](NoteCode c) {
    if (strength * 1000 < random.r1000()) return c;
    const int p = positionOf(c);
    const int t = random.r1000() <= 500 ? p - 3 : p + 7;
    return withStart(c, t / kStepPixels + kSongStartStep);
  };
}

}  // namespace

int shuffleNotes(Score& s, Ui& ui, Random& random, std::uint32_t scopeFlags, double strengthOverride,
                 int setIndex, int startX) {
  const GeneralSettings& g = s.settings.general;
  const bool overridden = strengthOverride > 0;
  const double strength =
      overridden ? strengthOverride : (s.drumsEditMode() ? g.drumsShuffleStrength : g.melodyShuffleStrength);
  const auto range = scopeRange(s, scopeFlags, startX);
  if (strength < 1e-8 || !range) return -2;
  if (overridden && (setIndex < kBassSet || setIndex > kDrumSet3)) return -2;
  const std::vector<int> sets = overridden ? std::vector<int>{setIndex} : scopeSets(s, scopeFlags);
  return runOnsetTool(s, ui, *range, sets, shuffleRule(strength, random));
}

}  // namespace quorvel
