#include <gtest/gtest.h>

#include "app/ViewGridEditor.h"
#include "support/FakeUi.h"

namespace quorvel {
namespace {

using test::FakeUi;

constexpr ViewModifiers kPlain{};
constexpr ViewModifiers kCtrl{true, false};

// Client point inside the row of a key, at timeline x (the view is not scrolled).
int rowClientY(int key) { return rowY(kMaxMelodyKey - key) + 2; }

class ViewGridEditorTest : public ::testing::Test {
 protected:
  const NoteSet& set(int i) const { return score.noteSets[static_cast<std::size_t>(i)]; }
  NoteCode put(int start, int key, int length) {
    const NoteCode c = makeMelodyNote(start, key, length, kSoprano);
    addNote(score, kSopranoSet, c);
    return c;
  }
  void click(int x, int key, ViewModifiers mods = kPlain) {
    melody.leftDown(x, rowClientY(key), mods);
    melody.leftUp();
  }
  // A double-click and its release, at a client point.
  static void doubleClick(ViewGridEditor& grid, int x, int y, ViewModifiers mods = kPlain) {
    grid.leftDoubleClick(x, y, mods);
    grid.leftUp();
  }
  void drag(int fromX, int fromKey, int toX, int toKey, ViewModifiers mods = kPlain) {
    melody.leftDown(fromX, rowClientY(fromKey), mods);
    melody.mouseMove(toX, rowClientY(toKey), true, mods);
    melody.leftUp();
  }
  std::size_t undoSteps(int s) const { return score.undo[static_cast<std::size_t>(s)].cursor(); }

  Score score;
  FakeUi ui;
  ViewState view{};
  ViewGridEditor melody{score, ui, view, GridKind::Melody};
  ViewGridEditor drums{score, ui, view, GridKind::Drums};
};

TEST_F(ViewGridEditorTest, DoubleClickDrawsANoteThatCountsOnlyOnRelease) {
  view.newNoteLength = 40;
  melody.leftDoubleClick(52, rowClientY(60), kPlain);
  const NoteCode expected = makeMelodyNote(10, 60, 8, kSoprano);
  EXPECT_EQ(melody.drag(), DragKind::NewNote);
  EXPECT_TRUE(set(kSopranoSet).empty());
  melody.mouseMove(72, rowClientY(62), true, kPlain);  // dragged before release: 4 steps on, 2 keys up
  melody.leftUp();
  const NoteCode placed = expected + 4 * kStepDelta - 2 * kMelodyRowDelta;
  EXPECT_EQ(set(kMelodyView), NoteSet{placed});
  EXPECT_TRUE(set(kDragSet).empty());
  EXPECT_TRUE(score.isModified());
}

TEST_F(ViewGridEditorTest, DoubleClickCreatesNothingWhenItShouldNot) {
  put(40, 60, 4);
  click(202, 60);  // a selection: the double-click only acts as a click
  doubleClick(melody, 402, rowClientY(60));
  EXPECT_EQ(set(kSopranoSet).size(), 1u);
  EXPECT_TRUE(set(kSelection).empty());
  doubleClick(melody, 5, rowClientY(60));  // left of the song's start
  EXPECT_EQ(set(kSopranoSet).size(), 1u);

  view.clientWidth = 400;
  view.scrollX = maxScrollX(view);
  doubleClick(melody, 395, rowClientY(60));  // x 21785: past the timeline
  EXPECT_EQ(set(kSopranoSet).size(), 1u);
  doubleClick(melody, 375, rowClientY(60));  // x 21765: shortened to end at 21770
  EXPECT_EQ(set(kSopranoSet).count(makeMelodyNote(4353, 60, 1, kSoprano)), 1u);
  EXPECT_EQ(set(kSopranoSet).size(), 2u);
}

TEST_F(ViewGridEditorTest, TheStatusBarShowsBarBeatAndKeyUnderTheMouse) {
  melody.mouseMove(10 + 80 + 40 + 3, rowClientY(60), false, kPlain);  // bar 2, third beat
  EXPECT_EQ(ui.status(3), "bars: 2, beats 3  C3(60)");
  drums.mouseMove(12, 20, false, kPlain);
  EXPECT_EQ(ui.status(3), "bars: 1, beats 1") << "drum lanes have no key name";
}

TEST_F(ViewGridEditorTest, AClickHitsTheOverlappingNoteThatSortsLast) {
  const NoteCode early = put(10, 60, 8);
  const NoteCode late = put(12, 60, 4);
  put(12, 62, 4);  // another row
  EXPECT_EQ(melody.hitTest({65, rowY(62)}), late);
  EXPECT_EQ(melody.hitTest({55, rowY(62)}), early);
  EXPECT_EQ(melody.hitTest({90, rowY(62)}), std::nullopt);  // 10 + 8 steps ends at x 90
  click(67, 60);
  EXPECT_EQ(set(kSelection), NoteSet{late});
  click(300, 60);  // empty grid clears the selection
  EXPECT_TRUE(set(kSelection).empty());
}

TEST_F(ViewGridEditorTest, RubberBandSelectsRowsAndOverlappingSpans) {
  view.tool = ViewTool::Select;
  const NoteCode longFromLeft = put(10, 60, 100);  // starts 400 px left of the band, reaches into it
  const NoteCode inside = put(100, 58, 4);
  put(10, 58, 4);                                  // ends before the band
  put(100, 50, 4);                                 // row below the band
  put(100, 64, 4);                                 // row above the band
  drag(450, 62, 600, 56);
  EXPECT_EQ(set(kSelection), (NoteSet{longFromLeft, inside}));
  EXPECT_FALSE(score.hasFlag(kFlagRubberBand));
  // Ctrl keeps the selection and never selects a note twice.
  drag(450, 62, 600, 56, kCtrl);
  EXPECT_EQ(set(kSelection).size(), 2u);
}

TEST_F(ViewGridEditorTest, DraggingASelectionMovesOrWithCtrlCopiesItAsOneUndoStep) {
  const NoteCode a = put(10, 60, 4);
  const NoteCode b = put(20, 62, 4);
  click(52, 60);
  click(102, 62, kCtrl);
  drag(52, 60, 67, 58);  // 3 steps later, 2 keys lower
  const std::uint32_t delta = 3 * kStepDelta + 2 * kMelodyRowDelta;
  EXPECT_EQ(set(kMelodyView), (NoteSet{a + delta, b + delta}));
  EXPECT_EQ(set(kSelection), (NoteSet{a + delta, b + delta}));
  undo(score, ui);
  EXPECT_EQ(set(kSopranoSet), (NoteSet{a, b}));
  EXPECT_EQ(undoSteps(kSopranoSet), 0u);

  drag(52, 60, 132, 60, kCtrl);  // both notes are still selected
  EXPECT_EQ(set(kSelection), (NoteSet{a + 16 * kStepDelta, b + 16 * kStepDelta})) << "the copies are selected";
  undo(score, ui);
  click(52, 60);
  drag(52, 60, 53, 60, kCtrl);  // not a step: nothing added where it started
  EXPECT_EQ(set(kSopranoSet), (NoteSet{a, b}));
  EXPECT_EQ(undoSteps(kSopranoSet), 0u);
}

TEST_F(ViewGridEditorTest, AnUnselectedNoteIsLiftedAndDroppedAlone) {
  const NoteCode a = put(10, 60, 4);
  const NoteCode other = put(30, 60, 4);
  click(152, 60);  // selects the other note
  melody.leftDown(52, rowClientY(60), kPlain);
  melody.mouseMove(62, rowClientY(60), true, kPlain);
  EXPECT_EQ(melody.drag(), DragKind::Single);
  EXPECT_EQ(set(kSopranoSet), NoteSet{other}) << "lifted out while dragged";
  melody.leftUp();
  EXPECT_EQ(set(kSopranoSet), (NoteSet{a + 2 * kStepDelta, other}));
  undo(score, ui);
  EXPECT_EQ(set(kSopranoSet), (NoteSet{a, other}));
}

// Following the mouse and dropping on a click are checked on the widget.
TEST_F(ViewGridEditorTest, PasteGoesIntoTheEditedPartAndARightClickDropsIt) {
  const NoteCode a = put(10, 60, 4);
  click(52, 60);
  copySelection(score);
  score.settings.parts.editPart = kAlto;
  melody.beginPaste();
  melody.mouseMove(212, rowClientY(60), false, kPlain);  // 32 steps on
  melody.leftDown(212, rowClientY(60), kPlain);
  const NoteSet expected{withLowBits(a + 32 * kStepDelta, kAlto)};
  EXPECT_EQ(set(kAltoSet), expected);
  EXPECT_EQ(set(kSelection), expected);
  melody.beginPaste();
  melody.rightDown();
  EXPECT_EQ(melody.drag(), DragKind::None);
  EXPECT_TRUE(set(kDragSet).empty());
}

TEST_F(ViewGridEditorTest, DrumNotesGetTheLevelAndItsVelocity) {
  put(10, 60, 4);
  click(52, 60);
  score.settings.drums.drumSet = 6;
  doubleClick(drums, 52, rowY(12) + 1);
  EXPECT_TRUE(score.drumsEditMode());
  EXPECT_TRUE(set(kSelection).empty()) << "the melody selection goes when the drums become the edited view";
  EXPECT_EQ(set(6), NoteSet{makeDrumNote(10, 12, 4, 2, 100)});
  score.settings.drums.drumSet = 4;
  score.settings.drums.drumVelocity = 77;
  view.newDrumLength = 10;
  doubleClick(drums, 82, rowY(1) + 1);
  EXPECT_EQ(set(4), NoteSet{makeDrumNote(16, 1, 2, 0, 77)});
  doubleClick(drums, 102, rowY(13) + 1);  // no lane 13
  EXPECT_EQ(set(kDrumsView).size(), 2u);
}

TEST_F(ViewGridEditorTest, TheMouseChangesNothingWhileAGenerationRuns) {
  const NoteCode a = put(10, 60, 4);
  score.setFlag(kFlagGenerating);
  doubleClick(melody, 202, rowClientY(60));
  drag(52, 60, 152, 62);
  melody.rightDoubleClick(52, rowClientY(60));
  doubleClick(drums, 52, rowY(3) + 1);
  EXPECT_EQ(set(kSopranoSet), NoteSet{a});
  EXPECT_TRUE(set(kDrumsView).empty());
  EXPECT_FALSE(score.drumsEditMode());
  EXPECT_FALSE(score.isModified());
}

}  // namespace
}  // namespace quorvel
