// Infinite generation against the reference server over loopback (fixed
// seed), with the player driven by a simulated clock: every pump of the
// window moves it on, so minutes of playing pass in seconds.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <map>
#include <set>
#include <thread>

#include "../server/ServerProcess.h"
#include "../server/TinyCorpus.h"
#include "LoopbackServer.h"
#include "base/FileIo.h"
#include "generator/DrumLibrary.h"
#include "midifile/MidiReader.h"
#include "model/NodePool.h"
#include "netgen/InfiniteGeneration.h"
#include "netgen/adapters/CppRestHttpClient.h"
#include "playback/CueAdvance.h"
#include "playback/NoteStepper.h"
#include "playback/RecordingMidiOut.h"
#include "settings/TempFolder.h"
#include "support/FakeUi.h"

namespace quorvel::test {
namespace {

using NoteAt = std::pair<int, int>;  // x from the run's beginning, key

constexpr double kPumpMs = 100.0;  // simulated time per pump of the window

// The player's tick loop (moving the cue, sounding the step, telling the
// stock) on a simulated clock, with a recording sink. It knows every shift,
// so it can tell where on the run's whole timeline a note sounds.
class SimulatedPlayer : public InfiniteTransport {
 public:
  SimulatedPlayer(Score& score, InfiniteStock& stock)
      : score_(score),
        stock_(stock),
        log_(std::make_shared<MessageLog>()),
        out_(log_, [this] { return static_cast<double>(offset_ + stepX_); }),
        stepper_(score, out_) {
    PlaySettings settings;
    stepper_.setSettings(settings);
    tickMs_ = settings.tickMs();
  }

  std::function<void(int oldCue)> onShift;

  void play() override {
    if (!score_.hasFlag(kFlagPlaying)) lastStepX_ = 0;
    score_.setFlag(kFlagPlaying);
  }
  void pause() override {
    score_.clearFlag(kFlagPlaying);
    stepper_.releaseEverything();
  }
  void moveCueTo(int x) override {
    const int cue = score_.cueIndicator.load();
    if (score_.hasFlag(kFlagInfinite)) {
      if (onShift) onShift(cue);
      offset_ += cue - x;
    }
    score_.cueIndicator.store(x);
  }
  void stop() override { pause(); }

  void advance(double ms) {
    due_ += ms;
    for (; due_ >= tickMs_; due_ -= tickMs_) tick();
  }
  int offset() const { return offset_; }
  int furthestPlayed() const { return furthest_; }  // on the run's timeline
  std::set<NoteAt> played() const {
    std::set<NoteAt> notes;
    for (const TimedMessage& m : log_->snapshot())
      if ((m.message & 0xF0) == 0x90 && (m.message >> 16 & 0x7F) != 0)
        notes.emplace(static_cast<int>(m.ms), static_cast<int>(m.message >> 8 & 0x7F));
    return notes;
  }

 private:
  void tick() {
    if (!score_.hasFlag(kFlagPlaying)) {
      stepper_.releaseEverything();
      return;
    }
    const int x = advanceCue(score_, 1, false, {false, &stock_});
    if (x != 0) {
      stepX_ = lastStepX_ = x;
      furthest_ = std::max(furthest_, offset_ + x);
      stepper_.normalStep(x, kMelodyView, {});
    }
    if (score_.hasFlag(kFlagInfinite)) stock_.playedUpTo(lastStepX_);
  }

  Score& score_;
  InfiniteStock& stock_;
  std::shared_ptr<MessageLog> log_;
  RecordingMidiOut out_;
  NoteStepper stepper_;
  double tickMs_ = 25.0;
  double due_ = 0.0;
  int lastStepX_ = 0;
  int stepX_ = 0;
  int offset_ = 0;
  int furthest_ = 0;
};

class InfiniteRun : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    models_ = new TinyModels;
    server_ = new ServerProcess(models_->folder().string(), {"--seed", "11"});
  }
  static void TearDownTestSuite() {
    delete server_;
    delete models_;
  }

  void SetUp() override {
    ASSERT_TRUE(server_->ready()) << server_->log();
    connectTo({"127.0.0.1", server_->port()});
    ui.onPump([this] { pumped(); });
    player.onShift = [this](int oldCue) {
      collectSaves();  // a save just before the cut belongs to the song before it
      shiftCues.push_back(oldCue);
    };
  }

  void connectTo(const ServerAddress& address) {
    client = std::make_unique<RemoteClient>(address, std::make_shared<CppRestHttpClient>(std::chrono::seconds(5)));
    neural = std::make_unique<NeuralEnv>(NeuralEnv{local, remote, *client, {}, {}, {}});
    env = std::make_unique<InfiniteEnv>(InfiniteEnv{*neural, stock, player, running, [this] { return localTime(); }, {}});
  }

  // Every pump: the clock moves, the player plays, and the test looks.
  void pumped() {
    nowMs += static_cast<std::int64_t>(kPumpMs);
    player.advance(kPumpMs);
    maxStock = std::max(maxStock, stock.stock());
    if (score.hasFlag(kFlagInfinite) && stock.frontX() != kNoPosition && !score.hasFlag(kFlagPlaying)) ++starvedPumps;
    const NoteSet& melody = score.noteSets[kMelodyView];
    if (!melody.empty()) {
      const NoteCode last = *melody.rbegin();
      maxSongEndX = std::max(maxSongEndX, kStepPixels * (noteStart(last) + melodyLength(last)));
    }
    maxMelodyNotes = std::max(maxMelodyNotes, melody.size());
    maxUndoSteps = std::max(maxUndoSteps, score.undo[kSopranoSet].size());
    if (shiftCues.size() == 1 && poolAfterFirstShift == 0) poolAfterFirstShift = nodepool::reservedBytes();
    noteGenerated();
    collectSaves();
    for (auto& [atMs, action] : timed)
      if (action && nowMs.load() >= atMs) std::exchange(action, nullptr)();
    if (whilePumping) whilePumping();
  }

  // New blocks since the last look, placed on the run's whole timeline.
  void noteGenerated() {
    const NoteSet& melody = score.noteSets[kMelodyView];
    const auto shape = std::make_pair(melody.size(), melody.empty() ? 0u : *melody.rbegin());
    if (shape == lastShape) return;
    lastShape = shape;
    for (NoteCode c : melody) generated.emplace(player.offset() + kStepPixels * noteStart(c), melodyKey(c));
  }

  // Files saved since the last look, with where their beginning lay on the run's timeline.
  void collectSaves() {
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      saves.emplace(entry.path().string(), player.offset());
  }

  std::set<NoteAt> savedNotes() {
    std::set<NoteAt> notes;
    for (const auto& [path, offset] : saves) {
      Score read;
      FakeUi quiet;
      ReadOptions merged;
      merged.merged = true;
      ImportResult result;
      const auto bytes = readWholeFile(path);
      EXPECT_TRUE(bytes && readMidiBytes(read, quiet, *bytes, merged, result) == 0) << path;
      for (NoteCode c : read.noteSets[kMelodyView]) notes.emplace(offset + kStepPixels * noteStart(c), melodyKey(c));
    }
    return notes;
  }

  // Notes made before where playing stopped that the player never sounded.
  std::size_t unplayedNotes() const {
    const std::set<NoteAt> played = player.played();
    return static_cast<std::size_t>(std::count_if(generated.begin(), generated.end(), [&](const NoteAt& n) {
      return n.first < player.furthestPlayed() && !played.contains(n);
    }));
  }

  // The local time moves with the simulated clock: saves a second apart get their own names.
  std::tm localTime() {
    const std::time_t seconds = static_cast<std::time_t>(nowMs.load() / 1000);
    std::tm t{};
    gmtime_r(&seconds, &t);
    return t;
  }
  void at(std::int64_t ms, std::function<void()> action) { timed.emplace_back(ms, std::move(action)); }
  void stopAt(std::int64_t ms) {
    at(ms, [this] { ui.pressInfiniteStop(); });
  }

  static TinyModels* models_;
  static ServerProcess* server_;

  FakeUi ui;
  Score score;
  Random random;
  GenerationState state;
  DrumLibrary drums;
  std::atomic<std::int64_t> nowMs{0};  // simulated; the servers below may wait on it
  GenerationEnv local{score, ui, random, state, drums, [] { return 0; }, [this] { return nowMs.load(); }};
  RemoteState remote;
  std::unique_ptr<RemoteClient> client;
  std::unique_ptr<NeuralEnv> neural;
  InfiniteStock stock{score};
  SimulatedPlayer player{score, stock};
  std::atomic<bool> running{false};
  std::unique_ptr<InfiniteEnv> env;
  TempFolder tempFolder;
  const std::filesystem::path& folder = tempFolder.path();
  std::function<void()> whilePumping;
  std::vector<std::pair<std::int64_t, std::function<void()>>> timed;  // each runs once, when the clock gets there

  int maxStock = -1;
  int starvedPumps = 0;
  int maxSongEndX = 0;
  std::size_t maxMelodyNotes = 0;
  std::size_t maxUndoSteps = 0;
  std::size_t poolAfterFirstShift = 0;
  std::vector<int> shiftCues;
  std::pair<std::size_t, NoteCode> lastShape{0, 0};
  std::set<NoteAt> generated;
  std::map<std::string, int> saves;
};
TinyModels* InfiniteRun::models_ = nullptr;
ServerProcess* InfiniteRun::server_ = nullptr;

// Cancel at the auto-save question, or Yes and then no folder: nothing is made.
TEST_F(InfiniteRun, CancelOrNoFolderAtTheStartChangesNothing) {
  addNote(score, kSopranoSet, makeMelodyNote(4, 72, 4, kSopranoSet));
  const MelodySettings before = score.settings.melody;
  ui.queueAnswer(MsgAnswer::Cancel);
  EXPECT_EQ(runInfiniteGeneration(*env), -2);
  ui.queueAnswer(MsgAnswer::Yes);  // no folder is queued: the chooser is cancelled
  EXPECT_EQ(runInfiniteGeneration(*env), -1);
  EXPECT_EQ(ui.messages().size(), 3u);
  EXPECT_EQ(score.noteSets[kSopranoSet].size(), 1u);
  EXPECT_EQ(score.settings.melody.values, before.values);
  EXPECT_EQ(ui.infiniteOpenings(), 0);
  EXPECT_FALSE(score.hasFlag(kFlagInfinite | kFlagGenerating));
}

// Half an hour of playing: three cuts near the timeline's end, a save per
// ring half, and every note made is played and saved.
TEST_F(InfiniteRun, SoakKeepsMemoryFlatAndLosesNoNoteBetweenGenerationShiftAndSave) {
  score.settings.melody[kMelodyLength] = 16;
  score.settings.melody[kExtendExisting] = 0;
  const MelodySettings before = score.settings.melody;
  ui.queueAnswer(MsgAnswer::Yes);
  ui.queueFolder(folder.string());
  stopAt(30 * 60000);
  ASSERT_EQ(runInfiniteGeneration(*env), 0);
  collectSaves();

  // The run ended cleanly and put the settings back.
  EXPECT_FALSE(score.hasFlag(kFlagInfinite | kFlagGenerating));
  EXPECT_FALSE(running.load());
  EXPECT_FALSE(ui.infiniteOpen());
  EXPECT_EQ(score.settings.melody.values, before.values);
  EXPECT_TRUE(ui.autoSaveTicked());

  // The stock never passed 16, and the window said so.
  EXPECT_LE(maxStock, kStockCapacity);
  EXPECT_EQ(*std::max_element(ui.stocks().begin(), ui.stocks().end()), kStockCapacity);

  // Cut once the cue is in the block that filled the timeline; the song never grows past its end.
  ASSERT_GE(shiftCues.size(), 3u);
  for (int cue : shiftCues) EXPECT_GT(cue, kShiftThresholdX - 1280);
  EXPECT_LE(maxSongEndX, kTimelineEndX);
  EXPECT_GE(player.furthestPlayed() * 3000.0 / 120 / 60000, 10.0) << "minutes played";

  // Memory: the song, its undo and the node pool stop growing after the first cut.
  EXPECT_LT(maxMelodyNotes, 4000u);
  EXPECT_LT(maxUndoSteps, 100u);
  EXPECT_LE(nodepool::reservedBytes(), poolAfterFirstShift + poolAfterFirstShift / 4);

  // No note lost: every note made was played (up to where playing stopped) and saved.
  const std::set<NoteAt> saved = savedNotes();
  EXPECT_GT(generated.size(), 1000u);
  EXPECT_EQ(unplayedNotes(), 0u);
  EXPECT_EQ(std::count_if(generated.begin(), generated.end(), [&](const NoteAt& n) { return !saved.contains(n); }), 0);
  EXPECT_GE(saves.size(), shiftCues.size());
}

// A minute of failures, then each block takes longer to make (20 simulated
// seconds) than to play: the player stops at the front, and the next block's
// first step still sounds. Stop, pressed while a block is being made, is
// heard without its reply.
TEST_F(InfiniteRun, AFailingThenSlowServerIsWaitedForWithoutLosingANoteAndStopDoesNotWaitForIt) {
  std::atomic<bool> failing{true};
  std::atomic<bool> over{false};  // the abandoned last request stops waiting
  LoopbackServer front([&](const std::string& target) {
    if (failing.load()) return ScriptedReply{"overloaded", 503};
    const std::int64_t until = nowMs.load() + 20000;
    while (!over.load() && nowMs.load() < until) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const test::HttpReply reply = httpGet(server_->port(), target);
    return ScriptedReply{reply.body, reply.status};
  });
  connectTo(front.address());
  ui.queueAnswer(MsgAnswer::No);
  std::size_t requestsWhileFailing = 0;
  at(60000, [&] {
    requestsWhileFailing = front.targets().size();
    failing.store(false);
  });
  std::int64_t pressedAtMs = -1;
  whilePumping = [&] {
    if (pressedAtMs >= 0 || failing.load() || front.targets().size() < requestsWhileFailing + 5) return;
    pressedAtMs = nowMs.load();
    ui.pressInfiniteStop();
  };
  const int result = runInfiniteGeneration(*env);
  const std::int64_t stoppedAfterMs = nowMs.load() - pressedAtMs;
  over.store(true);
  ASSERT_EQ(result, 0);

  // Failures at 1, 2, 4, 8, 16 and 16 s apart: seven requests, not hundreds, and no message box.
  EXPECT_GE(requestsWhileFailing, 5u);
  EXPECT_LE(requestsWhileFailing, 9u);
  EXPECT_EQ(ui.messages().size(), 1u);
  ASSERT_FALSE(ui.infiniteNotes().empty());
  EXPECT_NE(ui.infiniteNotes().front().find("The server did not answer ("), std::string::npos)
      << ui.infiniteNotes().front();
  EXPECT_EQ(ui.infiniteNotes().back(), "") << "the note goes once blocks come again";

  EXPECT_GT(starvedPumps, 0) << "the player never had to wait";
  EXPECT_GT(generated.size(), 60u);
  EXPECT_GT(player.furthestPlayed(), kSongStartX);
  EXPECT_EQ(unplayedNotes(), 0u);
  EXPECT_LT(stoppedAfterMs, 20000) << "the run waited for the reply";
  EXPECT_FALSE(score.hasFlag(kFlagInfinite));
}

TEST_F(InfiniteRun, TickingAutoSaveDuringTheRunAsksForTheFolderAndSavesAtStop) {
  ui.queueAnswer(MsgAnswer::No);
  at(20000, [&] { ui.clickInfiniteAutoSave(); });  // no folder: the box is unticked again
  at(40000, [&] {
    ui.queueFolder(folder.string());
    ui.clickInfiniteAutoSave();
  });
  stopAt(90000);
  ASSERT_EQ(runInfiniteGeneration(*env), 0);
  collectSaves();
  EXPECT_EQ(ui.folderTitles().size(), 2u);
  EXPECT_TRUE(ui.autoSaveTicked());
  ASSERT_EQ(saves.size(), 1u) << "one save, at Stop";
  const std::set<NoteAt> saved = savedNotes();
  EXPECT_FALSE(generated.empty());
  EXPECT_TRUE(std::includes(saved.begin(), saved.end(), generated.begin(), generated.end()));
}

}  // namespace
}  // namespace quorvel::test
