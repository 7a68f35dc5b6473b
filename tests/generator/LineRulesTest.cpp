// Runs many seeded requests through the engine and lets the independent
// checker read every finished line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LineChecker.h"
#include "LineHarness.h"

namespace quorvel::testing {
namespace {

struct Sweep {
  int voices, length, seedsPerMode;
};

std::string describe(const Request& r) {
  return "N=" + std::to_string(r.voices) + " L=" + std::to_string(r.length) + " mode=" + std::to_string(r.mode) +
         " key=" + std::to_string(r.keyNote) + " seed=" + std::to_string(r.seed);
}

// A success rate below this means the rules or the search regressed.
constexpr double kLeastSuccess = 0.9;

class EvokedLines : public ::testing::TestWithParam<Sweep> {};

TEST_P(EvokedLines, EveryResultObeysTheRules) {
  const Sweep sweep = GetParam();
  int successes = 0, requests = 0;
  for (int mode = 0; mode < 6; ++mode) {
    for (int i = 0; i < sweep.seedsPerMode; ++i) {
      const Request r{sweep.voices, sweep.length, mode, 48 + (i * 5) % 25,
                      static_cast<std::uint32_t>(1000003u * (i + 1) + 7u * mode + sweep.voices)};
      const Outcome o = runEvoked(r);
      ++requests;
      if (o.result != 14) continue;
      ++successes;
      const auto breaches = checkEvoked(linesOf(r, o));
      ASSERT_TRUE(breaches.empty()) << describe(r) << ": " << breaches.front();
    }
  }
  EXPECT_GE(successes, kLeastSuccess * requests) << successes << " of " << requests;
}

INSTANTIATE_TEST_SUITE_P(VoiceCounts, EvokedLines,
                         ::testing::Values(Sweep{1, 16, 400}, Sweep{1, 32, 60}, Sweep{2, 16, 200}, Sweep{2, 24, 40},
                                           Sweep{3, 16, 100}, Sweep{3, 24, 20}, Sweep{4, 16, 40},
                                           Sweep{4, 24, 10}),
                         [](const auto& info) {
                           return "N" + std::to_string(info.param.voices) + "L" + std::to_string(info.param.length);
                         });

// Counter lines under one melody for seeds 1..count: every success must obey
// the rules; answers the successes.
std::vector<Outcome> checkedCounterRuns(Request r, const VoiceLine& melody, std::uint32_t count) {
  std::vector<Outcome> successes;
  for (r.seed = 1; r.seed <= count; ++r.seed) {
    Outcome o = runCounter(r, melody);
    if (o.result != 14) continue;
    const auto breaches = checkCounter(o.lines, r.voices);
    if (!breaches.empty()) {
      ADD_FAILURE() << describe(r) << ": " << breaches.front();
      break;
    }
    successes.push_back(std::move(o));
  }
  return successes;
}

TEST(CounterLines, BigLeapsInTheMelodyAreFollowedByOctaveMoves) {
  // A user melody leaping by octaves and more: counter mode allows the
  // lower voice to follow instead of failing.
  VoiceLine melody;
  for (int i = 0; i < 24; ++i) melody.push_back(i % 4 < 2 ? 72 + (i % 2) * 2 : 84 - (i % 2) * 3);
  EXPECT_GT(checkedCounterRuns(Request{.voices = 2}, melody, 50).size(), 25u);
}

// A user melody that climbs well away from where it began must still get
// counter lines past the first 32 beats: every later segment has to start
// near the melody as it stands there, not as it stood at the song's start.
//
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
  const Request r{.voices = GetParam()};
  constexpr std::uint32_t kSeeds = 8;
  const auto successes = checkedCounterRuns(r, melody, kSeeds);
  for (const Outcome& o : successes) {
    for (int k = 1; k < r.voices; ++k) {
      const int below = melody[32] - o.lines[static_cast<std::size_t>(k)][32];
      EXPECT_GT(below, 0) << "line " << k;
      EXPECT_LT(below, 36) << "line " << k;
    }
  }
  // Started from where the melody began, no seed gets past beat 32.
  EXPECT_GE(successes.size(), kSeeds / 2);
}

INSTANTIATE_TEST_SUITE_P(VoiceCounts, CounterFailureSeam, ::testing::Values(2, 3, 4),
                         [](const auto& info) { return "N" + std::to_string(info.param); });

}  // namespace
}  // namespace quorvel::testing
