#include "DriverFixture.h"
#include "generator/GenerationCommands.h"

namespace quorvel {
namespace {

using test::DriverTest;

class DriverEvoked : public DriverTest {
 protected:
  void SetUp() override {
    score.settings.melody[kKeyNote] = 60;
    score.settings.melody[kMelodyLength] = 16;
  }
  // Every note of a part is a beat long and sits on the beat grid from x0.
  void expectBeatLine(int part, int x0, int beats) {
    const auto notes = notesOf(part);
    ASSERT_EQ(static_cast<int>(notes.size()), beats) << "part " << part;
    for (std::size_t i = 0; i < notes.size(); ++i) {
      EXPECT_EQ(noteStart(notes[i]) * 5, x0 + 20 * static_cast<int>(i));
      EXPECT_EQ(melodyLength(notes[i]), 4);
      EXPECT_EQ(melodyPart(notes[i]), part);
    }
  }
};

TEST_F(DriverEvoked, TooShortALineAndThreeLinesOnTheTenorAreRefusedButTwoGoToTenorAndBass) {
  score.settings.melody[kMelodyLength] = 4;
  EXPECT_EQ(generateZeroToOneA(env), -1);
  EXPECT_EQ(messageTexts(), std::vector<std::string>{"Failed to generate lines"});
  EXPECT_TRUE(notesOf(kSopranoSet).empty());
  EXPECT_FALSE(score.hasFlag(kFlagGenerating));
  EXPECT_EQ(state.running, nullptr);
  ui.clearRecords();
  score.settings.melody[kMelodyLength] = 16;
  score.settings.parts.editPart = kTenorSet;
  EXPECT_EQ(generateZeroToThreeA(env), -2);
  EXPECT_EQ(messageTexts(), std::vector<std::string>{"You can't generate lines with selecting part"});
  EXPECT_FALSE(score.hasFlag(kFlagGenerating));
  ui.clearRecords();
  ASSERT_EQ(generateZeroToTwoA(env), 0);
  expectBeatLine(kTenorSet, 10, 16);
  expectBeatLine(kBassSet, 10, 16);
  EXPECT_TRUE(notesOf(kSopranoSet).empty());
}

TEST_F(DriverEvoked, BetweenLocatorsTheRegionGivesTheLengthAndTheStart) {
  // x = 5 * step: 285 and 450 lie outside the region [290, 450), 290 and 445 inside.
  writeMelody(kSopranoSet, {{57, 70, 4}, {58, 71, 4}, {89, 72, 4}, {90, 74, 4}});
  writeMelody(kBassSet, {{60, 40, 4}});  // a part the request leaves alone
  score.setFlag(kFlagModified);
  setLocators(290, 450);  // the least distance taken: eight beats
  ASSERT_EQ(generateZeroToThreeA(env), 0);
  for (int part : {kAltoSet, kTenorSet}) expectBeatLine(part, 290, 8);
  const auto notes = notesOf(kSopranoSet);
  ASSERT_EQ(notes.size(), 2u + 8u);
  EXPECT_EQ(notes.front(), makeMelodyNote(57, 70, 4, 3));
  EXPECT_EQ(notes.back(), makeMelodyNote(90, 74, 4, 3));
  for (std::size_t i = 1; i + 1 < notes.size(); ++i) EXPECT_EQ(noteStart(notes[i]) * 5, 290 + 20 * int(i - 1));
  EXPECT_EQ(notesOf(kBassSet), std::vector<NoteCode>{makeMelodyNote(60, 40, 4, 0)});
  EXPECT_EQ(score.noteSets[kMelodyView].size(), 1u + 3u * 8u + 2u);
  EXPECT_EQ(questionsAsked, 0);
  // The notes the region replaced come back with one undo.
  undo(score, ui);
  EXPECT_EQ(score.noteSets[kSopranoSet].count(makeMelodyNote(58, 71, 4, 3)), 1u);
  EXPECT_EQ(score.noteSets[kSopranoSet].count(makeMelodyNote(89, 72, 4, 3)), 1u);
}

TEST_F(DriverEvoked, EditedMaterialIsOnlyReplacedAfterTheQuestion) {
  writeMelody(kAltoSet, {{10, 60, 4}});
  score.fileName = "mine.mid";
  score.setFlag(kFlagModified);
  ui.queueAnswer(MsgAnswer::Cancel);
  EXPECT_EQ(generateZeroToOneA(env), -2);
  EXPECT_EQ(questionsAsked, 1);
  EXPECT_EQ(notesOf(kAltoSet).size(), 1u);
  EXPECT_EQ(score.fileName, "mine.mid");

  ui.queueAnswer(MsgAnswer::No);
  ASSERT_EQ(generateZeroToOneA(env), 0);
  EXPECT_TRUE(notesOf(kAltoSet).empty());
  EXPECT_TRUE(score.fileName.empty());
  // An untouched result is replaced without asking.
  ASSERT_EQ(generateZeroToOneA(env), 0);
  EXPECT_EQ(questionsAsked, 2);
  expectBeatLine(kSopranoSet, 10, 16);
}

TEST_F(DriverEvoked, CancelClosesTheWindowWritesNothingAndSaysNothing) {
  useSlowClock();
  ui.cancelProgressWhenOpen();
  score.settings.melody[kMelodyLength] = 32;
  EXPECT_EQ(generateZeroToFourA(env), -2);
  ASSERT_EQ(ui.progressOpenings().size(), 1u);
  EXPECT_FALSE(ui.progressOpen());
  EXPECT_TRUE(ui.messages().empty());
  EXPECT_TRUE(score.noteSets[kMelodyView].empty());
  EXPECT_FALSE(state.progressWindowOpen);
  EXPECT_FALSE(score.hasFlag(kFlagGenerating));
  EXPECT_EQ(state.running, nullptr);
}

TEST_F(DriverEvoked, OptionsRequestTakesTheLineCountAndMayAddDrums) {
  score.settings.melody[kEvokedLines] = 1;  // "0:2"
  score.settings.melody[kDrumsAfterEvoked] = 10;
  ASSERT_EQ(generateZeroToN(env), 0);
  expectBeatLine(kSopranoSet, 10, 16);
  expectBeatLine(kAltoSet, 10, 16);
  EXPECT_FALSE(score.noteSets[kDrumsView].empty());
  for (NoteCode c : score.noteSets[kDrumsView]) EXPECT_LT(noteStart(c), 2 + 64);
}

TEST_F(DriverEvoked, ToolbarLabelsReachTheirCommandsAndFourLinesFillEveryPartFromTheSongStart) {
  EXPECT_EQ(runLocalGeneration(env, "0to1G"), std::nullopt);
  ASSERT_EQ(runLocalGeneration(env, "0to4A"), 0);
  for (int part = kBassSet; part <= kSopranoSet; ++part) expectBeatLine(part, 10, 16);
  EXPECT_EQ(melodyKey(notesOf(kBassSet).back()) % 12, 0) << "the bass ends on the key note, C";
  EXPECT_TRUE(score.hasFlag(kFlagUntouchedResult));
  EXPECT_FALSE(score.hasFlag(kFlagGenerating));
  EXPECT_TRUE(ui.messages().empty());
  EXPECT_TRUE(ui.progressOpenings().empty()) << "a quick run shows no window at all";
}

}  // namespace
}  // namespace quorvel
