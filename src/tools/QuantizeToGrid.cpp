#include <array>

#include "model/Random.h"
#include "model/Score.h"
#include "tools/OnsetMover.h"
#include "tools/Quantize.h"
#include "tools/ToolSupport.h"

namespace quorvel {

namespace {

constexpr std::array<int, 4> kMelodyGrid{10, 20, 40, 80};  // "1/8", "1/4", "1/2", "1/1"
constexpr std::array<int, 2> kDrumGrid{10, 20};            // "1/8", "1/4"

template <std::size_t N>
int gridWidth(const std::array<int, N>& table, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < N ? table[static_cast<std::size_t>(index)] : table[0];
}

// Deterministic: a note snaps when it lies close enough to a line for the strength.
NoteRule melodyGridRule(int r, double strength) {
  return [r, strength](NoteCode c) {
    const int p = positionOf(c);
    const int h = r / 2;
    const int d = p % r;
    const int dist = d < h ? d : r - d;
    return strength >= static_cast<double>(dist) / h ? atPosition(c, nearestGridLine(p, r)) : c;
  };
}

// Random: the strength is the probability that a hit snaps.
NoteRule drumGridRule(int r, double strength, Random& random) {
  return [r, strength, &random](NoteCode c) {
    const int draw = random.r1000();
    return strength * 1000 >= draw ? atPosition(c, nearestGridLine(positionOf(c), r)) : c;
  };
}

}  // namespace

int quantizeToGrid(Score& s, Ui& ui, Random& random, std::uint32_t scopeFlags, int startX) {
  const GeneralSettings& g = s.settings.general;
  const bool drums = s.drumsEditMode();
  const double strength = drums ? g.drumsQuantizeStrength : g.melodyQuantizeStrength;
  const auto range = scopeRange(s, scopeFlags, startX);
  if (strength < 1e-8 || !range) return -2;
  const NoteRule rule = drums ? drumGridRule(gridWidth(kDrumGrid, g.drumsQuantizeResolution), strength, random)
                              : melodyGridRule(gridWidth(kMelodyGrid, g.melodyQuantizeResolution), strength);
  return runOnsetTool(s, ui, *range, scopeSets(s, scopeFlags), rule);
}

}  // namespace quorvel
