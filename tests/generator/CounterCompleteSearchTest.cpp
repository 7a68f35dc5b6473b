// The complete search of counter lines, its relaxations and how they reach
// the user, and the driver's first try staying the random search's.
#include <gtest/gtest.h>

#include <algorithm>

#include "DriverFixture.h"
#include "LineChecker.h"
#include "LineHarness.h"
#include "generator/CounterCompleteSearch.h"
#include "generator/CounterLines.h"
#include "generator/GenerationCommands.h"
#include "generator/RelaxationText.h"

namespace quorvel {
namespace {

// A melody of wide leaps (5 to 8 semitones, both ways) that turns back
// inside a twelfth around middle C.
VoiceLines leapingMelody(int beats) {
  VoiceLines lines = emptyLines(beats);
  static const int moves[] = {7, -5, 8, -7, 5, 5, -8, -3, 7, -4, -5, 8};
  int pitch = 60;
  for (int b = 0; b < beats; ++b) {
    lines[0][static_cast<std::size_t>(b)] = pitch;
    pitch += moves[b % 12];
    if (pitch > 74 || pitch < 55) pitch -= 12 * (pitch > 74 ? 1 : -1);
  }
  return lines;
}

// Under a melody note a minor third above the lowest playable key no
// second voice fits its band: there alone it goes above the melody.
TEST(CounterCompleteSearch, RelaxesOnlyWhereNothingFitsAndSaysWhichRule) {
  VoiceLines lines = leapingMelody(24);
  lines[0][10] = 30;
  const std::vector<Relaxation> relaxed = searchCounterStretch(lines, {2, 0, 24, {}});
  ASSERT_EQ(relaxed.size(), 1u);
  EXPECT_EQ(relaxed[0].beat, 10);
  EXPECT_EQ(relaxed[0].line, 1);
  EXPECT_EQ(relaxed[0].rule, RelaxedRule::kDistanceToMelody);
  EXPECT_EQ(testing::checkCounter(lines, 2), std::vector<std::string>{});
  EXPECT_GE(*std::min_element(lines[1].begin(), lines[1].end()), kLowestPlayablePitch);
}

TEST(RelaxationText, NamesBarBeatVoicesAndRulesOncePerPlace) {
  const std::vector<NotePlace> places{{10, 20}, {30, 20}, {10 + 3 * 80 + 40, 20}};
  const std::vector<Relaxation> relaxed{{2, 3, RelaxedRule::kDistanceToMelody},
                                        {0, 1, RelaxedRule::kLowerVoiceClash},
                                        {2, 1, RelaxedRule::kFourthAboveBass}};
  const auto english = relaxationLines(relaxed, places, 4, 0);
  ASSERT_EQ(english.size(), 2u);
  EXPECT_EQ(english[0], "rules relaxed at bar 1 beat 1: alto: second, seventh or unison between inner voices");
  EXPECT_EQ(english[1], "rules relaxed at bar 4 beat 3: bass: distance to the melody; alto: fourth above the bass");
  EXPECT_EQ(relaxationStatus(english, 0), english[0] + " (and 1 more places)");
}

class CounterDriver : public test::DriverTest {};

// A melody that dips to MIDI 29 to 31: the second voice cannot stay under
// it there without going below the lowest playable key.
TEST_F(CounterDriver, ASongThatNeedsARelaxationSucceedsAndSaysWhere) {
  score.settings.melody[kKeyNote] = 60;
  writeMelody(kSopranoSet, {{2, 64, 4}, {6, 62, 4}, {10, 60, 4}, {14, 31, 4}, {18, 29, 4}, {22, 31, 4},
                            {26, 60, 4}, {30, 64, 4}, {34, 62, 4}, {38, 60, 4}});
  ASSERT_EQ(generateOneToOneA(env), 0) << lastMessage();
  ASSERT_FALSE(state.relaxedRules.empty());
  EXPECT_EQ(state.relaxedRules.front().rfind("rules relaxed at bar 2 beat 1: second voice: distance to the melody", 0),
            0u)
      << state.relaxedRules.front();
  EXPECT_EQ(ui.status(kStatusMessageField).rfind(state.relaxedRules.front(), 0), 0u);
  for (NoteCode c : notesOf(kAltoSet)) EXPECT_GE(melodyKey(c), kLowestPlayablePitch);
  EXPECT_EQ(notesOf(kAltoSet).size(), 10u);
}

// Where the random search finds the lines on its first try, the driver
// writes exactly what it found.
TEST_F(CounterDriver, TheRandomSearchsFirstTryIsKept) {
  VoiceLine melody(24);
  for (int b = 0; b < 24; ++b) melody[static_cast<std::size_t>(b)] = 60 + std::array{0, 2, 4, 5, 7, 5, 4, 2}[b % 8];
  int compared = 0;
  for (std::uint32_t seed = 1; seed <= 8; ++seed) {
    SCOPED_TRACE(seed);
    const testing::Request request{4, 24, 0, 60, seed};
    const testing::Outcome plain = testing::runCounter(request, melody);
    if (plain.result != kSearchSuccess || plain.tries != 1) continue;
    VoiceLines lines = emptyLines(24);
    lines[0] = melody;
    MelodySettings settings;
    settings[kKeyNote] = 60;
    random.seed(seed);
    std::vector<Relaxation> relaxed;
    ASSERT_EQ(runCounterDriver(env, settings, 4, 24, lines, {}, relaxed), 0);
    EXPECT_EQ(lines, plain.lines);
    EXPECT_TRUE(relaxed.empty());
    ++compared;
  }
  EXPECT_GE(compared, 2);
}

}  // namespace
}  // namespace quorvel
