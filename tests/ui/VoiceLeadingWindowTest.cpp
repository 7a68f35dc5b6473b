// Tools > Check Voice Leading in the real window on Qt's offscreen platform:
// a clicked row selects its notes in the piano roll, which repaints them.
#include <QApplication>
#include <QPointer>
#include <QTableWidget>
#include <cstdlib>

#include "MainWindowFixture.h"
#include "ui/ToolBand.h"
#include "ui/VoiceLeadingDialog.h"
#include "ui/views/NoteGridView.h"
#include "ui/views/PianoRoll.h"
#include "ui/views/ViewPalette.h"

namespace quorvel {
namespace {

class VoiceLeadingWindowTest : public test::MainWindowFixture {
 protected:
  void TearDown() override {
    delete ui.voiceLeadingWindow();
    MainWindowFixture::TearDown();
  }
  NoteCode note(int part, int step, int key) {
    const NoteCode c = makeMelodyNote(step, key, 4, part);
    addNote(app.score, part, c);
    return c;
  }
  QColor pixelOf(NoteCode code) {
    views::NoteGridView& grid = window->pianoRoll()->melodyGrid();
    const QRect r = grid.noteRect(code);
    return grid.pixmap().toImage().pixelColor(r.x() + r.width() / 2, r.y() + 2);
  }
  static void grab(QWidget& w, const char* name) {
    w.grab().save(QString::fromStdString(::testing::TempDir() + name));
    if (const char* dir = std::getenv("QUORVEL_GRAB_DIR")) w.grab().save(QString("%1/%2").arg(dir, name));
  }
};

TEST_F(VoiceLeadingWindowTest, ClickingARowSelectsItsNotesAndThePianoRollShowsThem) {
  // Bar 12: soprano and bass in parallel fifths; the alto is being edited.
  const int step = kSongStartStep + 11 * kStepsPerBar;
  const NoteCode s1 = note(kSopranoSet, step, 67), s2 = note(kSopranoSet, step + 4, 69);
  note(kBassSet, step, 60);
  note(kBassSet, step + 4, 62);
  note(kAltoSet, step + 8, 64);
  app.score.settings.parts.editPart = kAlto;
  window->pianoRoll()->redraw(RedrawTarget::All);

  QAction* check = command(cmd::kCheckVoiceLeading);
  ASSERT_NE(check, nullptr);
  check->trigger();
  VoiceLeadingDialog* dialog = ui.voiceLeadingWindow();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
  QTableWidget* table = dialog->table();
  ASSERT_EQ(table->rowCount(), 1);
  EXPECT_EQ(table->item(0, 0)->text(), "12");
  EXPECT_TRUE(app.score.noteSets[kSelection].empty()) << "opening the window selects nothing";

  QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, table->visualItemRect(table->item(0, 3)).center());
  EXPECT_EQ(app.score.noteSets[kSelection], (NoteSet{s1, s2}));
  EXPECT_EQ(app.score.editPart(), kSoprano);
  EXPECT_TRUE(window->toolBand().button(cmd::kSoprano)->isChecked());
  EXPECT_EQ(pixelOf(s1), views::kSelectionFill);
  EXPECT_EQ(pixelOf(s2), views::kSelectionFill);
  grab(*dialog, "voice-leading-window.png");
  grab(*window, "voice-leading-main-window.png");

  // A second check replaces the window.
  QPointer<VoiceLeadingDialog> first(dialog);
  check->trigger();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first.isNull());
  EXPECT_NE(ui.voiceLeadingWindow(), nullptr);
}

}  // namespace
}  // namespace quorvel
