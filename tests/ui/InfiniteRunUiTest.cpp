// "Inf." in the main window, end to end: the toolbar button, the questions,
// the window with its stock line, the real player (silent) and the reference
// server over loopback, and Stop.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <cstdlib>

#include "../server/ServerProcess.h"
#include "../server/TinyCorpus.h"
#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "netgen/adapters/CppRestHttpClient.h"
#include "playback/Player.h"
#include "settings/TempFolder.h"
#include "ui/InfiniteWindow.h"
#include "ui/MainWindow.h"
#include "ui/QtUi.h"
#include "ui/ToolBand.h"

namespace quorvel {
namespace {

// No sound device here: the player plays silently and the cue still moves.
class NoDevices : public DeviceCatalog {
 public:
  int deviceCount() override { return 0; }
  std::string deviceName(int) override { return {}; }
  std::unique_ptr<MidiOut> openDevice(int) override { return nullptr; }
};

QString stockLineOf(const QWidget& window) {
  for (const QLabel* label : window.findChildren<QLabel*>())
    if (label->text().startsWith("Stock: ")) return label->text();
  return {};
}

TEST(InfiniteRunUi, InfPlaysBlocksFromTheServerUntilStop) {
  test::TinyModels models;
  test::ServerProcess server(models.folder().string(), {"--seed", "11"});
  ASSERT_TRUE(server.ready()) << server.log();
  test::TempFolder folder;
  QtUi ui;
  AppContext app{ui};
  app.settingsPath = folder.path() / "Quorvel.ini";
  app.remoteClient = std::make_unique<RemoteClient>(ServerAddress{"127.0.0.1", server.port()},
                                                    std::make_shared<CppRestHttpClient>());
  NoDevices devices;
  Player player(app.score, devices);
  player.startPlayerThread();
  app.player = &player;
  player.setInfinitePlayback(&app.infiniteStock);
  MainWindow window(app);
  ui.attach(&window);
  window.show();

  QTimer::singleShot(0, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->button(QMessageBox::No)->click();
  });
  QString stockLine;
  int cueWhileRunning = 0;
  QTimer::singleShot(2500, [&] {
    InfiniteWindow* infinite = ui.infiniteWindow();
    if (!infinite) return;
    stockLine = stockLineOf(*infinite);
    cueWhileRunning = app.score.cueIndicator.load();
    if (const char* dir = std::getenv("QUORVEL_GRAB_DIR")) {
      window.grab().save(QString("%1/infinite-main.png").arg(dir));
      infinite->grab().save(QString("%1/infinite-running.png").arg(dir));
    }
    infinite->stopButton()->click();
  });
  window.toolBand().button(cmd::kInfinite)->trigger();  // returns when the run ends

  const QRegularExpressionMatch stock = QRegularExpression("^Stock: (\\d+) / 16$").match(stockLine);
  ASSERT_TRUE(stock.hasMatch()) << stockLine.toStdString();
  EXPECT_GE(stock.captured(1).toInt(), 1);
  EXPECT_GT(cueWhileRunning, kSongStartX) << "the player was playing the blocks";
  EXPECT_FALSE(app.score.noteSets[kSopranoSet].empty());
  EXPECT_FALSE(app.score.hasFlag(kFlagInfinite));
  EXPECT_FALSE(app.infinite());
  EXPECT_EQ(ui.infiniteWindow(), nullptr);
  EXPECT_FALSE(player.isPlaying());
  player.shutdown();
  app.score.clearFlag(kFlagModified);
}

}  // namespace
}  // namespace quorvel
