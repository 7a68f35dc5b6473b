// Counter lines under real melodies, end to end through the command: every
// song succeeds to its end, and what it writes obeys the rules of the
// independent checker and stays in playable ranges. The game tunes are the
// songs that failed before the complete search came in.
#include <filesystem>

#include "DriverFixture.h"
#include "LineChecker.h"
#include "RealSongs.h"
#include "support/TestData.h"
#include "generator/GenerationCommands.h"
#include "generator/VoiceRanges.h"

namespace quorvel {
namespace {

struct Mode {
  const char* name;
  int voices;
};
constexpr Mode kModes[] = {{"1to1A", 2}, {"1to2A", 3}, {"1to3A", 4}};

class CounterSong : public test::DriverTest, public ::testing::WithParamInterface<std::filesystem::path> {
 protected:
  // Runs every mode on the loaded melody and checks what it wrote; a melody
  // that never sinks low leaves no rule to relax.
  void expectSoundLinesInEveryMode(bool withoutRelaxing = false) {
    const int melodyNotes = static_cast<int>(score.noteSets[kSopranoSet].size());
    for (const Mode& mode : kModes) {
      SCOPED_TRACE(mode.name);
      clock = 4242;  // the seed of the request
      score.setFlag(kFlagUntouchedResult);
      ASSERT_EQ(runLocalGeneration(env, mode.name).value(), 0) << lastMessage();
      const auto breaches = testing::checkCounter(testing::counterLinesOf(score, mode.voices), mode.voices);
      EXPECT_TRUE(breaches.empty()) << breaches.size() << " breaches, first: " << breaches.front();
      EXPECT_EQ(testing::notesBelow(score, mode.voices, kLowestPlayablePitch), 0);
      EXPECT_EQ(static_cast<int>(score.noteSets[kSopranoSet].size()), melodyNotes);
      for (const std::string& text : state.relaxedRules) EXPECT_EQ(text.rfind("rules relaxed at bar ", 0), 0u) << text;
      if (withoutRelaxing) {
        EXPECT_EQ(state.relaxedRules, std::vector<std::string>{});
      }
    }
  }
};

TEST_P(CounterSong, RegulatedGameTune) {
  if (!std::filesystem::exists(GetParam())) GTEST_SKIP() << "openmsx songs are not installed";
  ASSERT_TRUE(testing::loadRegulatedSong(score, ui, GetParam()));
  expectSoundLinesInEveryMode();
}

std::string songName(const ::testing::TestParamInfo<std::filesystem::path>& info) {
  std::string name = info.param.stem().string();
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

// Each failed in at least one mode before; listed by name so that a missing
// package shows as skipped tests rather than none.
INSTANTIATE_TEST_SUITE_P(
    OpenMsx, CounterSong,
    ::testing::ValuesIn([] {
      std::vector<std::filesystem::path> songs;
      for (const char* name :
           {"5432gone_redfarn", "be_sharp_bw_redfarn", "boogi_marabi_redfarn", "busy_schedule", "careless_perc_redfarn",
            "chemistry_lab", "chuggachugga", "city_blues_redfarn", "coconut_run2", "flying_scotsman", "harp_harmony",
            "keep_on_rolling", "linns_basket", "midnight_snow_run", "mighty_giant_run", "modern_motion", "moo_redfarn",
            "mosey_along_redfarn", "no_work_song_redfarn", "relax_song", "run_for_your_life", "say_what_redfarn",
            "slow_neasy_redfarn", "the_fast_route", "the_hobo_redfarn", "train_filled_with_cash", "ttsong_iii_imuh3",
            "ttsong_iv_imuh3", "tttheme2", "ultimate_run", "wood_whistles"})
        songs.push_back(std::filesystem::path(test::kOpenmsxFolder) / (std::string(name) + ".mid"));
      return songs;
    }()),
    songName);

class CounterChorale : public CounterSong {};

// Chorale sopranos: short, stepwise lines that the random search mostly
// handles.
TEST_P(CounterChorale, Soprano) {
  ASSERT_TRUE(testing::loadChoraleSoprano(score, ui, GetParam()));
  expectSoundLinesInEveryMode(true);
}

// All of them: before tenor and alto were searched together, four had to
// break a rule.
INSTANTIATE_TEST_SUITE_P(Corpus, CounterChorale,
                         ::testing::ValuesIn(test::midiFilesIn(std::filesystem::path(QUORVEL_SOURCE_DIR) / "data" /
                                                                  "corpus" / "chorales" / "valid")),
                         songName);

}  // namespace
}  // namespace quorvel
