// The pieces of infinite generation that need no server: the block ring and
// stock between the loop and the player, the cut of the song, and the
// automatic save's file names.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "base/FileIo.h"
#include "midifile/MidiReader.h"
#include "netgen/InfiniteSave.h"
#include "netgen/InfiniteShift.h"
#include "netgen/InfiniteStock.h"
#include "settings/TempFolder.h"
#include "support/FakeUi.h"

namespace quorvel::test {
namespace {

class Stock : public ::testing::Test {
 protected:
  void SetUp() override { stock.reset(); }
  Score score;
  InfiniteStock stock{score};
};

// Counting down to the stop and the restart are in the starved run of the
// infinite-run tests; here the edges they cannot reach.
TEST_F(Stock, CountsBlocksAfterTheFirstStopsThePlayerBeforeTheFrontAndRestartsItOnce) {
  EXPECT_EQ(stock.stock(), -1);
  EXPECT_EQ(stock.frontX(), kNoPosition);
  stock.addBlock(650);  // the one playback starts with
  stock.addBlock(1290);
  EXPECT_EQ(stock.stock(), 1);
  score.setFlag(kFlagPlaying);
  stock.playedUpTo(1285);  // the step before the front
  EXPECT_EQ(stock.stock(), -1);
  EXPECT_FALSE(score.hasFlag(kFlagPlaying));
  EXPECT_FALSE(stock.takeRefilledUnderrun()) << "nothing to play yet";
  EXPECT_EQ(stock.frontX(), 1290) << "played blocks still mark the front";
  stock.playedUpTo(1400);  // a late tick past the end changes nothing more
  stock.addBlock(1930);
  EXPECT_EQ(stock.stock(), 0);
  EXPECT_TRUE(stock.takeRefilledUnderrun());
  EXPECT_FALSE(stock.takeRefilledUnderrun()) << "restarted once";
}

TEST_F(Stock, RingRefusesABlockWhenEveryEntryWaits) {
  for (int i = 0; i < kBlockRingSize; ++i) EXPECT_TRUE(stock.addBlock(100 + i));
  EXPECT_FALSE(stock.addBlock(1000));
  EXPECT_EQ(stock.frontX(), 100 + kBlockRingSize - 1);
  stock.playedUpTo(100 - kStepPixels);
  EXPECT_TRUE(stock.addBlock(1000));
}

// The player counts down on its thread while the loop adds: no block is
// counted twice or lost.
TEST_F(Stock, PlayerAndLoopOnTwoThreadsAgreeOnTheCount) {
  constexpr int kBlocks = 5000;
  std::atomic<int> added{0};
  std::thread loop([&] {
    for (int i = 1; i <= kBlocks; ++i) {
      while (stock.stock() >= kStockCapacity) std::this_thread::yield();
      stock.addBlock(10 * i);
      added.store(i);
    }
  });
  int minimum = 0;
  // x is never within a step of the front: no underrun.
  for (int x = 0; x < 10 * kBlocks - kStepPixels - 1;) {
    if (x + kStepPixels + 1 < 10 * added.load()) ++x;
    stock.playedUpTo(x);
    minimum = std::min(minimum, stock.stock());
  }
  loop.join();
  EXPECT_GE(minimum, -1);
  EXPECT_EQ(stock.stock(), 0) << "only the last block is left to play";
  EXPECT_EQ(stock.frontX(), 10 * kBlocks);
}

TEST(CutAndShiftMelody, DropsWhatStartsBeforeTheCutAndMovesTheRestToTheBeginning) {
  Score score;
  FakeUi ui;
  const NoteCode played = makeMelodyNote(4300, 60, 8, kSopranoSet);
  const NoteCode across = makeMelodyNote(4337, 62, 8, kSopranoSet);   // starts before the cut at step 4338
  const NoteCode atCut = makeMelodyNote(4338, 64, 4, kSopranoSet);
  const NoteCode later = makeMelodyNote(4400, 65, 4, kAltoSet);
  const NoteCode drum = makeDrumNote(4300, 3, 1, 3, 100);
  for (NoteCode c : {played, across, atCut}) addNote(score, kSopranoSet, c);
  addNote(score, kAltoSet, later);
  addNote(score, kDrumSet3, drum);
  score.noteSets[kSelection] = {atCut};
  score.undo[kSopranoSet].record(kUndoAdded, NoteSet{atCut});

  EXPECT_EQ(cutAndShiftMelody(score, 4338 * kStepPixels), 4338 * kStepPixels - kSongStartX);
  const NoteSet soprano{withStart(atCut, kSongStartStep)};
  const NoteSet alto{withStart(later, kSongStartStep + 62)};
  EXPECT_EQ(score.noteSets[kSopranoSet], soprano);
  EXPECT_EQ(score.noteSets[kAltoSet], alto);
  EXPECT_EQ(score.noteSets[kMelodyView], (NoteSet{*soprano.begin(), *alto.begin()}));
  EXPECT_EQ(score.noteSets[kDrumSet3].size(), 1u) << "drums are not the melody's";
  EXPECT_TRUE(score.noteSets[kSelection].empty());
  EXPECT_FALSE(score.undo[kSopranoSet].canUndo());
}

TEST(AutoSave, NamedAfterTheLocalTimeNeverOverwritesAnEarlierSaveAndReportsAFolderThatIsGone) {
  const TempFolder tempFolder;
  const std::filesystem::path& folder = tempFolder.path();
  std::tm when{};
  when.tm_year = 2026 - 1900, when.tm_mday = 7, when.tm_hour = 3, when.tm_min = 4, when.tm_sec = 5;
  const auto notesIn = [](const std::string& path) {
    Score read;
    FakeUi ui;
    ReadOptions merged;
    merged.merged = true;
    ImportResult result;
    const auto bytes = readWholeFile(path);
    EXPECT_TRUE(bytes && readMidiBytes(read, ui, *bytes, merged, result) == 0) << path;
    return read.noteSets[kMelodyView].size();
  };
  Score score;
  addNote(score, kSopranoSet, makeMelodyNote(2, 72, 4, kSopranoSet));
  const AutoSaveResult first = saveSongAutomatically(score, folder.string(), when);
  EXPECT_EQ(first.path, (folder / "20260107030405.midi").string()) << first.error;
  // A second save in the same second, of a longer song.
  addNote(score, kSopranoSet, makeMelodyNote(6, 74, 4, kSopranoSet));
  const AutoSaveResult second = saveSongAutomatically(score, folder.string(), when);
  EXPECT_EQ(second.path, (folder / "20260107030405-2.midi").string()) << second.error;
  EXPECT_EQ(notesIn(first.path), 1u);
  EXPECT_EQ(notesIn(second.path), 2u);

  const AutoSaveResult gone = saveSongAutomatically(score, (folder / "gone").string(), when);
  EXPECT_FALSE(gone.error.empty());
  EXPECT_TRUE(gone.path.empty());
}

}  // namespace
}  // namespace quorvel::test
