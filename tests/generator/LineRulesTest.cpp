// Runs many seeded requests through the engine and lets the independent
// checker read every finished line.
#include <gtest/gtest.h>

#include <string>

#include "LineChecker.h"
#include "LineHarness.h"

namespace quorvel::testing {
namespace {

struct Sweep {
  int voices;
  int length;
  int seedsPerMode;
};

std::string describe(const Request& r) {
  return "N=" + std::to_string(r.voices) + " L=" + std::to_string(r.length) + " mode=" + std::to_string(r.mode) +
         " key=" + std::to_string(r.keyNote) + " seed=" + std::to_string(r.seed);
}


// Success rates below these mean the rules or the search regressed. Counter
// lines succeed less often: a user's melody can leave a segment no way on.
constexpr double kLeastSuccess = 0.9;
constexpr double kLeastCounterSuccess = 0.7;

class EvokedLines : public ::testing::TestWithParam<Sweep> {};

TEST_P(EvokedLines, EveryResultObeysTheRules) {
  const Sweep sweep = GetParam();
  int successes = 0, requests = 0;
  for (int mode = 0; mode < 6; ++mode) {
    for (int i = 0; i < sweep.seedsPerMode; ++i) {
      Request r;
      r.voices = sweep.voices;
      r.length = sweep.length;
      r.mode = mode;
      r.keyNote = 48 + (i * 5) % 25;
      r.seed = static_cast<std::uint32_t>(1000003u * (i + 1) + 7u * mode + sweep.voices);
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

class CounterLines : public ::testing::TestWithParam<int> {};

TEST_P(CounterLines, VoicesUnderAGivenMelodyObeyTheRules) {
  const int voices = GetParam();
  int successes = 0, requests = 0;
  for (int mode = 0; mode < 6; ++mode) {
    for (int i = 0; i < (voices == 2 ? 25 : 10); ++i) {
      Request melodyRequest;
      melodyRequest.voices = 1;
      melodyRequest.length = 40;  // two segments of 32 and 8 beats
      melodyRequest.mode = mode;
      melodyRequest.keyNote = 60 + i % 12;
      melodyRequest.seed = static_cast<std::uint32_t>(77u * (i + 1) + mode);
      const Outcome melody = runEvoked(melodyRequest);
      ASSERT_EQ(melody.result, 14);
      Request r = melodyRequest;
      r.voices = voices;
      r.seed += 1;
      const Outcome o = runCounter(r, melody.lines[0]);
      ++requests;
      if (o.result != 14) continue;
      ++successes;
      const auto breaches = checkCounter(linesOf(r, o));
      ASSERT_TRUE(breaches.empty()) << describe(r) << ": " << breaches.front();
    }
  }
  EXPECT_GE(successes, kLeastCounterSuccess * requests) << successes << " of " << requests;
}

INSTANTIATE_TEST_SUITE_P(VoiceCounts, CounterLines, ::testing::Values(2, 3, 4),
                         [](const auto& info) { return "N" + std::to_string(info.param); });

TEST(CounterLines, BigLeapsInTheMelodyAreFollowedByOctaveMoves) {
  // A user melody leaping by octaves and more: counter mode allows the
  // lower voice to follow instead of failing.
  VoiceLine melody;
  for (int i = 0; i < 24; ++i) melody.push_back(i % 4 < 2 ? 72 + (i % 2) * 2 : 84 - (i % 2) * 3);
  Request r;
  r.voices = 2;
  r.keyNote = 60;
  int successes = 0;
  for (std::uint32_t seed = 1; seed <= 50; ++seed) {
    r.seed = seed;
    const Outcome o = runCounter(r, melody);
    if (o.result != 14) continue;
    ++successes;
    const auto breaches = checkCounter(linesOf(r, o));
    ASSERT_TRUE(breaches.empty()) << "seed " << seed << ": " << breaches.front();
  }
  EXPECT_GT(successes, 25);
}

}  // namespace
}  // namespace quorvel::testing
