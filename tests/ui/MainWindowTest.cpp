// The main window on Qt's offscreen platform: dropped files and closing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/AppContext.h"
#include "settings/TempFolder.h"
#include "ui/MainWindow.h"
#include "ui/QtUi.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

class MainWindowTest : public ::testing::Test {
 protected:
  void open() {
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

  QtUi ui;
  AppContext app{ui};
  std::unique_ptr<MainWindow> window;
  test::TempFolder folder;
};

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
