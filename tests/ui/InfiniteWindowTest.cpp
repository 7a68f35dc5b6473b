// The "Infinitely generating.." window through the Ui port of the Qt
// front-end: what it shows, Stop and closing, and the check box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <cstdlib>

#include "ui/InfiniteWindow.h"
#include "ui/MainWindow.h"
#include "ui/QtUi.h"

namespace quorvel {
namespace {

InfiniteWindowText texts() {
  return {"Infinitely generating..", "Now generating melodies infinitely..", "Stock: 0 / 16.",
          "Auto Save to MIDI file", "Stop"};
}

bool shows(const QWidget& window, const QString& text) {
  for (const QLabel* label : window.findChildren<QLabel*>())
    if (label->isVisibleTo(&window) && label->text() == text) return true;
  return false;
}

TEST(InfiniteWindow, ShowsTheStockAndTroubleAndStopsOnStop) {
  QtUi ui;
  ui.openInfiniteWindow(texts(), true);
  InfiniteWindow* window = ui.infiniteWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(ui.infiniteWindowOpen());
  EXPECT_TRUE(window->autoSaveBox()->isChecked());

  ui.setInfiniteStock("Stock: 12 / 16", 12, 16);
  ui.setInfiniteNote("The server did not answer (no reply). Trying again in 4 s.");
  EXPECT_EQ(window->findChild<QProgressBar*>()->value(), 12);
  EXPECT_TRUE(shows(*window, "The server did not answer (no reply). Trying again in 4 s."));
  window->adjustSize();
  if (const char* dir = std::getenv("QUORVEL_GRAB_DIR")) window->grab().save(QString("%1/infinite-window.png").arg(dir));
  ui.setInfiniteNote("");
  EXPECT_FALSE(shows(*window, "The server did not answer (no reply). Trying again in 4 s."));

  QTest::mouseClick(window->stopButton(), Qt::LeftButton);
  EXPECT_FALSE(ui.infiniteWindowOpen());
  ui.closeInfiniteWindow();
  EXPECT_EQ(ui.infiniteWindow(), nullptr);
}

TEST(InfiniteWindow, ClosingTheWindowStopsTooAndOnlyTheUsersClicksCountAsChanges) {
  QtUi ui;
  ui.openInfiniteWindow(texts(), false);
  InfiniteWindow* window = ui.infiniteWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ui.takeInfiniteAutoSaveChange(), CheckChange::None);
  QTest::mouseClick(window->autoSaveBox(), Qt::LeftButton);
  EXPECT_EQ(ui.takeInfiniteAutoSaveChange(), CheckChange::Ticked);
  EXPECT_EQ(ui.takeInfiniteAutoSaveChange(), CheckChange::None);
  ui.setInfiniteAutoSave(false);  // no folder chosen: the run unticks it
  EXPECT_FALSE(window->autoSaveBox()->isChecked());
  EXPECT_EQ(ui.takeInfiniteAutoSaveChange(), CheckChange::None);
  window->close();
  EXPECT_FALSE(ui.infiniteWindowOpen());
}

}  // namespace
}  // namespace quorvel
