#include "tools/BarTools.h"
#include "ToolFixture.h"

namespace quorvel {
namespace {

using ::testing::ElementsAre;

class BarToolsTest : public ToolFixture {
 protected:
  std::vector<int> lengths(int index) const {
    std::vector<int> out;
    for (NoteCode c : set(index)) out.push_back(melodyLength(c));
    return out;
  }
  void someHistory() { score.undo[2].recordOne(makeMelodyNote(2, 60, 1, 2)); }
};

TEST_F(BarToolsTest, TrimMovesTheSongToItsFirstNote) {
  melody(3, 160, 60);  // bar 3
  const NoteCode hit = drum(3, 80);  // bar 2
  someHistory();
  EXPECT_EQ(trimOpeningSilence(score, ui, false), 0);
  EXPECT_THAT(positions(3), ElementsAre(80));
  EXPECT_THAT(positions(7), ElementsAre(0));
  EXPECT_EQ(drumRow(*set(7).begin()), drumRow(hit));
  EXPECT_FALSE(score.undo[2].canUndo());
  EXPECT_TRUE(score.isModified());
  expectViewsInStep();
  EXPECT_EQ(trimOpeningSilence(score, ui, false), -2);  // already at the origin
}

TEST_F(BarToolsTest, TrimByTheDrumsDeletesMelodyBeforeTheFirstHit) {
  EXPECT_EQ(trimOpeningSilence(score, ui, true), -2);
  melody(3, 160, 60);
  drum(3, 80);
  EXPECT_EQ(trimOpeningSilence(score, ui, true), 0);
  EXPECT_THAT(positions(3), ElementsAre(80));

  removeSet(score, 3);
  removeSet(score, 7);
  melody(2, 80, 60);
  melody(2, 200, 62);
  drum(0, 160);
  trimOpeningSilence(score, ui, true);
  EXPECT_THAT(positions(2), ElementsAre(40));
  EXPECT_THAT(positions(4), ElementsAre(0));
  expectViewsInStep();

  removeSet(score, 4);
  EXPECT_EQ(trimOpeningSilence(score, ui, true), 0);  // no drums: the melody decides
  EXPECT_THAT(positions(2), ElementsAre(0));
}

TEST_F(BarToolsTest, RegulateClosesLongSilencesToOneBarInEveryPart) {
  melody(3, 0, 72, 16);
  melody(3, 240, 74, 4);  // two bars of silence before it
  melody(2, 120, 60, 16);  // runs into the removed stretch
  melody(2, 200, 62, 4);   // inside the removed stretch
  melody(2, 260, 64, 4);
  someHistory();
  EXPECT_EQ(regulateBarLength(score, ui), 0);
  EXPECT_THAT(positions(3), ElementsAre(0, 160));
  EXPECT_THAT(positions(2), ElementsAre(120, 180));
  EXPECT_THAT(lengths(2), ElementsAre(8, 4));
  EXPECT_FALSE(score.undo[2].canUndo());
  expectViewsInStep();
}

TEST_F(BarToolsTest, RegulateClosesSeveralGapsOneAfterAnother) {
  for (int p : {0, 200, 500}) melody(3, p, 72, 4);
  melody(3, 500, 67, 2);  // a chord note that moves with its neighbour
  melody(0, 150, 40, 4);  // inside the first gap
  melody(0, 510, 41, 4);
  regulateBarLength(score, ui);
  EXPECT_THAT(positions(3), ElementsAre(0, 100, 200, 200));
  EXPECT_THAT(positions(0), ElementsAre(210));
}

TEST_F(BarToolsTest, RegulateCapsNotesAtOneBarAndLeavesShortSilences) {
  melody(3, 0, 72, 4);
  melody(3, 100, 72, 4);  // exactly a bar of silence
  EXPECT_EQ(regulateBarLength(score, ui), -2);
  someHistory();
  melody(1, 0, 50, 20);
  EXPECT_EQ(regulateBarLength(score, ui), 0);
  EXPECT_THAT(lengths(1), ElementsAre(16));
  EXPECT_THAT(positions(3), ElementsAre(0, 100));
  EXPECT_FALSE(score.undo[2].canUndo());

  removeSet(score, 3);
  melody(0, 0, 40, 30);  // edited part empty: only the cap applies
  EXPECT_EQ(regulateBarLength(score, ui), 0);
  EXPECT_THAT(lengths(0), ElementsAre(16));
}

TEST_F(BarToolsTest, ReduceHalvesUntilTheShortestNoteIsOneStep) {
  melody(3, 0, 72, 4);
  melody(3, 20, 74, 8);
  melody(1, 40, 50, 3);
  const NoteCode hit = drum(3, 40);
  someHistory();
  EXPECT_EQ(reduceNoteValues(score, ui), 0);
  EXPECT_THAT(positions(3), ElementsAre(0, 5));
  EXPECT_THAT(lengths(3), ElementsAre(1, 2));
  EXPECT_THAT(positions(1), ElementsAre(10));
  EXPECT_THAT(lengths(1), ElementsAre(1));
  EXPECT_EQ(set(7).count(hit), 1u);
  EXPECT_FALSE(score.undo[2].canUndo());
  expectViewsInStep();
  EXPECT_EQ(reduceNoteValues(score, ui), -2);
}

TEST_F(BarToolsTest, ReduceKeepsOnlyTheTopNoteOfNotesLandingTogether) {
  for (int key : {72, 67, 64}) melody(3, 0, key, 2);
  melody(3, 10, 60, 2);
  melody(3, 15, 62, 2);  // steps 2 and 3 both land on step 1
  reduceNoteValues(score, ui);
  EXPECT_THAT(keys(3), ElementsAre(72, 60));
  EXPECT_THAT(positions(3), ElementsAre(0, 5));
}

TEST_F(BarToolsTest, DivideDealsChordsIntoLinesFromTheTop) {
  for (int p : {0, 20, 40}) {
    for (int key : {72, 67, 64}) melody(3, p, key + p / 20);
  }
  someHistory();
  EXPECT_EQ(divideIntoParts(score, ui), 0);
  EXPECT_THAT(keys(3), ElementsAre(72, 73, 74));
  EXPECT_THAT(keys(2), ElementsAre(67, 68, 69));
  EXPECT_THAT(keys(1), ElementsAre(64, 65, 66));
  EXPECT_TRUE(set(0).empty());
  for (int part = 0; part < 4; ++part) {
    for (NoteCode c : set(part)) EXPECT_EQ(melodyPart(c), part);
  }
  EXPECT_FALSE(score.undo[2].canUndo());
  expectViewsInStep();
}

TEST_F(BarToolsTest, DivideGivesACutNoteWholeToTheNextLine) {
  melody(0, 0, 60, 16);
  melody(1, 20, 72, 4);
  divideIntoParts(score, ui);
  EXPECT_THAT(keys(3), ElementsAre(60, 72, 60));
  EXPECT_THAT(lengths(3), ElementsAre(4, 4, 8));
  EXPECT_THAT(keys(2), ElementsAre(60));
  EXPECT_THAT(lengths(2), ElementsAre(16));
  EXPECT_TRUE(set(1).empty());
  EXPECT_TRUE(set(0).empty());
}

TEST_F(BarToolsTest, DivideDropsWhatIsLeftAfterFourLines) {
  for (int key : {72, 67, 64, 60, 55}) melody(3, 0, key);
  EXPECT_EQ(divideIntoParts(score, ui), 0);
  EXPECT_EQ(set(kMelodyView).size(), 4u);
  EXPECT_THAT(keys(0), ElementsAre(60));
}

}  // namespace
}  // namespace quorvel
