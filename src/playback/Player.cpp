#include "playback/Player.h"

#include <algorithm>

#include "base/Messages.h"
#include "base/Ui.h"
#include "model/Score.h"
#include "playback/InfinitePlayback.h"
#include "playback/MidiMessages.h"
#include "playback/NotePreview.h"
#include "playback/SetPreview.h"
#include "playback/ThreadPriority.h"

namespace quorvel {

namespace {

constexpr int kMessageField = 1;
constexpr int kBarJump = kBarPixels;
constexpr auto kStopWait = std::chrono::milliseconds(200);

std::chrono::steady_clock::duration tickDuration(const PlaySettings& s) {
  return std::chrono::duration_cast<std::chrono::steady_clock::duration>(
      std::chrono::duration<double, std::milli>(s.tickMs()));
}

// The next tick is due one interval after the last one was due; a tick more
// than one interval late is not caught up but counted from now.
std::chrono::steady_clock::time_point nextReference(std::chrono::steady_clock::time_point reference,
                                                    std::chrono::steady_clock::time_point now,
                                                    std::chrono::steady_clock::duration interval) {
  return now - reference < 2 * interval ? reference + interval : now;
}

}  // namespace

Player::Player(Score& score, DeviceCatalog& catalog, PlayerOptions options)
    : score_(score),
      catalog_(catalog),
      options_(options),
      policy_(options.threadPolicy != nullptr ? *options.threadPolicy : defaultThreadPolicy()),
      outputThread_(device_, policy_),
      stepper_(score, device_),
      settings_(playSettingsOf(score)) {
  playMode_.store(settings_.playMode);
  savedPlayMode_.store(settings_.playMode);
  playListIndex_.store(settings_.playListIndex);
}

Player::~Player() { shutdown(); }

int Player::startOutputThread() {
  policy_.lockMemory();
  if (outputThread_.started()) {
    outputThread_.start();
    return 0;
  }
  if (device_.open(catalog_) != 0) return -1;
  sendProgramChanges();
  outputThread_.start();
  return 0;
}

int Player::startPlayerThread() {
  if (thread_.joinable()) {
    playEvent_.signal();
    return 0;
  }
  playerQuit_.store(false);
  policy_.lockMemory();
  thread_ = std::thread([this] { run(); });
  return 0;
}

void Player::shutdown() {
  if (thread_.joinable()) {
    playerQuit_.store(true);
    playEvent_.signal();
    wake_.signal();
    thread_.join();
  }
  outputThread_.shutdown();
  device_.close();
}

bool Player::isPlaying() const { return score_.hasFlag(kFlagPlaying); }

void Player::requestPlay(int listIndex) {
  playListIndex_.store(listIndex);
  setIdle(false);
  playEvent_.signal();
}

void Player::play() {
  if (!device_.isOpen()) deviceFailed_.store(true);
  settingsChanged();
  score_.clearFlag(kFlagFlushNotes);
  score_.setFlag(kFlagPlaying);
  requestPlay(takeSettings().playListIndex);
}

void Player::pause() {
  score_.clearFlag(kFlagPlaying);
  wake_.signal();
}

void Player::pauseAndWait() {
  pause();
  waitUntilIdle();
}

void Player::stop() {
  // Let the player release its notes before the cue jumps.
  pauseAndWait();
  const int cue = score_.cueIndicator.load();
  const int left = score_.leftLocator.load();
  moveCue(left < cue ? left : kSongStartX, true);
}

void Player::previous() {
  moveCue(-kBarJump, false);
  wake_.signal();
}

void Player::forward() {
  moveCue(kBarJump, false);
  wake_.signal();
}

void Player::previewSet(int setIndex) {
  // A second preview without a stop in between must not lose the mode to restore.
  if (playMode_.load() != kSetPreviewMode) savedPlayMode_.store(playMode_.load());
  playMode_.store(kSetPreviewMode);
  previewFinished_.store(false);
  score_.setFlag(kFlagPlaying);
  requestPlay(setIndex);
}

void Player::stopPreview() {
  playMode_.store(savedPlayMode_.load());
  pause();
  waitUntilIdle();
  moveCue(kSongStartX, true);
}

void Player::settingsChanged() {
  const PlaySettings fresh = playSettingsOf(score_);
  {
    std::lock_guard lock(settingsMutex_);
    settings_ = fresh;
  }
  if (playMode_.load() == kSetPreviewMode) {
    savedPlayMode_.store(fresh.playMode);
  } else {
    playMode_.store(fresh.playMode);
    playListIndex_.store(fresh.playListIndex);
  }
  settingsChanged_.store(true);
}

int Player::sendProgramChanges() {
  const PlaySettings s = takeSettings();
  int result = 0;
  for (int c = 0; c < 4; ++c) {
    if (device_.send(programChange(c, s.instruments[static_cast<std::size_t>(c)])) != 0) result = -1;
  }
  return result;
}

void Player::refreshUi(Ui& ui) {
  const int language = score_.language();
  // Said once, never as an error; a missing device matters more and is said last.
  if (policy_.takeRefusalNote()) {
    ui.setStatus(kMessageField, localized("No real-time priority: playback may stumble on a busy machine", language));
  }
  // Said once, without a box: a machine without sound plays silently and the cue still moves.
  if (deviceFailed_.exchange(false) && !silenceReported_) {
    silenceReported_ = true;
    ui.setStatus(kMessageField, localized("No sound device: playing silently", language));
  }
  const int cue = score_.cueIndicator.load();
  if (cue == shownCue_ || score_.hasFlag(kFlagInfinite)) return;
  shownCue_ = cue;
  ui.setStatus(0, positionText(cue, language));
}

PlaySettings Player::takeSettings() {
  std::lock_guard lock(settingsMutex_);
  return settings_;
}

int Player::moveCue(int amount, bool absolute) {
  std::lock_guard lock(cueMutex_);
  return advanceCue(score_, amount, absolute, {loopOn_.load(), infinite_.load()});
}

void Player::setIdle(bool idle) {
  {
    std::lock_guard lock(idleMutex_);
    idle_ = idle;
  }
  idleCv_.notify_all();
}

void Player::waitUntilIdle() {
  std::unique_lock lock(idleMutex_);
  idleCv_.wait_for(lock, kStopWait, [this] { return idle_; });
}

bool Player::keepsPlaying() const { return score_.hasFlag(kFlagPlaying) && !playerQuit_.load(); }

void Player::run() {
  policy_.raiseCurrentThread();
  Clock::time_point lastOpenTime = Clock::now();
  for (;;) {
    playEvent_.waitAndReset();
    stepper_.clear();
    if (playerQuit_.load()) break;
    reopenIfDue(lastOpenTime);
    const int mode = playMode_.load();
    if (mode == kNormalPlayMode || mode == kStrictPlayMode) {
      playTicks(mode);
    } else if (mode == kSetPreviewMode) {
      playPreview(playListIndex_.load());
    }
    setIdle(true);
  }
  setIdle(true);
}

void Player::reopenIfDue(Clock::time_point& lastOpenTime) {
  const Clock::time_point now = Clock::now();
  if (now - lastOpenTime <= options_.reopenInterval) return;
  // A failed open waits for the next interval too: trying on every Play would
  // load the SoundFont each time for nothing.
  lastOpenTime = now;
  if (device_.open(catalog_) != 0) deviceFailed_.store(true);
  sendProgramChanges();
}

void Player::playTicks(int mode) {
  PlaySettings settings = takeSettings();
  stepper_.setSettings(settings);
  Clock::duration interval = tickDuration(settings);
  int listIndex = playListIndex_.load();
  int lastStepX = 0;
  Clock::time_point reference = Clock::now();
  while (keepsPlaying()) {
    if (settingsChanged_.exchange(false)) {
      settings = takeSettings();
      stepper_.setSettings(settings);
      interval = tickDuration(settings);
      listIndex = playListIndex_.load();
    }
    if (score_.hasFlag(kFlagFlushNotes)) {
      stepper_.setDueTime(reference);
      stepper_.releaseEverything();
      score_.clearFlag(kFlagFlushNotes);
    }
    const Clock::time_point now = Clock::now();
    if (now - reference >= interval) {
      reference = nextReference(reference, now, interval);
      // A late wake-up still sends for the tick's own time.
      stepper_.setDueTime(reference);
      const int x = moveCue(1, false);
      if (x != 0) {
        lastStepX = x;
        if (mode == kStrictPlayMode) {
          stepper_.strictStep(x, listIndex);
        } else {
          stepper_.normalStep(x, listIndex, {melodyMuted_.load(), drumsMuted_.load()});
        }
      }
      InfinitePlayback* infinite = infinite_.load();
      if (infinite != nullptr && score_.hasFlag(kFlagInfinite)) infinite->playedUpTo(lastStepX);
    }
    wake_.waitUntilAndReset(reference + interval);
  }
  stepper_.setDueTime(Clock::now());
  stepper_.releaseEverything();
  if (NotePreview* preview = preview_.load()) preview->playbackPaused();
}

void Player::playPreview(int setIndex) {
  const PlaySettings settings = takeSettings();
  stepper_.setSettings(settings);
  const Clock::duration interval = tickDuration(settings);
  const PreviewSpan span = previewSpanOf(score_, setIndex);
  const int limit = span.limit;
  const int range = std::max(limit - span.startX, 1);
  int x = span.startX;
  int numerator = 0;
  Clock::time_point reference = Clock::now();
  while (keepsPlaying()) {
    const Clock::time_point now = Clock::now();
    // Nothing past the limit sounds while the dialog takes its time to stop us.
    if (x < limit && now - reference >= interval) {
      reference = nextReference(reference, now, interval);
      numerator += 100;
      ++x;
      stepper_.setDueTime(reference);
      if (x % kStepPixels == 0) stepper_.previewStep(x, setIndex);
    }
    if (x < limit) {
      previewProgress_.store(std::min(numerator / range, 100));
    } else {
      previewFinished_.store(true);
    }
    wake_.waitUntilAndReset(reference + interval);
  }
  stepper_.setDueTime(Clock::now());
  stepper_.releaseEverything();
  previewProgress_.store(0);
}

}  // namespace quorvel
