// The main window on Qt's offscreen platform: title, menus, tool band, status
// fields, key chords and closing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/MenuTable.h"
#include "settings/TempFolder.h"
#include "ui/MainWindow.h"
#include "ui/QtUi.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

class MainWindowTest : public ::testing::Test {
 protected:
  void open(int language = 0) {
    app.score.settings.general.language = language;
    app.settingsPath = folder.path() / "Quorvel.ini";
    window = std::make_unique<MainWindow>(app);
    ui.attach(window.get());
    window->applyStoredPlacement();
    window->show();
  }
  void TearDown() override {
    app.score.clearFlag(kFlagModified);
    window.reset();
  }
  // Answers the next modal message box with the given button.
  static void answerNextBox(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [button] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->button(button)->click();
    });
  }
  std::set<QString> menuTitles() const {
    std::set<QString> titles;
    for (QAction* a : window->menuBar()->actions()) titles.insert(a->text());
    return titles;
  }
  // Saves a picture of the window when QUORVEL_GRAB_DIR names a folder, for looking at.
  void grabIfAsked(const char* name) {
    if (const char* grabDir = std::getenv("QUORVEL_GRAB_DIR"))
      window->grab().save(QString::fromUtf8(grabDir) + QLatin1Char('/') + QLatin1String(name));
  }

  QtUi ui;
  AppContext app{ui};
  std::unique_ptr<MainWindow> window;
  test::TempFolder folder;
};

TEST_F(MainWindowTest, ComesUpWithTitleAtTheStoredPlacement) {
  app.score.settings.window.width = 900;
  app.score.settings.window.height = 640;
  open();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("(no title) - Quorvel"));
  EXPECT_EQ(window->size(), QSize(900, 640));
  grabIfAsked("main_en.png");
}

TEST_F(MainWindowTest, ToolbarsAndMenusMirrorTheTablesInBothLanguages) {
  open();
  for (int i = 0; i < kToolbarCount; ++i) {
    auto* bar = window->findChild<QToolBar*>(QStringLiteral("toolbar%1").arg(i));
    ASSERT_NE(bar, nullptr) << i;
    QStringList labels, expected;
    for (QAction* a : bar->actions()) labels << a->text();
    for (const ToolbarButton& b : toolbarButtons(i)) expected << QString::fromLatin1(b.label);
    EXPECT_EQ(labels, expected) << i;
  }
  ToolBand& band = window->toolBand();
  EXPECT_TRUE(band.button(cmd::kGenerateMode)->isChecked());
  EXPECT_TRUE(band.button(cmd::kSoprano)->isChecked());
  EXPECT_TRUE(band.button(cmd::kDrums)->isChecked());
  EXPECT_FALSE(band.button(cmd::kLoop)->isChecked());
  EXPECT_FALSE(band.button(cmd::kPlay)->isCheckable());

  EXPECT_EQ(menuTitles(), (std::set<QString>{"&File", "&Edit", "&Tools", "&Help"}));
  for (const MenuItem& item : menuBarItems()) {
    if (item.id != 0) {
      EXPECT_NE(window->findChild<QAction*>(QStringLiteral("command%1").arg(item.id)), nullptr) << item.id;
    }
  }
  EXPECT_EQ(window->findChild<QAction*>("command722")->text(), QStringLiteral("save &As...\tCtrl+Shift+S"));
  TearDown();
  open(1);
  EXPECT_EQ(menuTitles(), (std::set<QString>{"ファイル(&F)", "編集(&E)", "ツール(&T)", "ヘルプ(&H)"}));
  EXPECT_EQ(window->findChild<QAction*>("command30161")->text(), QStringLiteral("キーがC3になるよう移動(&F)\tCtrl+F"));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("(無題) - Quorvel"));
  grabIfAsked("main_ja.png");
}

TEST_F(MainWindowTest, StatusFieldsEndAt140And280And420AndTheEdge) {
  open();
  StatusFields* fields = window->statusFields();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(fields->fieldLabel(i)->geometry().right() + 1, 140 * (i + 1)) << i;
  EXPECT_EQ(fields->fieldLabel(3)->geometry().right() + 1, fields->width());
  ui.setStatus(2, "Read.");
  EXPECT_EQ(fields->field(2), QStringLiteral("Read."));
}

TEST_F(MainWindowTest, KeyChordsAndButtonsReachTheDispatcher) {
  open();
  QTest::keyClick(window.get(), Qt::Key_F3);
  EXPECT_EQ(app.view.newNoteLength, 12 * kStepPixels);
  addNote(app.score, kSopranoSet, makeMelodyNote(10, 72, 4, kSoprano));
  QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(app.score.noteSets[kSelection].size(), 1u);
  QTest::keyClick(window.get(), Qt::Key_M, Qt::AltModifier);
  EXPECT_TRUE(app.score.noteSets[kSopranoSet].empty());
  window->toolBand().button(cmd::kTenor)->trigger();
  EXPECT_EQ(app.score.editPart(), kTenor);
  const int height = window->height();
  window->toolBand().button(cmd::kDrums)->trigger();
  EXPECT_FALSE(app.score.hasFlag(kFlagDrumsBand));
  EXPECT_EQ(window->height(), height - MainWindow::kDrumsBandHeight);
}

TEST_F(MainWindowTest, DroppedNoteSequenceLandsInSoprano) {
  open();
  const fs::path file = folder.path() / "line.g1";
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

TEST_F(MainWindowTest, ClosingAModifiedSongAndCancellingKeepsTheWindow) {
  open();
  addNote(app.score, kSopranoSet, makeMelodyNote(10, 72, 4, kSoprano));
  markModified(app.score, ui);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("(no title)* - Quorvel"));
  answerNextBox(QMessageBox::Cancel);
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(fs::exists(app.settingsPath));

  answerNextBox(QMessageBox::No);
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(fs::exists(app.settingsPath));
}

}  // namespace
}  // namespace quorvel
