#include <algorithm>

#include "DriverFixture.h"
#include "generator/DrumGeneration.h"
#include "generator/GenerationCommands.h"

namespace quorvel {
namespace {

using test::DriverTest;
using test::realDrumLibrary;

// The pattern words that a drum set pair describes from a start step.
DrumPattern wordsFrom(const Score& score, int startStep, int steps) {
  DrumPattern words{};
  for (int set = kDrumSet0 + 2; set <= kDrumSet0 + 3; ++set) {
    for (NoteCode c : score.noteSets[static_cast<std::size_t>(set)]) {
      const int s = noteStart(c) - startStep;
      if (s < 0 || s >= steps) continue;
      const bool accent = drumLevel(c) == 3;
      words[static_cast<std::size_t>(s)] |= accent ? accentBit(drumRow(c)) : hitBit(drumRow(c));
    }
  }
  return words;
}

std::size_t drumCount(const Score& score) { return score.noteSets[kDrumsView].size(); }

class DriverDrums : public DriverTest {};

TEST_F(DriverDrums, ZeroToDrumsWritesOnePatternOfTheMelodyLengthFromTheSongStart) {
  score.settings.melody[kMelodyLength] = 16;
  ASSERT_EQ(generateZeroToDrumsA(env), 0);
  int first = 1 << 20, last = 0;
  for (NoteCode c : score.noteSets[kDrumsView]) {
    first = std::min(first, noteStart(c));
    last = std::max(last, noteStart(c));
    EXPECT_EQ(drumLength(c), 4);
    EXPECT_EQ(drumVelocity(c), drumLevel(c) == 3 ? 127 : 100);
    EXPECT_TRUE(drumLevel(c) == 2 || drumLevel(c) == 3);
  }
  EXPECT_EQ(first, kSongStartStep);
  EXPECT_LT(last, kSongStartStep + 64);
  const DrumPattern written = wordsFrom(score, kSongStartStep, 64);
  const auto& patterns = realDrumLibrary().patterns;
  EXPECT_NE(std::find(patterns.begin(), patterns.end(), written), patterns.end());
  EXPECT_TRUE(score.hasFlag(kFlagUntouchedResult));
  EXPECT_FALSE(score.hasFlag(kFlagGenerating));
  EXPECT_TRUE(score.isModified());
}

TEST_F(DriverDrums, ShortLengthCutsThePatternAndLongLengthRepeatsIt) {
  const DrumPattern& pattern = realDrumLibrary().patterns.front();
  writeDrumPattern(score, pattern, 10, 8);
  DrumPattern expected{};
  std::copy_n(pattern.begin(), 8, expected.begin());
  EXPECT_EQ(wordsFrom(score, 2, 64), expected);

  Score longer;
  writeDrumPattern(longer, pattern, 10 + 20, 128);
  EXPECT_EQ(wordsFrom(longer, 6, 64), pattern);
  EXPECT_EQ(wordsFrom(longer, 6 + 64, 64), pattern);
  EXPECT_EQ(wordsFrom(longer, 6 + 128, 64), DrumPattern{});
}

TEST_F(DriverDrums, AlongTheMelodyCoversItFromItsFirstNoteToItsEnd) {
  score.settings.melody[kMelodyLength] = 4;
  writeMelody(kSopranoSet, {{18, 60, 4}, {22, 62, 4}, {90, 64, 8}});  // steps 18 .. 98
  ASSERT_EQ(generateNToDrumsA(env), 0);
  int first = 1 << 20, last = 0;
  for (NoteCode c : score.noteSets[kDrumsView]) {
    first = std::min(first, noteStart(c));
    last = std::max(last, noteStart(c));
  }
  EXPECT_GE(first, 18);
  EXPECT_LT(last, 98);
  EXPECT_GT(last, 18 + 64 - 8);  // the pattern went on past its first 64 steps
}

TEST_F(DriverDrums, BetweenLocatorsFillsOnlyTheRegionAndKeepsOtherDrumsButNotWhenTheyAreTooClose) {
  const NoteCode before = makeDrumNote(4, 12, 4, 3, 127), inside = makeDrumNote(40, 11, 4, 3, 127),
                 after = makeDrumNote(200, 11, 4, 3, 127);
  for (NoteCode c : {before, inside, after}) addNote(score, kDrumSet0 + 3, c);
  setLocators(170, 320);
  EXPECT_EQ(generateZeroToDrumsA(env), -1);
  EXPECT_EQ(messageTexts(), std::vector<std::string>{"The locators are too close"});
  EXPECT_EQ(drumCount(score), 3u);
  EXPECT_FALSE(score.hasFlag(kFlagGenerating));

  setLocators(170, 330);  // steps 34 .. 66, 32 steps
  ASSERT_EQ(generateZeroToDrumsA(env), 0);
  const auto drums = notesOf(kDrumSet0 + 3);
  EXPECT_NE(std::find(drums.begin(), drums.end(), before), drums.end());
  EXPECT_NE(std::find(drums.begin(), drums.end(), after), drums.end());
  for (int set = kDrumSet0 + 2; set <= kDrumSet0 + 3; ++set) {
    for (NoteCode c : score.noteSets[static_cast<std::size_t>(set)]) {
      if (c == before || c == after) continue;
      EXPECT_TRUE(noteStart(c) >= 34 && noteStart(c) < 66) << noteStart(c);
    }
  }
  // The removed drum can be brought back.
  EXPECT_EQ(score.undo[kDrumSet0 + 3].size(), 1u);
}

TEST_F(DriverDrums, BusyGenerationOrLearningRefusesAndAnEditedSongAsksFirst) {
  score.setFlag(kFlagGenerating);
  EXPECT_EQ(generateZeroToDrumsA(env), -2);
  EXPECT_TRUE(ui.messages().empty()) << "a busy generation refuses silently";
  EXPECT_TRUE(score.hasFlag(kFlagGenerating));
  score.clearFlag(kFlagGenerating);
  state.learningRunning = true;
  EXPECT_EQ(generateZeroToDrumsA(env), -2);
  EXPECT_EQ(messageTexts(), std::vector<std::string>{"Now Learning"});
  EXPECT_FALSE(score.hasFlag(kFlagGenerating));
  EXPECT_EQ(drumCount(score), 0u);
  state.learningRunning = false;

  addNote(score, kDrumSet0 + 3, makeDrumNote(40, 11, 4, 3, 127));
  markModified(score, ui);
  ui.clearRecords();
  ui.queueAnswer(MsgAnswer::Cancel);
  EXPECT_EQ(generateZeroToDrumsA(env), -2);
  EXPECT_EQ(questionsAsked, 1);
  EXPECT_EQ(drumCount(score), 1u);
  // Answering No replaces the drums with a pattern and the song loses its name.
  score.fileName = "song.mid";
  ui.queueAnswer(MsgAnswer::No);
  EXPECT_EQ(generateZeroToDrumsA(env), 0);
  EXPECT_TRUE(score.fileName.empty());
  EXPECT_FALSE(score.noteSets[kDrumsView].empty());
}

TEST_F(DriverDrums, ExtendingKeepsTheDrumsBeforeTheMelodyStart) {
  score.settings.melody[kExtendExisting] = 10;
  // Level 1: the library never writes it, so only the extension can remove it.
  const NoteCode early = makeDrumNote(6, 12, 4, 1, 50), late = makeDrumNote(40, 1, 4, 1, 50);
  addNote(score, kDrumSet0 + 1, early);
  addNote(score, kDrumSet0 + 1, late);
  writeMelody(kSopranoSet, {{34, 60, 16}, {50, 62, 16}});
  ASSERT_EQ(generateNToDrumsA(env), 0);
  EXPECT_EQ(notesOf(kDrumSet0 + 1), std::vector<NoteCode>{early});
  EXPECT_EQ(questionsAsked, 0);
}

}  // namespace
}  // namespace quorvel
