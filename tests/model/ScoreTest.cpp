#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "model/Score.h"
#include "support/FakeUi.h"

namespace quorvel {
namespace {

using test::FakeUi;

class ScoreTest : public ::testing::Test {
 protected:
  std::size_t count(int set, NoteCode c) const { return score.noteSets[static_cast<std::size_t>(set)].count(c); }
  void draw(int set, NoteCode c) {
    addNote(score, set, c);
    NoteSet one{c};
    score.undo[static_cast<std::size_t>(set)].record(kUndoAdded, one);
  }
  Score score;
  FakeUi ui;
};

TEST_F(ScoreTest, DuplicateNotesAreErasedOneAtATime) {
  const NoteCode c = makeMelodyNote(10, 60, 4, 3);
  addNote(score, 3, c);
  addNote(score, 3, c);
  removeNote(score, 3, c);
  EXPECT_EQ(count(3, c), 1u);
  EXPECT_EQ(count(kMelodyView, c), 1u);
  removeNote(score, 3, makeMelodyNote(11, 60, 4, 3));  // absent: no change
  EXPECT_EQ(score.noteSets[3].size(), 1u);
}

TEST_F(ScoreTest, ClipToTimelineDropsAndShortensAcrossTheEnd) {
  addNote(score, 3, makeMelodyNote(4354, 60, 4, 3));
  addNote(score, 3, makeMelodyNote(4300, 62, 100, 3));
  addNote(score, 3, makeMelodyNote(4300, 62, 100, 3));
  addNote(score, 7, makeDrumNote(4352, 12, 4, 3, 127));
  addNote(score, 0, makeMelodyNote(100, 40, 8, 0));
  clipToTimeline(score);
  const NoteCode shortened = makeMelodyNote(4300, 62, 54, 3);
  EXPECT_EQ(score.noteSets[3], (NoteSet{shortened, shortened}));
  EXPECT_EQ(score.noteSets[7], NoteSet{makeDrumNote(4352, 12, 2, 3, 127)});
  EXPECT_EQ(score.noteSets[kMelodyView], (NoteSet{makeMelodyNote(100, 40, 8, 0), shortened, shortened}));
  EXPECT_EQ(score.noteSets[kDrumsView], score.noteSets[7]);
}

TEST_F(ScoreTest, NewSongKeepsSongSettingsAndTitlesShowTheFile) {
  score.settings.general.tempo = 90;
  score.rightLocator = 650;
  score.fileName = "/tmp/song.mid";
  markModified(score, ui);
  EXPECT_EQ(ui.songState().fileName, "/tmp/song.mid");
  EXPECT_TRUE(ui.songState().modified);

  newSong(score, kClearMelodies, ui);
  EXPECT_FALSE(score.isModified());
  EXPECT_EQ(ui.songState().fileName, "");
  EXPECT_FALSE(ui.songState().modified);
  EXPECT_EQ(score.settings.general.tempo, 90);
  EXPECT_EQ(score.rightLocator.load(), 650);
}

TEST_F(ScoreTest, UndoRedoDrawAndBranching) {
  const NoteCode a = makeMelodyNote(10, 60, 4, 3), b = makeMelodyNote(20, 62, 4, 3),
                 c = makeMelodyNote(30, 64, 4, 3);
  draw(3, a);
  undo(score, ui);
  EXPECT_EQ(count(3, a), 0u);
  redo(score, ui);
  EXPECT_EQ(count(3, a), 1u);
  redo(score, ui);  // nothing ahead
  EXPECT_EQ(score.noteSets[3].size(), 1u);

  draw(3, b);
  undo(score, ui);
  draw(3, c);  // discards the undone b
  redo(score, ui);
  EXPECT_EQ(count(3, b), 0u);
  EXPECT_EQ(count(kMelodyView, b), 0u);
  EXPECT_EQ(score.noteSets[3].size(), 2u);
}

TEST_F(ScoreTest, UndoOfAMoveRestoresAndSelectsTheNotes) {
  const NoteCode a = makeMelodyNote(10, 60, 4, 3), b = makeMelodyNote(12, 67, 4, 3);
  addNote(score, 3, a);
  addNote(score, 3, b);
  score.noteSets[kSelection] = {a, b};
  const std::uint32_t delta = 3 * kStepDelta;
  removeSet(score, kSelection);
  moveSelection(score, delta, 3, ui);
  score.undo[3].record(delta, score.noteSets[kSelection]);
  EXPECT_EQ(count(3, a + delta), 1u);
  EXPECT_EQ(score.selectionBounds.left, 13 * 5);

  undo(score, ui);
  EXPECT_EQ(score.noteSets[3], (NoteSet{a, b}));
  EXPECT_EQ(score.noteSets[kMelodyView], (NoteSet{a, b}));
  EXPECT_EQ(score.noteSets[kSelection], (NoteSet{a, b}));
  EXPECT_EQ(score.selectionBounds.left, 50);
  redo(score, ui);
  EXPECT_EQ(score.noteSets[3], (NoteSet{a + delta, b + delta}));
}

TEST_F(ScoreTest, HistoriesArePerPartAndSurviveManySteps) {
  for (int i = 0; i < 200; ++i) draw(3, makeMelodyNote(2 + i, 60, 1, 3));
  draw(0, makeMelodyNote(2, 40, 1, 0));
  for (int i = 0; i < 150; ++i) undo(score, ui);
  EXPECT_EQ(score.noteSets[3].size(), 50u);
  EXPECT_EQ(score.noteSets[0].size(), 1u);  // Soprano undo leaves Bass alone
  score.settings.parts.editPart = 0;
  undo(score, ui);
  EXPECT_TRUE(score.noteSets[0].empty());
  score.settings.parts.editPart = 3;
  for (int i = 0; i < 160; ++i) redo(score, ui);
  EXPECT_EQ(score.noteSets[3].size(), 200u);
}

TEST_F(ScoreTest, ReplacedStepSwapsNotesBothWays) {
  const NoteCode oldNote = makeMelodyNote(11, 60, 3, 3), newNote = makeMelodyNote(10, 60, 4, 3);
  addNote(score, 3, newNote);
  score.undo[3].recordReplace(NoteSet{newNote}, NoteSet{oldNote});
  undo(score, ui);
  EXPECT_EQ(score.noteSets[3], NoteSet{oldNote});
  EXPECT_EQ(score.noteSets[kSelection], NoteSet{oldNote});
  redo(score, ui);
  EXPECT_EQ(score.noteSets[3], NoteSet{newNote});
  EXPECT_EQ(score.noteSets[kMelodyView], NoteSet{newNote});
}

TEST_F(ScoreTest, ClearAllKeepsOnlyTheDrumsBandFlag) {
  score.setFlag(kFlagModified | kFlagDrumsEdit | kFlagUntouchedResult);
  draw(3, makeMelodyNote(10, 60, 4, 3));
  clearAll(score, ui);
  EXPECT_EQ(score.stateFlags.load(), static_cast<std::uint32_t>(kFlagDrumsBand));
  EXPECT_TRUE(score.noteSets[kMelodyView].empty());
  EXPECT_FALSE(score.undo[3].canUndo());
}

// A reader thread that walks the sets under the note lock while the window
// thread edits them must see consistent sets (run under a sanitizer build).
TEST_F(ScoreTest, PlayerStyleReaderIsSafeAgainstEdits) {
  std::atomic<bool> stop{false};
  std::atomic<long> seen{0};
  std::thread reader([&] {
    while (!stop.load()) {
      std::lock_guard lock(score.noteMutex);
      long n = 0;
      for (NoteCode c : score.noteSets[kMelodyView]) n += noteStart(c) > 0;
      seen += n;
    }
  });
  for (int i = 0; i < 3000; ++i) {
    addNote(score, i % 4, makeMelodyNote(2 + i % 500, 40 + i % 30, 2, i % 4));
    if (i % 3 == 0) removeNote(score, i % 4, makeMelodyNote(2 + i % 500, 40 + i % 30, 2, i % 4));
    if (i % 1000 == 999) clipToTimeline(score);
  }
  stop = true;
  reader.join();
  EXPECT_EQ(score.noteSets[kMelodyView].size(), 2000u);
}

}  // namespace
}  // namespace quorvel
