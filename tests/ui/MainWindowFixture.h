#pragma once
// The main window at 1280 x 720 on Qt's offscreen platform, with its settings
// file in a folder of its own.
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <memory>

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "settings/TempFolder.h"
#include "ui/MainWindow.h"
#include "ui/QtUi.h"

namespace quorvel::test {

class MainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    app.settingsPath = folder.path() / "Quorvel.ini";
    app.score.settings.window.width = 1280;
    app.score.settings.window.height = 720;
    window = std::make_unique<MainWindow>(app);
    ui.attach(window.get());
    window->applyStoredPlacement();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  void TearDown() override {
    app.score.clearFlag(kFlagModified);  // no save question at the end
    window.reset();
  }
  QAction* command(int id) { return window->findChild<QAction*>(QStringLiteral("command%1").arg(id)); }

  QtUi ui;
  AppContext app{ui};
  std::unique_ptr<MainWindow> window;
  TempFolder folder;
};

}  // namespace quorvel::test
