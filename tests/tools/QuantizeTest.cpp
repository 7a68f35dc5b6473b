#include <algorithm>
#include <cstdlib>

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

TEST_F(QuantizeTest, GridSnapsToTheNearestLineWithTiesGoingLater) {
  melodyGrid(0, 1.0);  // 1/8: 10 units
  for (int p : {0, 5, 15, 30}) melody(3, p, 60);
  EXPECT_EQ(quantizeCommand(0), 0);
  EXPECT_THAT(positions(3), ElementsAre(0, 10, 20, 30));

  melody(2, 10, 60);
  melody(2, 25, 60);
  score.settings.parts.editPart = 2;
  melodyGrid(1, 1.0);  // 1/4: 20 units
  quantizeCommand(0);
  EXPECT_THAT(positions(2), ElementsAre(20, 20));
  expectViewsInStep();
  EXPECT_TRUE(score.isModified());
}

TEST_F(QuantizeTest, StrengthIsAThresholdNotAnInterpolation) {
  melodyGrid(0, 0.0);
  melody(3, 5, 60);
  EXPECT_EQ(quantizeCommand(0), -2);
  EXPECT_FALSE(score.undo[3].canUndo());
  EXPECT_FALSE(score.isModified());
  melodyGrid(0, 0.99);
  quantizeCommand(0);
  EXPECT_THAT(positions(3), ElementsAre(5));

  removeSet(score, 3);
  melodyGrid(1, 0.5);  // half width 10: only notes within 5 units of a line move
  for (int p : {5, 10, 35}) melody(3, p, 60);
  quantizeCommand(0);
  EXPECT_THAT(positions(3), ElementsAre(0, 10, 40));
  score.settings.parts.editPart = 1;  // empty
  EXPECT_EQ(quantizeCommand(0), -2);
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

TEST_F(QuantizeTest, LocatorRangeIncludesBothEnds) {
  melodyGrid(0, 1.0);
  score.leftLocator = 95;
  score.rightLocator = 175;
  for (int x : {85, 95, 175, 185}) melody(3, x - 10, 60);
  quantizeCommand(kScopeBetweenLocators);
  EXPECT_THAT(positions(3), ElementsAre(75, 90, 170, 175));

  score.leftLocator = 175;
  score.rightLocator = 95;
  EXPECT_EQ(quantizeCommand(kScopeBetweenLocators), -2);
  EXPECT_EQ(quantizeToGrid(score, ui, random, 0, 185), 0);  // from x 185 on only
  EXPECT_THAT(positions(3), ElementsAre(75, 90, 170, 180));
}

TEST_F(QuantizeTest, AllSetsFlagTreatsEveryPartAndNotesLandingTogetherBothStay) {
  melodyGrid(1, 1.0);
  melody(3, 15, 60);
  melody(3, 25, 60);
  melody(0, 5, 40);
  quantizeCommand(kScopeAllSets);
  EXPECT_THAT(positions(3), ElementsAre(20, 20));
  EXPECT_THAT(positions(0), ElementsAre(0));
  EXPECT_EQ(set(kMelodyView).size(), 3u);
  EXPECT_TRUE(score.undo[0].canUndo());
  EXPECT_FALSE(score.undo[1].canUndo());
}

TEST_F(QuantizeTest, DrumGridSnapsEachHitWithTheStrengthAsProbability) {
  enterDrumsView(7);
  score.settings.general.drumsQuantizeResolution = 1;  // 20 units
  score.settings.general.drumsQuantizeStrength = 1.0;
  drum(3, 5);
  drum(3, 30);
  quantizeCommand(0);
  EXPECT_THAT(positions(7), ElementsAre(0, 40));

  removeSet(score, 7);
  score.settings.general.drumsQuantizeStrength = 0.3;
  for (int i = 0; i < 1000; ++i) drum(3, 20 * i + 5);
  quantizeCommand(0);
  const auto moved = std::count_if(set(7).begin(), set(7).end(),
                                   [](NoteCode c) { return ((noteStart(c) - 2) * 5) % 20 == 0; });
  EXPECT_GT(moved, 230);
  EXPECT_LT(moved, 370);
  expectViewsInStep();
}

TEST_F(QuantizeTest, ShuffleMovesChosenNotesOneStepAndNeverBeforeTheOrigin) {
  score.settings.general.melodyShuffleStrength = 1.0;
  std::vector<int> before;
  for (int i = 0; i < 400; ++i) before.push_back(40 * i);
  for (int p : before) melody(3, p, 60);
  shuffleCommand(0);
  const std::vector<int> after = positions(3);
  ASSERT_EQ(after.size(), before.size());
  int earlier = 0;
  for (std::size_t i = 0; i < after.size(); ++i) {
    const int shift = after[i] - before[i];
    EXPECT_TRUE(shift == 5 || shift == -5 || (before[i] == 0 && shift == 0)) << before[i] << " -> " << after[i];
    earlier += shift < 0;
  }
  EXPECT_GE(after.front(), 0);
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
  void target(int choice, double strength = 1.0) {
    score.settings.general.melodyQuantizeTarget = choice;
    score.settings.general.melodyQuantizeStrength = strength;
  }
};

TEST_F(QuantizeToPartTest, NotesMoveToTheNearerTargetOnsetWhenCloseEnough) {
  for (int p : {0, 40}) melody(0, p, 40);
  for (int p : {10, 20, 50}) melody(3, p, 60);
  target(8, 0.5);  // "Bass"
  quantizeToOtherPartCommand();
  // Window between 0 and 40 is 20.5: 10 is near enough, 20 (a tie, towards 40) is not;
  // 50 lies after the last target onset.
  EXPECT_THAT(positions(3), ElementsAre(0, 20, 50));
  target(8, 1.0);
  quantizeToOtherPartCommand();
  EXPECT_THAT(positions(3), ElementsAre(0, 40, 50));
  EXPECT_EQ(score.undo[3].size(), 2u);
}

TEST_F(QuantizeToPartTest, RelativeTargetsSkipEmptyPartsAndTheEditedOne) {
  melody(3, 5, 72);
  for (int p : {0, 20}) melody(1, p, 55);
  for (int p : {10, 40}) melody(0, p, 40);
  target(4);  // "Lower Part": Alto is empty, so Tenor (Bass would leave the note alone)
  quantizeToOtherPartCommand();
  EXPECT_THAT(positions(3), ElementsAre(0));

  melody(3, 30, 72);
  score.settings.parts.editPart = 1;
  target(1);  // "Highest Part": Soprano, onsets 0 and 30
  quantizeToOtherPartCommand();
  EXPECT_THAT(positions(1), ElementsAre(0, 30));

  target(2);  // "Lowest Part": Bass, onsets 10 and 40
  quantizeToOtherPartCommand();
  EXPECT_THAT(positions(1), ElementsAre(0, 40));
  EXPECT_TRUE(ui.messages().empty());
}

TEST_F(QuantizeToPartTest, MissingOrEmptyTargetIsReportedAndNothingChanges) {
  melody(3, 5, 72);
  melody(2, 0, 65);
  target(3);  // "Higher Part" above Soprano
  EXPECT_EQ(quantizeToOtherPartCommand(), -1);
  target(7);  // "Tenor", empty
  score.language() = 1;
  EXPECT_EQ(quantizeToOtherPartCommand(), -1);
  ASSERT_EQ(ui.messages().size(), 2u);
  EXPECT_EQ(ui.messages()[0].text, "Counter part is empty");
  EXPECT_EQ(ui.messages()[0].caption, "Quorvel");
  EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(ui.messages()[1].text, "クォンタイズ先パートが空です");
  EXPECT_THAT(positions(3), ElementsAre(5));
  EXPECT_FALSE(score.undo[3].canUndo());
}

TEST_F(QuantizeToPartTest, GridChoiceQuantizesAndDrumsViewDoesNothing) {
  melody(3, 5, 72);
  target(0);
  score.settings.general.melodyQuantizeResolution = 0;
  quantizeToOtherPartCommand();
  EXPECT_THAT(positions(3), ElementsAre(10));

  drum(3, 0);
  drum(3, 40);
  target(9);
  enterDrumsView(7);
  EXPECT_EQ(quantizeToOtherPartCommand(), -2);
  score.clearFlag(kFlagDrumsEdit);
  melody(3, 15, 72);
  quantizeToOtherPartCommand();  // "Drums": the drum view's onsets
  EXPECT_THAT(positions(3), ElementsAre(0, 0));
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
