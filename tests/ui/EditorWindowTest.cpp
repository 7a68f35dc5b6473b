// The main window as a user meets it: zoom from the keys and the View menu,
// an answer in the status bar for every tool, greyed Undo/Redo, the part
// buttons after drums editing, the drums band toggled in place, dropped files
// and closing.
#include <QApplication>
#include <QDropEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <filesystem>
#include <fstream>

#include "MainWindowFixture.h"
#include "app/MenuTable.h"
#include "ui/Menus.h"
#include "ui/views/NoteGridView.h"
#include "ui/views/PianoRoll.h"

namespace quorvel {
namespace {

class EditorWindowTest : public test::MainWindowFixture {
 protected:
  QMenu* menuTitled(const QString& title) {
    for (QAction* a : window->menuBar()->actions())
      if (a->text() == title) return a->menu();
    return nullptr;
  }
  QString status(int field) { return window->statusFields()->field(field); }
  void key(int qtKey, Qt::KeyboardModifiers mods) { QTest::keyClick(&window->pianoRoll()->melodyGrid(), Qt::Key(qtKey), mods); }
  // Answers the next modal message box with the given button.
  static void answerNextBox(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [button] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->button(button)->click();
    });
  }
};

TEST_F(EditorWindowTest, ZoomFromTheKeysAndTheViewMenuScalesTheNotes) {
  const NoteCode n = makeMelodyNote(10, 72, 8, kSoprano);
  addNote(app.score, kSopranoSet, n);
  ui.redraw(RedrawTarget::All);
  views::NoteGridView& grid = window->pianoRoll()->melodyGrid();
  const int width = grid.noteRect(n).width();
  key(Qt::Key_Plus, Qt::ControlModifier);
  key(Qt::Key_Equal, Qt::ControlModifier);
  EXPECT_NEAR(grid.noteRect(n).width(), width * 1.5625, 1.0);
  key(Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_NEAR(grid.noteRect(n).width(), width * 1.25, 1.0);
  ASSERT_NE(command(cmd::kFitSong), nullptr);
  command(cmd::kFitSong)->trigger();
  EXPECT_GT(grid.noteRect(n).width(), 3 * width) << "one short note: the four-bar minimum fills the width";
}

TEST_F(EditorWindowTest, ToolsAnswerInTheStatusBarUncut) {
  addNote(app.score, kSopranoSet, makeMelodyNote(40, 72, 4, kSoprano));
  command(cmd::kTrimOpeningSilence)->trigger();
  EXPECT_EQ(status(1), "Trimmed the opening silence: 1 note moved");
  QLabel* message = window->statusFields()->fieldLabel(1);
  EXPECT_GE(message->width(), message->sizeHint().width()) << "a long answer is not cut";
}

TEST_F(EditorWindowTest, UndoAndRedoAreGreyedWithNothingToUndo) {
  QMenu* edit = menuTitled("&Edit");
  ASSERT_NE(edit, nullptr);
  updateMenuState(*edit, app);
  EXPECT_FALSE(command(cmd::kUndo)->isEnabled());
  EXPECT_FALSE(command(cmd::kRedo)->isEnabled());
  EXPECT_FALSE(command(cmd::kCopy)->isEnabled());
  const NoteCode n = makeMelodyNote(10, 72, 4, kSoprano);
  addNote(app.score, kSopranoSet, n);
  app.score.undo[kSopranoSet].record(kUndoAdded, NoteSet{n});
  updateMenuState(*edit, app);
  EXPECT_TRUE(command(cmd::kUndo)->isEnabled());
  EXPECT_FALSE(command(cmd::kRedo)->isEnabled());
  command(cmd::kUndo)->trigger();
  updateMenuState(*edit, app);
  EXPECT_FALSE(command(cmd::kUndo)->isEnabled());
  EXPECT_TRUE(command(cmd::kRedo)->isEnabled());
  EXPECT_EQ(status(1), "Undone: 1 note changed");
}

TEST_F(EditorWindowTest, PartButtonsShowDrumsEditingAndDrumsTogglesTheBandInPlace) {
  ToolBand& band = window->toolBand();
  ASSERT_TRUE(band.button(cmd::kSoprano)->isChecked());
  band.button(cmd::kDrumsMiddle)->trigger();
  EXPECT_TRUE(app.score.drumsEditMode());
  for (int id : {cmd::kSoprano, cmd::kAlto, cmd::kTenor, cmd::kBass}) EXPECT_FALSE(band.button(id)->isChecked()) << id;
  EXPECT_TRUE(band.button(cmd::kDrumsMiddle)->isChecked());
  band.button(cmd::kTenor)->trigger();
  EXPECT_TRUE(band.button(cmd::kTenor)->isChecked());
  EXPECT_FALSE(band.button(cmd::kDrumsMiddle)->isChecked());

  const QSize size = window->size();
  const int gridHeight = window->pianoRoll()->melodyGrid().height();
  band.button(cmd::kDrums)->trigger();
  QApplication::processEvents();
  EXPECT_EQ(window->size(), size);
  EXPECT_GT(window->pianoRoll()->melodyGrid().height(), gridHeight) << "the melody takes the band's room";
  EXPECT_FALSE(window->pianoRoll()->drumGrid().isVisible());
}

TEST_F(EditorWindowTest, TheToolbarsShowEveryLabelAt1280Pixels) {
  for (int i = 0; i < kToolbarCount; ++i) {
    QToolBar* bar = window->toolBand().toolbar(i);
    for (QAction* action : bar->actions()) {
      QWidget* button = bar->widgetForAction(action);
      ASSERT_NE(button, nullptr);
      EXPECT_TRUE(button->isVisible()) << action->text().toStdString() << " is pushed into the overflow menu";
      EXPECT_LE(button->geometry().right(), bar->width()) << action->text().toStdString();
    }
  }
}

TEST_F(EditorWindowTest, DroppedNoteSequenceLandsInSoprano) {
  const std::filesystem::path file = folder.path() / "line.g1";
  std::ofstream(file) << std::hex << makeMelodyNote(0, 67, 4, kBass) << ' ' << makeMelodyNote(0, 69, 4, kBass);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
  // Qt delivers a drop only to a widget that accepted the drag entering it.
  QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &drop);
  EXPECT_EQ(app.score.noteSets[kSopranoSet].size(), 2u);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("(no title)* - Quorvel"));
}

TEST_F(EditorWindowTest, ClosingAModifiedSongAndCancellingKeepsTheWindow) {
  addNote(app.score, kSopranoSet, makeMelodyNote(10, 72, 4, kSoprano));
  markModified(app.score, ui);
  answerNextBox(QMessageBox::Cancel);
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(std::filesystem::exists(app.settingsPath));

  answerNextBox(QMessageBox::No);
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(std::filesystem::exists(app.settingsPath));
}

}  // namespace
}  // namespace quorvel
