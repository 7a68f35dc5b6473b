// Closing the main window: what keeps it open and when the settings are written.
#include "app/CloseSequence.h"

#include <array>
#include <filesystem>

#include "AppFixture.h"
#include "base/SettingsRecord.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

class CloseSequenceTest : public test::AppFixture {
 protected:
  void SetUp() override {
    app.settingsPath = folder.path() / "Quorvel.ini";
    app.ops.stopPlayback = [this](AppContext&) { ++playbackStops; };
  }
  bool close() { return runCloseSequence(app, {30, 40, 900, 700}, false); }
  int playbackStops = 0;
};

TEST_F(CloseSequenceTest, FailedSaveKeepsTheWindow) {
  modify();
  app.commands.bind(cmd::kSave, [](AppContext&, int) { return -1; });
  ui.queueAnswer(MsgAnswer::Yes);
  EXPECT_FALSE(close());
  EXPECT_FALSE(fs::exists(app.settingsPath));
}

TEST_F(CloseSequenceTest, NoStoresPlacementStopsPlaybackAndWritesSettings) {
  modify();
  ui.queueAnswer(MsgAnswer::No);
  EXPECT_TRUE(close());
  EXPECT_EQ(playbackStops, 1);
  ASSERT_TRUE(fs::exists(app.settingsPath));
  EXPECT_EQ(fs::file_size(app.settingsPath), kSettingsImageSize);
  const WindowSettings& w = app.score.settings.window;
  EXPECT_EQ((std::array{w.left, w.top, w.width, w.height, w.drumsBandShown}), (std::array{30, 40, 900, 700, 0}));
}

TEST_F(CloseSequenceTest, InfiniteGenerationIsEndedFirstAndASecondCloseProceeds) {
  int windowsClosed = 0;
  app.ops.closeInfiniteWindow = [&windowsClosed](AppContext&) { ++windowsClosed; };
  app.infiniteRunning = true;
  EXPECT_FALSE(close());
  EXPECT_EQ(windowsClosed, 1);
  EXPECT_FALSE(app.infinite());
  EXPECT_FALSE(fs::exists(app.settingsPath));
  EXPECT_TRUE(close());
  EXPECT_TRUE(fs::exists(app.settingsPath));
}

TEST_F(CloseSequenceTest, RunningGenerationIsCancelledAndTheWindowStays) {
  int cancels = 0;
  app.ops.cancelGeneration = [&cancels](AppContext& a) {
    ++cancels;
    const bool wasRunning = a.busy();
    a.score.clearFlag(kFlagGenerating);
    return wasRunning;
  };
  app.score.setFlag(kFlagGenerating);
  EXPECT_FALSE(close());
  EXPECT_EQ(cancels, 1);
  EXPECT_TRUE(close());
  EXPECT_EQ(cancels, 2);
}

}  // namespace
}  // namespace quorvel
