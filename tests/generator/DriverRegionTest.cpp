#include "DriverFixture.h"
#include "generator/Region.h"

namespace quorvel {
namespace {

using test::DriverTest;

class DriverRegion : public DriverTest {};

TEST_F(DriverRegion, LocatorsCloserThan160AreRefusedAndNothingIsRemoved) {
  writeMelody(kSopranoSet, {{40, 60, 4}});
  setLocators(100, 250);
  Region region;
  EXPECT_EQ(takeLocatorRegion(env, {kSopranoSet}, region), -1);
  EXPECT_EQ(messageTexts(), std::vector<std::string>{"The locators are too close"});
  EXPECT_EQ(score.noteSets[kSopranoSet].size(), 1u);
}

TEST_F(DriverRegion, At160ApartTheRegionIsEightBeats) {
  setLocators(100, 260);
  Region region;
  ASSERT_EQ(takeLocatorRegion(env, {kSopranoSet}, region), 0);
  EXPECT_EQ(region.beats, 8);
  EXPECT_EQ(region.startX, 100);
  EXPECT_TRUE(ui.messages().empty());
}

TEST_F(DriverRegion, NotesStartingInsideAreRemovedAsOneUndoStepPerPart) {
  // x = 5 * step: 95, 100, 255, 260.
  writeMelody(kSopranoSet, {{19, 60, 8}, {20, 62, 4}, {51, 64, 4}, {52, 65, 4}});
  writeMelody(kAltoSet, {{30, 55, 4}, {40, 57, 4}});
  writeMelody(kBassSet, {{30, 40, 4}});
  setLocators(100, 260);
  Region region;
  ASSERT_EQ(takeLocatorRegion(env, {kSopranoSet, kAltoSet}, region), 0);
  EXPECT_EQ(notesOf(kSopranoSet),
            (std::vector<NoteCode>{makeMelodyNote(19, 60, 8, 3), makeMelodyNote(52, 65, 4, 3)}));
  EXPECT_TRUE(notesOf(kAltoSet).empty());
  EXPECT_EQ(notesOf(kBassSet).size(), 1u);
  EXPECT_EQ(score.noteSets[kMelodyView].size(), 3u);
  EXPECT_EQ(score.undo[kSopranoSet].size(), 1u);
  EXPECT_EQ(score.undo[kAltoSet].size(), 1u);
  EXPECT_EQ(score.undo[kBassSet].size(), 0u);

  score.settings.parts.editPart = kAltoSet;
  undo(score, ui);
  EXPECT_EQ(notesOf(kAltoSet).size(), 2u);
}

TEST_F(DriverRegion, LocatorsInTheWrongOrderMeanTheWholeSong) {
  writeMelody(kTenorSet, {{2, 50, 4}, {4000, 52, 4}});
  setLocators(300, 300);
  Region region;
  ASSERT_EQ(takeLocatorRegion(env, {kTenorSet}, region), 0);
  EXPECT_FALSE(region.betweenLocators());
  EXPECT_TRUE(notesOf(kTenorSet).empty());
}

}  // namespace
}  // namespace quorvel
