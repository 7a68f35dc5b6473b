#include "tools/Quantize.h"
#include "ToolFixture.h"

namespace quorvel {
namespace {

using ::testing::ElementsAre;

class QuantizeTest : public ToolFixture {
 protected:
  // The menu and key forms.
  int quantizeCommand(std::uint32_t scope) { return quantizeToGrid(score, ui, random, scope, kSongStartX); }
  int shuffleCommand(std::uint32_t scope) { return shuffleNotes(score, ui, random, scope, 0.0, 0, kSongStartX); }
  int quantizeToOtherPartCommand() {
    return quantizeToPart(score, ui, random, kTargetFromSettings, 0, 0.0, kSongStartX, false);
  }
  void melodyGrid(int resolution, double strength) {
    score.settings.general.melodyQuantizeResolution = resolution;
    score.settings.general.melodyQuantizeStrength = strength;
  }
};

// Grid 0 is 1/8 (10 units), grid 1 is 1/4 (20 units); the strength scales the catchment around each line.
TEST_F(QuantizeTest, GridSnapsNotesWithinTheStrengthsReachOfALine) {
  struct Case {
    const char* what;
    double strength;
    std::uint32_t scope;
    int startX, result;
    std::vector<int> before, after;
  };
  const Case cases[] = {
      {"to the nearest line", 1.0, 0, kSongStartX, 0, {0, 5, 15, 30}, {0, 10, 20, 30}},
      {"strength 0 does nothing", 0.0, 0, kSongStartX, -2, {5}, {5}},
      {"a threshold, not an interpolation", 0.99, 0, kSongStartX, 0, {5}, {5}},
      {"the locators (x 95, 175) are included", 1.0, kScopeBetweenLocators, kSongStartX, 0, {75, 85, 165, 175},
       {75, 90, 170, 175}},
      {"from x 185 on", 1.0, 0, 185, 0, {75, 90, 170, 175}, {75, 90, 170, 180}},
  };
  score.leftLocator = 95;
  score.rightLocator = 175;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    clearAll(score, ui);
    melodyGrid(0, c.strength);
    for (int p : c.before) melody(3, p, 60);
    EXPECT_EQ(quantizeToGrid(score, ui, random, c.scope, c.startX), c.result);
    EXPECT_EQ(positions(3), c.after);
    EXPECT_EQ(score.undo[3].canUndo(), c.result == 0);
    EXPECT_EQ(score.isModified(), c.result == 0);
    expectViewsInStep();
  }
}

TEST_F(QuantizeTest, EveryTreatedSetGetsOneUndoStepEvenWhenNothingMoved) {
  melodyGrid(0, 1.0);
  melody(3, 20, 60);
  quantizeCommand(0);
  EXPECT_EQ(score.undo[3].size(), 1u);

  const NoteCode moved = melody(3, 45, 64, 2);
  quantizeCommand(0);
  EXPECT_THAT(positions(3), ElementsAre(20, 50));
  undo(score, ui);
  EXPECT_THAT(positions(3), ElementsAre(20, 45));
  EXPECT_EQ(set(3).count(moved), 1u);
  expectViewsInStep();
}

TEST_F(QuantizeTest, AllSetsFlagTreatsEveryPartAndNotesLandingTogetherBothStay) {
  melodyGrid(1, 1.0);
  melody(3, 10, 60);  // a tie goes later
  melody(3, 25, 60);
  melody(0, 5, 40);
  quantizeCommand(kScopeAllSets);
  EXPECT_THAT(positions(3), ElementsAre(20, 20));
  EXPECT_THAT(positions(0), ElementsAre(0));
  EXPECT_EQ(set(kMelodyView).size(), 3u);
  EXPECT_TRUE(score.undo[0].canUndo());
  EXPECT_FALSE(score.undo[1].canUndo());
}

TEST_F(QuantizeTest, ShuffleMovesChosenNotesOneStepAndNeverBeforeTheOrigin) {
  score.settings.general.melodyShuffleStrength = 1.0;
  for (int i = 0; i < 400; ++i) melody(3, 40 * i, 60);
  shuffleCommand(0);
  const std::vector<int> after = positions(3);
  ASSERT_EQ(after.size(), 400u);
  int earlier = 0;
  for (int i = 0; i < 400; ++i) {
    const int shift = after[static_cast<std::size_t>(i)] - 40 * i;
    EXPECT_TRUE(shift == 5 || shift == -5 || (i == 0 && shift == 0)) << i << ": " << shift;
    earlier += shift < 0;
  }
  EXPECT_GT(earlier, 150);
  EXPECT_LT(earlier, 250);
}

TEST_F(QuantizeTest, ShuffleOverrideTreatsOnlyTheGivenSet) {
  score.settings.general.melodyShuffleStrength = 1.0;
  for (int i = 0; i < 50; ++i) {
    melody(3, 40 * i + 20, 60);
    drum(2, 40 * i + 20);
  }
  const NoteSet soprano = set(3);
  const std::vector<int> drumsBefore = positions(6);
  EXPECT_EQ(shuffleNotes(score, ui, random, kScopeAllSets, 1.0, 6, kSongStartX), 0);
  EXPECT_EQ(set(3), soprano);
  const std::vector<int> drumsAfter = positions(6);
  ASSERT_EQ(drumsAfter.size(), drumsBefore.size());
  for (std::size_t i = 0; i < drumsAfter.size(); ++i) EXPECT_EQ(std::abs(drumsAfter[i] - drumsBefore[i]), 5);
  expectViewsInStep();
}

class QuantizeToPartTest : public QuantizeTest {
 protected:
  void target(int choice) {
    score.settings.general.melodyQuantizeTarget = choice;
    score.settings.general.melodyQuantizeStrength = 1.0;
  }
};

TEST_F(QuantizeToPartTest, RelativeTargetsSkipEmptyPartsAndTheEditedOne) {
  melody(3, 5, 72);
  for (int p : {0, 20}) melody(1, p, 55);
  for (int p : {10, 40}) melody(0, p, 40);
  target(4);  // "Lower Part": Alto is empty, so Tenor (Bass would leave the note alone)
  quantizeToOtherPartCommand();
  EXPECT_THAT(positions(3), ElementsAre(0));

  score.settings.parts.editPart = 0;
  target(2);  // "Lowest Part" from the edited Bass: Tenor, onsets 0 and 20; a tie goes later
  quantizeToOtherPartCommand();
  EXPECT_THAT(positions(0), ElementsAre(20, 40));
  EXPECT_TRUE(ui.messages().empty());
}

TEST_F(QuantizeToPartTest, MissingOrEmptyTargetIsReportedAndNothingChanges) {
  melody(3, 5, 72);
  melody(2, 0, 65);
  for (int choice : {3, 7}) {  // "Higher Part" above Soprano; "Tenor", empty
    target(choice);
    EXPECT_EQ(quantizeToOtherPartCommand(), -1) << choice;
  }
  ASSERT_EQ(ui.messages().size(), 2u);
  EXPECT_EQ(ui.messages()[1].text, "Counter part is empty");
  EXPECT_THAT(positions(3), ElementsAre(5));
  EXPECT_FALSE(score.undo[3].canUndo());
}

TEST_F(QuantizeToPartTest, DirectFormKeepsNotesOutsideTheLocators) {
  for (int p : {0, 80, 160}) drum(3, p);
  for (int p : {5, 85, 165}) melody(2, p, 60);
  score.leftLocator = 90;
  score.rightLocator = 100;
  EXPECT_EQ(quantizeToPart(score, ui, random, 7, 2, 1.0, kSongStartX, true), 0);
  EXPECT_THAT(positions(2), ElementsAre(5, 80, 165));
  EXPECT_EQ(quantizeToPart(score, ui, random, 1, 2, 1.0, kSongStartX, false), -1);  // empty target
  EXPECT_EQ(quantizeToPart(score, ui, random, 7, 0, 1.0, kSongStartX, false), -2);  // empty source
}

}  // namespace
}  // namespace quorvel
