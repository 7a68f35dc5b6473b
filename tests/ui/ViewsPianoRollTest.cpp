#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <QSplitter>
#include <QWheelEvent>

#include "app/ViewZoom.h"
#include "support/FakeUi.h"
#include "ui/views/NoteGridView.h"
#include "ui/views/PianoRoll.h"
#include "ui/views/RulerView.h"
#include "ui/views/ViewPalette.h"

namespace quorvel::views {
namespace {

using test::FakeUi;

void sendMouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QMouseEvent event(type, QPointF(at), QPointF(w.mapToGlobal(at)), button, held, mods);
  QApplication::sendEvent(&w, &event);
}

// What a real double-click delivers: press, release, double-click, release.
void doubleClick(QWidget& w, Qt::MouseButton button, QPoint at) {
  QTest::mouseClick(&w, button, Qt::NoModifier, at);
  QTest::mouseDClick(&w, button, Qt::NoModifier, at);
  QTest::mouseRelease(&w, button, Qt::NoModifier, at);
}

void dragWith(QWidget& w, QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::mousePress(&w, Qt::LeftButton, mods, from);
  sendMouse(w, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton, mods);
  sendMouse(w, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, mods);
  QTest::mouseRelease(&w, Qt::LeftButton, mods, to);
}

class ViewsPianoRollTest : public ::testing::Test {
 protected:
  void SetUp() override {
    roll = std::make_unique<PianoRoll>(score, ui, view, transport);
    roll->resize(900, 560);
    roll->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(roll.get()));
    roll->scrollToX(0);
    view.scrollY = 150;
    roll->redraw(RedrawTarget::All);
  }

  NoteGridView& grid() { return roll->melodyGrid(); }
  const NoteSet& set(int i) const { return score.noteSets[static_cast<std::size_t>(i)]; }
  // Client point in the row of a key at a timeline x of the melody grid.
  QPoint at(int x, int key) const { return {x - view.scrollX + 2, rowY(kMaxMelodyKey - key) - view.scrollY + 2}; }
  QColor pixelOf(NoteGridView& g, NoteCode code) {
    const QRect r = g.noteRect(code);
    return g.pixmap().toImage().pixelColor(r.x() + r.width() / 2, r.y() + 2);
  }

  Score score;
  FakeUi ui;
  ViewState view{};
  ViewTransport transport;
  std::unique_ptr<PianoRoll> roll;
};

// What each gesture does is checked headless in ViewGridEditorTest; here the widget's events reach it.
TEST_F(ViewsPianoRollTest, DrawSelectMoveCopyDeleteAndUndoWithTheMouse) {
  doubleClick(grid(), Qt::LeftButton, at(90, 72));
  const NoteCode drawn = makeMelodyNote(18, 72, 4, kSoprano);
  ASSERT_EQ(set(kSopranoSet), NoteSet{drawn});

  QTest::mouseClick(&grid(), Qt::LeftButton, Qt::NoModifier, at(92, 72));
  EXPECT_EQ(set(kSelection), NoteSet{drawn});

  dragWith(grid(), at(92, 72), at(172, 74));
  const NoteCode moved = drawn + 16 * kStepDelta - 2 * kMelodyRowDelta;
  EXPECT_EQ(set(kSopranoSet), NoteSet{moved});
  roll->undo();
  EXPECT_EQ(set(kSopranoSet), NoteSet{drawn});
  roll->undo();
  EXPECT_TRUE(set(kSopranoSet).empty());
  roll->redo();
  roll->redo();
  EXPECT_EQ(set(kSopranoSet), NoteSet{moved});

  QTest::mouseClick(&grid(), Qt::LeftButton, Qt::NoModifier, at(172, 74));
  dragWith(grid(), at(172, 74), at(332, 74), Qt::ControlModifier);
  const NoteCode copy = moved + 32 * kStepDelta;
  EXPECT_EQ(set(kSopranoSet), (NoteSet{moved, copy}));
  doubleClick(grid(), Qt::RightButton, at(172, 74));
  EXPECT_EQ(set(kSopranoSet), NoteSet{copy});
  roll->undo();
  EXPECT_EQ(set(kSopranoSet), (NoteSet{moved, copy}));
}

TEST_F(ViewsPianoRollTest, PasteFollowsTheMouseUntilAClick) {
  const NoteCode a = makeMelodyNote(10, 70, 4, kSoprano);
  addNote(score, kSopranoSet, a);
  QTest::mouseClick(&grid(), Qt::LeftButton, Qt::NoModifier, at(52, 70));
  roll->copy();
  roll->paste();
  sendMouse(grid(), QEvent::MouseMove, at(330, 65), Qt::NoButton, Qt::NoButton);
  const NoteCode placed = makeMelodyNote(66, 65, 4, kSoprano);
  EXPECT_EQ(pixelOf(grid(), placed), kSelectionFill) << "drawn where it would land";
  EXPECT_EQ(set(kSopranoSet).size(), 1u);
  QTest::mouseClick(&grid(), Qt::LeftButton, Qt::NoModifier, at(330, 65));
  EXPECT_EQ(set(kSopranoSet), (NoteSet{a, placed}));
  roll->undo();
  EXPECT_EQ(set(kSopranoSet), NoteSet{a});
}

TEST_F(ViewsPianoRollTest, RulerDragsTheCueWhilePlaybackPauses) {
  int pauses = 0, resumes = 0;
  transport.pause = [&] { ++pauses; score.clearFlag(kFlagPlaying); };
  transport.resume = [&] { ++resumes; };
  RulerView& ruler = roll->ruler();
  score.setFlag(kFlagPlaying);
  dragWith(ruler, QPoint(10, 24), QPoint(170, 24));
  EXPECT_EQ(score.cueIndicator.load(), 170);
  EXPECT_EQ(pauses, 1);
  EXPECT_EQ(resumes, 1);
  EXPECT_EQ(ui.status(0), "bars: 3, beats 1");
}

TEST_F(ViewsPianoRollTest, KeyboardEditsWaitWhileNotesHangOnTheMouse) {
  const NoteCode a = makeMelodyNote(10, 70, 4, kSoprano);
  addNote(score, kSopranoSet, a);
  score.undo[kSopranoSet].record(kUndoAdded, NoteSet{a});
  QTest::mousePress(&grid(), Qt::LeftButton, Qt::NoModifier, at(52, 70));
  sendMouse(grid(), QEvent::MouseMove, at(92, 70), Qt::NoButton, Qt::LeftButton);
  roll->undo();
  roll->deleteSelection();
  QTest::mouseRelease(&grid(), Qt::LeftButton, Qt::NoModifier, at(92, 70));
  EXPECT_EQ(set(kSopranoSet), NoteSet{a + 8 * kStepDelta});
  roll->undo();
  EXPECT_EQ(set(kSopranoSet), NoteSet{a});
}

void wheel(QWidget& w, QPoint at, int notches, Qt::KeyboardModifiers mods) {
  QWheelEvent event(QPointF(at), QPointF(w.mapToGlobal(at)), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, mods,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(&w, &event);
}

bool cueInView(const ViewState& v, const Score& s) {
  const int cue = s.cueIndicator.load();
  return cue >= v.scrollX && cue < v.scrollX + v.clientWidth;
}

TEST_F(ViewsPianoRollTest, ZoomScalesANotesRectangleAndKeepsTheCueWhereItWas) {
  const NoteCode n = makeMelodyNote(200, 72, 4, kSoprano);  // x 1000, 20 px wide
  addNote(score, kSopranoSet, n);
  score.cueIndicator = 1000;
  roll->scrollToX(900);
  const QRect before = grid().noteRect(n);
  ASSERT_EQ(before.width(), 20);
  ASSERT_EQ(before.height(), 5);

  wheel(grid(), QPoint(50, 50), 3, Qt::ControlModifier);
  EXPECT_GT(view.zoomX, 1.9);
  const QRect zoomed = grid().noteRect(n);
  EXPECT_NEAR(zoomed.width(), 20 * view.zoomX, 1.0);
  EXPECT_NEAR(zoomed.x(), before.x(), 2) << "the cue, and the note on it, keep their place on screen";
  EXPECT_TRUE(cueInView(view, score));
  EXPECT_EQ(pixelOf(grid(), n), partColour(kSoprano)) << "drawn where noteRect says";

  // Far out the whole timeline fits; the note keeps a visible pixel and the cue stays in view.
  for (int i = 0; i < 30; ++i) wheel(grid(), QPoint(50, 50), -1, Qt::ControlModifier);
  EXPECT_EQ(view.zoomX, kMinZoomX);
  EXPECT_GE(grid().noteRect(n).width(), 1);
  EXPECT_TRUE(cueInView(view, score));
  EXPECT_EQ(view.scrollX, 0);

  // The pitch axis: rows grow, the time axis stays.
  const double zoomX = view.zoomX;
  wheel(grid(), QPoint(50, 50), 2, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(view.zoomX, zoomX);
  EXPECT_NEAR(grid().noteRect(n).height(), 5 * view.zoomY, 1.0);
  EXPECT_GT(view.zoomY, 1.5);
}

TEST_F(ViewsPianoRollTest, FitSongShowsEveryNoteAndTheRulerFollowsTheZoom) {
  const NoteCode last = makeMelodyNote(2 + 64 * 16, 60, 16, kBass);  // bar 65
  addNote(score, kBassSet, last);
  ASSERT_TRUE(fitSong(view, score));
  roll->redraw(RedrawTarget::All);
  EXPECT_EQ(view.scrollX, 0);
  const QRect r = grid().noteRect(last);
  EXPECT_GT(r.left(), grid().width() / 2);
  EXPECT_LE(r.right(), grid().width());
  // A click on the ruler lands on the zoomed timeline: screen x 200 is timeline x 200 / zoom.
  score.cueIndicator = 10;
  QTest::mouseClick(&roll->ruler(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 24));
  dragWith(roll->ruler(), QPoint(2, 24), QPoint(200, 24));
  EXPECT_NEAR(score.cueIndicator.load(), 200 / view.zoomX, 6);
}

TEST_F(ViewsPianoRollTest, TheDrumsBandResizesAndItsLanesStayReadable) {
  const NoteCode hit = makeDrumNote(10, 12, 2, 3, 127);
  addNote(score, kDrumSet3, hit);
  roll->redraw(RedrawTarget::All);
  const int laneHeight = roll->drumGrid().noteRect(hit).height();
  EXPECT_GE(laneHeight, 10) << "ten pixels a lane fit a readable name";
  QSplitter& splitter = roll->splitter();
  const QList<int> sizes = splitter.sizes();
  splitter.setSizes({sizes[0] - 100, sizes[1] + 100});
  QApplication::processEvents();
  EXPECT_GT(roll->drumGrid().noteRect(hit).height(), laneHeight);
}

}  // namespace
}  // namespace quorvel::views
