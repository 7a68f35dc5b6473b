#include "netgen/InfiniteGeneration.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <utility>

#include "base/Messages.h"
#include "base/TextFormat.h"
#include "generator/GenerationBusy.h"
#include "netgen/InfiniteSave.h"
#include "netgen/InfiniteShift.h"
#include "netgen/NeuralFunctions.h"

namespace quorvel {

namespace {

constexpr int kBlockBeats = 64;
constexpr std::int64_t kFirstBackoffMs = 1000, kLongestBackoffMs = 16000;

// The generation settings a run forces, and puts back at its end.
constexpr std::array<int, 4> kForcedSettings{kMelodyLength, kNnMelody, kExtendExisting, kBetweenLocators};
constexpr std::array<std::int32_t, 4> kForcedValues{kBlockBeats, kSwitchOn, kSwitchOn, 0};

std::string withNumber(std::string text, long long n) {
  const std::size_t slot = text.find("%d");
  if (slot != std::string::npos) text.replace(slot, 2, std::to_string(n));
  return text;
}

InfiniteWindowText windowText(int language) {
  InfiniteWindowText text;
  text.title = localized("Infinitely generating..", language);
  text.text = localized("Now generating melodies infinitely..", language);
  text.stockLine = localized("Stock: ", language) + "0 / " + std::to_string(kStockCapacity) + ".";
  text.autoSaveLabel = localized("Auto Save to MIDI file", language);
  text.stopLabel = localized("Stop", language);
  return text;
}

class InfiniteRun {
 public:
  InfiniteRun(InfiniteEnv& env, std::string folder)
      : env_(env),
        score_(env.neural.score()),
        ui_(env.neural.ui()),
        folder_(std::move(folder)),
        autoSave_(!folder_.empty()) {}

  void run() {
    begin();
    while (goesOn()) {
      pass();
      ui_.pumpEvents();
      if (env_.idle) env_.idle();
    }
    finish();
  }

 private:
  int language() { return env_.neural.language(); }
  std::int64_t nowMs() { return env_.neural.local.nowMs(); }
  bool goesOn() { return env_.running.load() && ui_.infiniteWindowOpen(); }
  bool playing() const { return score_.hasFlag(kFlagPlaying); }

  void begin() {
    env_.stock.reset();
    env_.transport.pause();
    env_.transport.moveCueTo(kSongStartX);
    ui_.openInfiniteWindow(windowText(language()), autoSave_);
    MelodySettings& melody = score_.settings.melody;
    for (std::size_t i = 0; i < kForcedSettings.size(); ++i) {
      savedSettings_[i] = melody[kForcedSettings[i]];
      melody[kForcedSettings[i]] = kForcedValues[i];
    }
    score_.setFlag(kFlagInfinite);
    env_.running.store(true);
    // A block's request waits with the window alive: it repaints, the stock
    // line moves and Stop is heard.
    env_.neural.keepWaiting = [this] {
      ui_.pumpEvents();
      showStock();
      return goesOn();
    };
    ui_.setStatus(0, "");
  }

  void pass() {
    applyAutoSaveChange();
    if (env_.stock.takeRefilledUnderrun()) env_.transport.play();
    if (shiftIsDue()) shift();
    if (!timelineFull() && env_.stock.stock() < kStockCapacity && nowMs() >= retryAtMs_) generateBlock();
    showStock();
  }

  void generateBlock() {
    RemoteState& remote = env_.neural.remote;
    // Each block is a fresh request, never the next candidate of the last reply.
    remote.lastRequestKind = kKindNone;
    const bool placed = nnMelody(env_.neural) == 0;
    if (placed && remote.lastEndX > remote.generationPosition) {
      blockMade(remote.lastEndX, remote.generationPosition);
    } else if (placed && lastBlockStartX_ != kNoPosition) {
      // No note of the reply fitted before the timeline's end.
      shiftPosition_ = lastBlockStartX_;
    } else if (goesOn()) {
      backOff(placed ? std::string("the reply held no notes") : remote.lastError);
    }
  }

  // No block fits after the last one: the next ones come after the cut.
  bool timelineFull() const { return shiftPosition_ != kNoPosition; }

  void blockMade(int endX, int startX) {
    const bool first = env_.stock.frontX() == kNoPosition;
    env_.stock.addBlock(endX);
    // The music is the user's now: closing asks to save it.
    if (!score_.isModified()) markModified(score_, ui_);
    if (first) env_.transport.play();
    lastBlockStartX_ = startX;
    // The cut comes before this block: it stays as the next blocks' context.
    if (endX > kShiftThresholdX) shiftPosition_ = startX;
    if (backoffMs_ != 0) ui_.setInfiniteNote("");
    backoffMs_ = 0;
    if (++blocksInHalf_ == kBlocksPerHalf) {
      blocksInHalf_ = 0;
      if (autoSave_) save();
    }
  }

  // A failing server is asked again later, not at once: waits double up to a limit.
  void backOff(const std::string& reason) {
    backoffMs_ = backoffMs_ == 0 ? kFirstBackoffMs : std::min(backoffMs_ * 2, kLongestBackoffMs);
    retryAtMs_ = nowMs() + backoffMs_;
    const std::string text = formatWithString(
        localized("The server did not answer (%s). Trying again in %d s.", language()), reason);
    ui_.setInfiniteNote(withNumber(text, backoffMs_ / 1000));
  }

  bool shiftIsDue() const {
    // Once everything before the cut has been played, which is before the timeline's end.
    return timelineFull() && score_.cueIndicator.load() >= shiftPosition_;
  }

  void shift() {
    // Nothing is cut before it is in a file.
    if (autoSave_ && savedFrontX_ < shiftPosition_) save();
    const bool wasPlaying = playing();
    env_.transport.pause();
    const int delta = cutAndShiftMelody(score_, shiftPosition_);
    env_.transport.moveCueTo(score_.cueIndicator.load() - delta);
    env_.stock.shifted(delta);
    savedFrontX_ = std::max(savedFrontX_ - delta, kSongStartX);
    RemoteState& remote = env_.neural.remote;
    for (int* x : {&remote.generationPosition, &remote.decodePosition, &remote.lastEndX, &remote.generationStart})
      *x = std::max(*x - delta, kSongStartX);
    lastBlockStartX_ -= delta;
    shiftPosition_ = kNoPosition;
    ui_.redraw(RedrawTarget::All);
    if (wasPlaying && env_.stock.stock() >= 0) env_.transport.play();
  }

  void applyAutoSaveChange() {
    switch (ui_.takeInfiniteAutoSaveChange()) {
      case CheckChange::None: return;
      case CheckChange::Unticked: autoSave_ = false; return;
      case CheckChange::Ticked: break;
    }
    const bool wasPlaying = playing();
    env_.transport.pause();
    const std::string folder = ui_.askFolder(localized("Select a save folder.", language()), folder_);
    if (folder.empty()) {
      ui_.setInfiniteAutoSave(false);
    } else {
      folder_ = folder;
      autoSave_ = true;
    }
    if (wasPlaying && env_.stock.stock() >= 0) env_.transport.play();
  }

  void save() {
    const AutoSaveResult result = saveSongAutomatically(score_, folder_, env_.localTime());
    if (!result.error.empty()) {
      ui_.setInfiniteNote(formatWithString(localized("Automatic save failed: %s", language()), result.error));
      return;
    }
    savedFrontX_ = env_.stock.frontX();
  }

  void showStock() {
    const int stock = std::max(env_.stock.stock(), 0);
    if (stock == shownStock_) return;
    shownStock_ = stock;
    ui_.setInfiniteStock(localized("Stock: ", language()) + std::to_string(stock) + " / " +
                             std::to_string(kStockCapacity),
                         stock, kStockCapacity);
  }

  void finish() {
    const int front = env_.stock.frontX();
    if (autoSave_ && front != kNoPosition && front > savedFrontX_) save();
    env_.neural.keepWaiting = {};
    ui_.closeInfiniteWindow();
    MelodySettings& melody = score_.settings.melody;
    for (std::size_t i = 0; i < kForcedSettings.size(); ++i) melody[kForcedSettings[i]] = savedSettings_[i];
    env_.transport.stop();
    env_.stock.reset();
    score_.clearFlag(kFlagInfinite);
    env_.running.store(false);
    ui_.redraw(RedrawTarget::All);
  }

  InfiniteEnv& env_;
  Score& score_;
  Ui& ui_;
  std::string folder_;
  bool autoSave_;
  std::array<std::int32_t, 4> savedSettings_{};
  int shiftPosition_ = kNoPosition;  // where the song is cut next; set once the timeline is full
  int lastBlockStartX_ = kNoPosition;
  int savedFrontX_ = kSongStartX;  // the song up to here is in a file
  int blocksInHalf_ = 0;
  int shownStock_ = 0;
  std::int64_t backoffMs_ = 0;
  std::int64_t retryAtMs_ = 0;
};

// The questions before a run; answers 0 with the folder (empty: no
// automatic saving), or the command's result.
int askToStart(GenerationEnv& local, std::string& folder) {
  if (local.askSaveChanges() != 0) return -2;
  const int language = local.score.settings.general.language;
  const MsgAnswer answer =
      local.ui.messageBox(localized("Do you want to automatically save the generated melody into MIDI files?", language),
                          "Quorvel", MsgIcon::Question, MsgButtons::YesNoCancel);
  if (answer == MsgAnswer::Cancel) return -2;
  if (answer != MsgAnswer::Yes) return 0;
  const std::string start = std::filesystem::path(local.score.fileName).parent_path().string();
  folder = local.ui.askFolder(localized("Select a save folder.", language), start);
  if (!folder.empty()) return 0;
  local.ui.messageBox(localized("Folder could not be selected", language), "Quorvel", MsgIcon::Exclamation,
                      MsgButtons::Ok);
  return -1;
}

}  // namespace

int runInfiniteGeneration(InfiniteEnv& env) {
  GenerationEnv& local = env.neural.local;
  BusyScope busy(local);
  if (!busy.acquired()) return -2;
  std::string folder;
  // Every question comes before the song is cleared, so a cancel changes nothing.
  if (const int answer = askToStart(local, folder); answer != 0) return answer;
  newSong(local.score, kNewSongMask, local.ui);
  InfiniteRun(env, folder).run();
  return 0;
}

}  // namespace quorvel
