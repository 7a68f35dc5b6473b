#include "playback/Player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <thread>

#include "model/Score.h"
#include "playback/PlaybackTestSupport.h"
#include "support/FakeUi.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;
using namespace test;  // message helpers, eventually

class PlayerTest : public ::testing::Test {
 protected:
  PlayerTest() { score.settings.general.tempo = 240; }  // 12.5 ms ticks keep the tests short

  void startBoth() {
    ASSERT_EQ(player.startOutputThread(), 0);
    player.startPlayerThread();
  }
  std::vector<std::uint32_t> sentAfterPrograms() const {
    std::vector<std::uint32_t> all = catalog.log->messages();
    all.erase(all.begin(), all.begin() + std::min<std::ptrdiff_t>(4, static_cast<std::ptrdiff_t>(all.size())));
    return all;
  }
  bool stopped() const { return !player.isPlaying(); }

  Score score;
  RecordingCatalog catalog;
  Player player{score, catalog};
};

TEST_F(PlayerTest, WithoutTheBuiltInSynthPlayMovesTheCueAndThePositionSilently) {
  catalog.names = {"USB MIDI port"};
  EXPECT_EQ(player.startOutputThread(), -1);
  player.startPlayerThread();
  addNote(score, kSopranoSet, makeMelodyNote(2, 60, 1, kSoprano));
  score.endIndicator = 30;
  player.play();
  ASSERT_TRUE(eventually([&] { return stopped(); }));
  EXPECT_EQ(score.cueIndicator.load(), 30);
  EXPECT_TRUE(catalog.log->messages().empty());
  FakeUi ui;
  player.refreshUi(ui);
  EXPECT_EQ(ui.status(0), positionText(30, 0));
  EXPECT_EQ(ui.status(1), "No sound device: playing silently");
  EXPECT_TRUE(ui.messages().empty());
}

TEST_F(PlayerTest, OpensOnlyTheBuiltInSynthAndPlaysFromTheCueToTheEndIndicator) {
  catalog.names = {"USB MIDI port", kBuiltInSynthName};
  startBoth();
  EXPECT_EQ(catalog.lastOpened, 1);
  addNote(score, kSopranoSet, makeMelodyNote(2, 60, 1, kSoprano));  // at the cue: sounds on the first tick
  addNote(score, kBassSet, makeMelodyNote(3, 40, 2, kBass));
  addNote(score, kBassSet, makeMelodyNote(6, 41, 1, kBass));  // after the end indicator
  score.endIndicator = 30;
  player.play();
  ASSERT_TRUE(eventually([&] { return stopped(); }));
  EXPECT_TRUE(eventually([&] { return sentAfterPrograms().size() == 4; }));
  EXPECT_EQ(sentAfterPrograms(), (Sent{on(0, 60), off(0, 60), on(3, 40), off(3, 40)}));
  EXPECT_EQ(score.cueIndicator.load(), 30);
  // Messages posted from the window thread (note keys) go out on the output thread.
  player.postShortMessage(on(0, 62));
  EXPECT_TRUE(eventually([&] { return sentAfterPrograms().size() == 5 && sentAfterPrograms()[4] == on(0, 62); }));
}

TEST_F(PlayerTest, PauseReleasesSoundingNotesAndKeepsTheCue) {
  startBoth();
  addNote(score, kSopranoSet, makeMelodyNote(2, 72, 100, kSoprano));
  player.play();
  ASSERT_TRUE(eventually([&] { return sentAfterPrograms().size() == 1; }));
  player.pause();
  ASSERT_TRUE(eventually([&] { return sentAfterPrograms().size() == 2; }));
  EXPECT_EQ(sentAfterPrograms()[1], off(0, 72));
  const int cue = score.cueIndicator.load();
  EXPECT_GT(cue, 10);
  std::this_thread::sleep_for(40ms);
  EXPECT_EQ(score.cueIndicator.load(), cue);
}

TEST_F(PlayerTest, SetPreviewPlaysTheSetAndRestoresThePlayMode) {
  startBoth();
  NoteSet& imported = score.noteSets[kImportedTrackLast];
  imported.insert(makeMelodyNote(10, 67, 1, kSoprano));
  imported.insert(makeDrumNote(10, 11, 4, 2, 100));
  score.cueIndicator = 400;
  player.previewSet(kImportedTrackLast);
  ASSERT_TRUE(eventually([&] { return player.previewFinished(); }));
  player.stopPreview();
  EXPECT_EQ(sentAfterPrograms(), (Sent{on(0, 67), on(9, 38), off(0, 67), on(9, 38, 1)}));
  EXPECT_EQ(score.cueIndicator.load(), 10);
  EXPECT_EQ(player.previewProgress(), 0);

  // Back in normal play: the next Play plays the score, not the set.
  addNote(score, kSopranoSet, makeMelodyNote(2, 50, 1, kSoprano));
  score.endIndicator = 20;
  catalog.log->clear();
  player.play();
  ASSERT_TRUE(eventually([&] { return stopped() && catalog.log->messages().size() == 2; }));
  EXPECT_EQ(catalog.log->messages()[0], on(0, 50));
}

TEST_F(PlayerTest, FailedReopenIsSaidOnceInTheStatusBarAndPlaybackGoesOnSilently) {
  Player quick(score, catalog, PlayerOptions{0ms});
  ASSERT_EQ(quick.startOutputThread(), 0);
  quick.startPlayerThread();
  catalog.failOpen = true;
  std::this_thread::sleep_for(2ms);
  quick.play();
  ASSERT_TRUE(eventually([&] { return score.cueIndicator.load() > 12; }));
  quick.pause();
  FakeUi ui;
  quick.refreshUi(ui);
  EXPECT_TRUE(ui.messages().empty()) << "no modal box";
  EXPECT_EQ(ui.status(1), "No sound device: playing silently");
  ui.setStatus(1, "");
  quick.play();
  quick.pause();
  quick.refreshUi(ui);
  EXPECT_EQ(ui.status(1), "") << "said once per session";
}

// A sink that keeps each message's due time and stalls once, as a player
// thread that is preempted would.
class StallingCatalog : public DeviceCatalog {
 public:
  struct Entry {
    std::uint32_t message;
    MidiOut::DueTime due, sent;
  };
  class Out : public MidiOut {
   public:
    explicit Out(StallingCatalog& owner) : owner_(owner) {}
    int send(std::uint32_t) override { return 0; }
    int sendAt(std::uint32_t message, DueTime due) override {
      std::lock_guard lock(owner_.mutex);
      owner_.entries.push_back({message, due, std::chrono::steady_clock::now()});
      if (message == owner_.stallOn) std::this_thread::sleep_for(owner_.stall);
      return 0;
    }
    void reset() override {}

   private:
    StallingCatalog& owner_;
  };

  int deviceCount() override { return 1; }
  std::string deviceName(int) override { return kBuiltInSynthName; }
  std::unique_ptr<MidiOut> openDevice(int) override { return std::make_unique<Out>(*this); }
  std::vector<Entry> snapshot() {
    std::lock_guard lock(mutex);
    return entries;
  }

  std::mutex mutex;
  std::vector<Entry> entries;
  std::uint32_t stallOn = 0;
  std::chrono::milliseconds stall{0};
};

TEST_F(PlayerTest, ALateWakeUpStillSendsForTheTicksOwnTime) {
  StallingCatalog stalling;
  stalling.stallOn = off(0, 60);
  stalling.stall = 20ms;  // under two ticks: the player catches up rather than starting afresh
  Player late(score, stalling);
  ASSERT_EQ(late.startOutputThread(), 0);
  late.startPlayerThread();
  addNote(score, kSopranoSet, makeMelodyNote(2, 60, 1, kSoprano));
  addNote(score, kSopranoSet, makeMelodyNote(3, 62, 1, kSoprano));  // its note-on follows the stalled note-off
  addNote(score, kSopranoSet, makeMelodyNote(4, 64, 1, kSoprano));
  score.endIndicator = 30;
  late.play();
  ASSERT_TRUE(eventually([&] { return stopped(); }));
  late.shutdown();

  std::vector<StallingCatalog::Entry> notes;
  for (const auto& e : stalling.snapshot()) {
    if ((e.message & 0xF0) == 0x90 || (e.message & 0xF0) == 0x80) notes.push_back(e);
  }
  ASSERT_GE(notes.size(), 5u);
  ASSERT_EQ(notes[2].message, on(0, 62));
  const auto step = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
      std::chrono::duration<double, std::milli>(5 * playSettingsOf(score).tickMs()));
  EXPECT_GE(notes[2].sent - notes[2].due, 15ms) << "the note-on was sent late";
  EXPECT_EQ(notes[2].due, notes[1].due);
  EXPECT_EQ(notes[2].due - notes[0].due, step);
  EXPECT_EQ(notes[4].message, on(0, 64));
  EXPECT_EQ(notes[4].due - notes[2].due, step) << "the ticks after it keep the grid";
}

// Edits on the window thread while the player reads the same sets: run under
// ThreadSanitizer to check the locking.
TEST_F(PlayerTest, EditingWhilePlayingIsSafe) {
  startBoth();
  score.leftLocator = 10;
  score.rightLocator = 170;
  player.setLoop(true);
  player.play();
  const auto until = std::chrono::steady_clock::now() + 300ms;
  for (int i = 0; std::chrono::steady_clock::now() < until; ++i) {
    const NoteCode note = makeMelodyNote(2 + i % 32, 50 + i % 20, 1 + i % 3, i % 4);
    addNote(score, i % 4, note);
    if (i % 3 == 0) removeNote(score, i % 4, note);
    if (i % 50 == 0) player.settingsChanged();
    std::this_thread::sleep_for(200us);
  }
  // A settings change reaches the running player: the next notes are quieter.
  score.settings.general.volume = 33;
  player.settingsChanged();
  EXPECT_TRUE(eventually([&] {
    const std::vector<std::uint32_t> sent = sentAfterPrograms();
    return std::any_of(sent.begin(), sent.end(), [](std::uint32_t m) { return (m & 0xF0) == 0x90 && m >> 16 == 33; });
  }));
  player.stop();
  EXPECT_EQ(score.cueIndicator.load(), 10);
}

}  // namespace
}  // namespace quorvel
