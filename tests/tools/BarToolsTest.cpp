#include "tools/BarTools.h"

#include <functional>

#include "ToolFixture.h"

namespace quorvel {
namespace {

// A note of a set: melody parts 0..3 with key and length in steps, drum sets 4..7 with lane and length.
struct Note {
  int set, position, key, length;
  bool operator==(const Note&) const = default;
};
void PrintTo(const Note& n, std::ostream* os) {
  *os << "{set " << n.set << ", " << n.position << ", " << n.key << ", " << n.length << "}";
}

class BarToolsTest : public ToolFixture {
 protected:
  void someHistory() { score.undo[2].recordOne(makeMelodyNote(2, 60, 1, 2)); }

  // Runs a tool on a song of the given notes and checks its answer and every note afterwards.
  // Every tool that changes the song also forgets the undo history.
  void expectTool(const std::function<int(Score&, Ui&)>& tool, const std::vector<Note>& notes, int result,
                  const std::vector<Note>& expected) {
    clearAll(score, ui);
    for (const Note& n : notes) {
      if (n.set < kDrumSet0) melody(n.set, n.position, n.key, n.length);
      else addNote(score, n.set, makeDrumNote(startOf(n.position), n.key, n.length, n.set - kDrumSet0, 100));
    }
    someHistory();
    EXPECT_EQ(tool(score, ui), result);
    std::vector<Note> after;
    for (int index = kBassSet; index <= kDrumSet3; ++index)
      for (NoteCode c : set(index)) {
        const bool isDrum = index >= kDrumSet0;
        after.push_back({index, (noteStart(c) - kSongStartStep) * 5, isDrum ? drumRow(c) : melodyKey(c),
                         isDrum ? drumLength(c) : melodyLength(c)});
      }
    EXPECT_EQ(after, expected);
    if (result == 0) {
      EXPECT_FALSE(score.undo[2].canUndo());
    }
    expectViewsInStep();
  }
};

TEST_F(BarToolsTest, TrimMovesTheSongToItsFirstNoteOrItsFirstHit) {
  const auto trim = [](bool byDrums) {
    return [byDrums](Score& s, Ui& ui) { return trimOpeningSilence(s, ui, byDrums); };
  };
  expectTool(trim(false), {{3, 160, 60, 4}, {7, 80, 5, 1}}, 0, {{3, 80, 60, 4}, {7, 0, 5, 1}});
  EXPECT_TRUE(score.isModified());
  EXPECT_EQ(trimOpeningSilence(score, ui, false), -2);  // already at the origin
  // By the drums: melody before the first hit is deleted.
  expectTool(trim(true), {{2, 80, 60, 4}, {2, 200, 62, 4}, {4, 160, 1, 1}}, 0, {{2, 40, 62, 4}, {4, 0, 1, 1}});
  expectTool(trim(true), {{2, 80, 60, 4}}, 0, {{2, 0, 60, 4}});  // no drums: the melody decides
}

TEST_F(BarToolsTest, RegulateClosesLongSilencesToOneBarAndCapsNotesAtOneBar) {
  const std::function<int(Score&, Ui&)> regulate = regulateBarLength;
  // Two bars of silence in the edited part; the alto runs into the removed stretch or lies inside it.
  expectTool(regulate, {{3, 0, 72, 16}, {3, 240, 74, 4}, {2, 120, 60, 16}, {2, 200, 62, 4}, {2, 260, 64, 4}}, 0,
             {{2, 120, 60, 8}, {2, 180, 64, 4}, {3, 0, 72, 16}, {3, 160, 74, 4}});
  expectTool(regulate, {{3, 0, 72, 4}, {3, 100, 72, 4}}, -2, {{3, 0, 72, 4}, {3, 100, 72, 4}});  // exactly a bar
  expectTool(regulate, {{0, 0, 40, 30}}, 0, {{0, 0, 40, 16}});  // edited part empty: only the cap applies
}

TEST_F(BarToolsTest, ReduceHalvesUntilTheShortestNoteIsOneStepKeepingTheTopOfNotesLandingTogether) {
  const std::function<int(Score&, Ui&)> reduce = reduceNoteValues;
  expectTool(reduce, {{3, 0, 72, 4}, {3, 20, 74, 8}, {1, 40, 50, 3}, {7, 40, 1, 1}}, 0,
             {{1, 10, 50, 1}, {3, 0, 72, 1}, {3, 5, 74, 2}, {7, 40, 1, 1}});
  EXPECT_EQ(reduceNoteValues(score, ui), -2);
  // Steps 2 and 3 both land on step 1.
  expectTool(reduce, {{3, 0, 72, 2}, {3, 0, 67, 2}, {3, 0, 64, 2}, {3, 10, 60, 2}, {3, 15, 62, 2}}, 0,
             {{3, 0, 72, 1}, {3, 5, 60, 1}});
}

TEST_F(BarToolsTest, DivideDealsChordsIntoLinesFromTheTop) {
  const std::function<int(Score&, Ui&)> divide = divideIntoParts;
  // A cut note goes whole to the next line.
  expectTool(divide, {{0, 0, 60, 16}, {1, 20, 72, 4}}, 0,
             {{2, 0, 60, 16}, {3, 0, 60, 4}, {3, 20, 72, 4}, {3, 40, 60, 8}});
  // Five notes at once: dealt from the top, the lowest dropped.
  expectTool(divide, {{3, 0, 72, 4}, {3, 0, 67, 4}, {3, 0, 64, 4}, {3, 0, 60, 4}, {3, 0, 55, 4}}, 0,
             {{0, 0, 60, 4}, {1, 0, 64, 4}, {2, 0, 67, 4}, {3, 0, 72, 4}});
}

}  // namespace
}  // namespace quorvel
