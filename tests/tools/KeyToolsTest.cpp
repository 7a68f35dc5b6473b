#include "tools/KeyTools.h"
#include "ToolFixture.h"

namespace quorvel {
namespace {

using ::testing::ElementsAre;

class KeyToolsTest : public ToolFixture {
 protected:
  // Sequential notes of the given keys and lengths (in steps) in one part.
  void line(int part, const std::vector<std::pair<int, int>>& keyAndLength) {
    int position = 0;
    for (auto [key, length] : keyAndLength) {
      melody(part, position, key, length);
      position += length * 5;
    }
  }
  std::optional<KeyEstimate> estimate(int reference = 3) {
    return estimateKey({&set(0), &set(1), &set(2), &set(3)}, reference);
  }
};

TEST_F(KeyToolsTest, WeightsAreLengthsAndFaintPitchClassesAreNeverTonics) {
  // D Dorian without A; the C is under 1% of the music, so neither C major
  // nor any minor on a present tonic covers the rest as Dorian does.
  line(2, {{62, 30}, {64, 20}, {65, 20}, {67, 20}, {71, 20}, {72, 1}});
  EXPECT_EQ(keyStatusText(*estimate()), "D Dorian 100.00%");
}

TEST_F(KeyToolsTest, KeyPitchIsTheTonicPlacedByTheReferenceMean) {
  line(3, {{60, 16}, {62, 16}, {64, 16}, {65, 16}, {67, 16}, {69, 16}, {71, 16}});
  // The split lies at 67.5: a reference mean of 68 takes C4 (72), one of 67.5 still takes C3 (60).
  for (const auto& [top, expected] : {std::pair{72, 72}, {71, 60}}) {
    removeSet(score, 0);
    melody(0, 0, 64, 1);
    melody(0, 0, top, 1);
    EXPECT_EQ(estimate(0)->keyPitch, expected) << top;
  }
  removeSet(score, 0);
  EXPECT_FALSE(estimate(0)->keyPitch.has_value());
  removeSet(score, 3);
  EXPECT_FALSE(estimate().has_value());
}

TEST_F(KeyToolsTest, DetectShowsTheKeyAndAppliesItOnlyWhenAsked) {
  EXPECT_FALSE(detectKey(score, ui, true).has_value());
  line(3, {{69, 4}, {64, 3}, {72, 2}, {71, 1}, {62, 1}, {65, 1}, {67, 1}});
  detectKey(score, ui, false);
  EXPECT_EQ(ui.status(1), "A Minor 100.00%");
  EXPECT_EQ(score.settings.melody[kKeyNote], 72);
  // Applied, the key note and the scale both reach the generator, so that lines generated next are in minor.
  score.settings.melody[kMode] = 4;
  detectKey(score, ui, true);
  EXPECT_EQ((std::array{score.settings.melody[kKeyNote], score.keyBase, score.settings.melody[kMode]}),
            (std::array{69, 60, 1}));
}

TEST_F(KeyToolsTest, FitToC3TransposesTheMelodyDropsNotesPushedOutOfRangeAndForgetsHistory) {
  melody(3, 0, 72);
  melody(0, 10, 25);
  melody(0, 20, 24);
  const NoteCode hit = drum(3, 0);
  score.undo[3].recordOne(makeMelodyNote(2, 80, 1, 3));
  score.settings.melody[kKeyNote] = 84;  // down two octaves: 24 would leave the lowest key 1
  EXPECT_EQ(fitKeyToC3(score, ui), 0);
  EXPECT_THAT(keys(3), ElementsAre(48));
  EXPECT_THAT(keys(0), ElementsAre(1));
  EXPECT_THAT(positions(0), ElementsAre(10));
  EXPECT_EQ(set(7).count(hit), 1u);
  EXPECT_FALSE(score.undo[3].canUndo());
  EXPECT_EQ(score.settings.melody[kKeyNote], 60);
  EXPECT_TRUE(score.isModified());
  expectViewsInStep();
  EXPECT_EQ(fitKeyToC3(score, ui), -2);
}

}  // namespace
}  // namespace quorvel
