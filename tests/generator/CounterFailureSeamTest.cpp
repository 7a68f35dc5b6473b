// A user melody that climbs well away from where it began must still get
// counter lines past the first 32 beats: every later segment has to start
// near the melody as it stands there, not as it stood at the song's start.
#include <gtest/gtest.h>

#include <string>

#include "LineChecker.h"
#include "LineHarness.h"

namespace quorvel::testing {
namespace {

// C major from C2, seven scale steps up and one down, over and over: more
// than three octaves higher by beat 32, with no leap anywhere.
VoiceLine climbingMelody(int length) {
  static constexpr int kMajor[7]{0, 2, 4, 5, 7, 9, 11};
  VoiceLine melody;
  int degree = 0;
  for (int i = 0; i < length; ++i) {
    if (i > 0) degree += (i % 8 == 0) ? -1 : 1;
    if (i >= 40) degree = 24 + (i % 2);  // stay up high after the climb
    melody.push_back(36 + 12 * (degree / 7) + kMajor[degree % 7]);
  }
  return melody;
}


class CounterFailureSeam : public ::testing::TestWithParam<int> {};

TEST_P(CounterFailureSeam, LaterSegmentsFollowAMelodyThatHasClimbed) {
  const VoiceLine melody = climbingMelody(56);
  ASSERT_GE(melody[32] - melody[0], 36);  // the premise: three octaves up at the seam
  Request r;
  r.voices = GetParam();
  r.keyNote = 60;
  int successes = 0;
  constexpr int kSeeds = 8;
  for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
    r.seed = seed;
    const Outcome o = runCounter(r, melody);
    if (o.result != 14) continue;
    ++successes;
    const auto breaches = checkCounter(linesOf(r, o));
    ASSERT_TRUE(breaches.empty()) << "seed " << seed << ": " << breaches.front();
    for (int k = 1; k < r.voices; ++k) {
      const int below = melody[32] - o.lines[static_cast<std::size_t>(k)][32];
      EXPECT_GT(below, 0) << "seed " << seed << " line " << k;
      EXPECT_LT(below, 36) << "seed " << seed << " line " << k;
    }
  }
  // Started from where the melody began, no seed gets past beat 32.
  EXPECT_GE(successes, kSeeds / 2) << successes << " of " << kSeeds;
}

INSTANTIATE_TEST_SUITE_P(VoiceCounts, CounterFailureSeam, ::testing::Values(2, 3, 4),
                         [](const auto& info) { return "N" + std::to_string(info.param); });

}  // namespace
}  // namespace quorvel::testing
