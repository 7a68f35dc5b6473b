// The main window as a user meets it: zoom from the keys and the View menu,
// an answer in the status bar for every tool, greyed Undo/Redo, the part
// buttons after drums editing, the drums band toggled in place.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <memory>

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/MenuTable.h"
#include "settings/TempFolder.h"
#include "ui/MainWindow.h"
#include "ui/Menus.h"
#include "ui/QtUi.h"
#include "ui/views/NoteGridView.h"
#include "ui/views/PianoRoll.h"

namespace quorvel {
namespace {

class EditorWindowTest : public ::testing::Test {
 protected:
  void open(int language = 0) {
    app.settingsPath = folder.path() / "Quorvel.ini";
    app.score.settings.general.language = language;
    app.score.settings.window = WindowSettings{};
    app.score.settings.window.width = 1280;
    app.score.settings.window.height = 720;
    window = std::make_unique<MainWindow>(app);
    ui.attach(window.get());
    window->applyStoredPlacement();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  void TearDown() override {
    app.score.clearFlag(kFlagModified);
    window.reset();
  }
  QMenu* menuTitled(const QString& title) {
    for (QAction* a : window->menuBar()->actions())
      if (a->text() == title) return a->menu();
    return nullptr;
  }
  QAction* command(int id) { return window->findChild<QAction*>(QStringLiteral("command%1").arg(id)); }
  QString status(int field) { return window->statusFields()->field(field); }
  void key(int qtKey, Qt::KeyboardModifiers mods) { QTest::keyClick(&window->pianoRoll()->melodyGrid(), Qt::Key(qtKey), mods); }

  QtUi ui;
  AppContext app{ui};
  std::unique_ptr<MainWindow> window;
  test::TempFolder folder;
};

TEST_F(EditorWindowTest, ZoomFromTheKeysAndTheViewMenuScalesTheNotes) {
  open();
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
  QMenu* view = menuTitled("&View");
  ASSERT_NE(view, nullptr);
  ASSERT_NE(command(cmd::kFitSong), nullptr);
  command(cmd::kFitSong)->trigger();
  EXPECT_GT(grid.noteRect(n).width(), 3 * width) << "one short note: the four-bar minimum fills the width";
}

TEST_F(EditorWindowTest, ToolsAnswerInTheStatusBarInBothLanguages) {
  open();
  addNote(app.score, kSopranoSet, makeMelodyNote(40, 72, 4, kSoprano));
  command(cmd::kQuantizeToGrid)->trigger();
  EXPECT_EQ(status(1), "Nothing to quantize: the strength is 0 (Options)");
  command(cmd::kTrimOpeningSilence)->trigger();
  EXPECT_EQ(status(1), "Trimmed the opening silence: 1 note moved");
  QLabel* message = window->statusFields()->fieldLabel(1);
  EXPECT_GE(message->width(), message->sizeHint().width()) << "a long answer is not cut";
  command(cmd::kTrimOpeningSilence)->trigger();
  EXPECT_EQ(status(1), "Nothing to trim");
  window.reset();
  open(1);
  addNote(app.score, kSopranoSet, makeMelodyNote(2, 60, 4, kSoprano));  // under the trimmed note
  command(cmd::kDivideIntoParts)->trigger();
  EXPECT_EQ(status(1), QString::fromUtf8("1音を4パートに振分けました"));
}

TEST_F(EditorWindowTest, UndoAndRedoAreGreyedWithNothingToUndoAndTheEditMenuListsTheClipboard) {
  open();
  QMenu* edit = menuTitled("&Edit");
  ASSERT_NE(edit, nullptr);
  QStringList texts;
  for (QAction* a : edit->actions()) texts << a->text();
  for (const char* entry : {"Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V"})
    EXPECT_TRUE(texts.contains(QString::fromLatin1(entry))) << entry;

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
  open();
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
  open();
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

}  // namespace
}  // namespace quorvel
