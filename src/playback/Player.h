#pragma once
// The player: plays the score tick by tick on its own thread, moves the cue,
// loops between the locators, auditions imported track sets, and owns the
// output device and the output thread. Owned by the application; every public
// function except the destructor runs on the window thread.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "model/Score.h"
#include "playback/CueAdvance.h"
#include "playback/DeviceCatalog.h"
#include "playback/Event.h"
#include "playback/NoteStepper.h"
#include "playback/OutputDevice.h"
#include "playback/OutputThread.h"
#include "playback/PlaySettings.h"
#include "playback/ThreadPriority.h"

namespace quorvel {

class Ui;
class InfinitePlayback;
class NotePreview;

struct PlayerOptions {
  // How long after the last successful open the device is opened afresh.
  std::chrono::milliseconds reopenInterval{300000};
  // How the player and output threads are scheduled; null: the default policy.
  ThreadPolicy* threadPolicy = nullptr;
};

class Player {
 public:
  Player(Score& score, DeviceCatalog& catalog, PlayerOptions options = {});
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // Start-up: opens the device and starts the output thread (-1 and no thread
  // when no device opens), then the player thread. Results may be ignored.
  int startOutputThread();
  int startPlayerThread();
  // Exit: ends both threads and closes the device.
  void shutdown();

  // Transport.
  void play();     // "Play": from the cue
  void pause();    // "Paus": the cue stays
  void stop();     // "Stop": rewinds to the left locator when that lies before the cue, else to the start
  void previous(); // "Prev": one bar back
  void forward();  // "Fwd.": one bar on
  void setLoop(bool on) { loopOn_.store(on); }
  bool loop() const { return loopOn_.load(); }
  void setMelodyMuted(bool on) { melodyMuted_.store(on); }
  void setDrumsMuted(bool on) { drumsMuted_.store(on); }
  bool isPlaying() const;
  // Pauses and returns once the player has let go of its notes (or after a
  // short wait), so the song may be rearranged under a still cue.
  void pauseAndWait();
  // Puts the cue at x under the cue lock, so the tick's own moves cannot
  // overwrite it (the ruler; infinite generation with the player paused).
  // Notes are not released.
  void moveCueTo(int x) { moveCue(x, true); }

  // The track-assignment dialog's "Play" and "Stop". The dialog polls the
  // progress (0..100) and calls stopPreview() once previewFinished() answers true.
  void previewSet(int setIndex);
  void stopPreview();
  int previewProgress() const { return previewProgress_.load(); }
  bool previewFinished() const { return previewFinished_.load(); }

  // After tempo, volume, play-part, edit-part or strict-lines changes.
  void settingsChanged();
  // Sends the four instruments as program changes; -1 without a device.
  int sendProgramChanges();
  // Note preview and real-time input: one message through the output thread.
  void postShortMessage(std::uint32_t message) { outputThread_.post(message); }

  // Window-thread polling: the position text in status field 0 and, once
  // each, the notes in field 1 that there is no sound device and that the
  // threads run without real-time priority.
  void refreshUi(Ui& ui);
  void setInfinitePlayback(InfinitePlayback* hook) { infinite_.store(hook); }
  // Told on the player thread whenever playback pauses, so a recorded take ends.
  void setNotePreview(NotePreview* preview) { preview_.store(preview); }

  OutputDevice& device() { return device_; }

 private:
  using Clock = std::chrono::steady_clock;

  void requestPlay(int listIndex);
  void run();
  void reopenIfDue(Clock::time_point& lastOpenTime);
  void playTicks(int mode);
  void playPreview(int setIndex);
  bool keepsPlaying() const;
  PlaySettings takeSettings();
  int moveCue(int amount, bool absolute);
  void waitUntilIdle();
  void setIdle(bool idle);

  Score& score_;
  DeviceCatalog& catalog_;
  PlayerOptions options_;
  ThreadPolicy& policy_;
  OutputDevice device_;
  OutputThread outputThread_;
  NoteStepper stepper_;  // player thread only

  Event playEvent_;
  Event wake_;  // cuts a tick's sleep short when the transport changes
  std::thread thread_;
  std::atomic<bool> playerQuit_{false};
  std::atomic<int> playListIndex_{kMelodyView};
  std::atomic<bool> settingsChanged_{false};
  std::atomic<int> playMode_{kNormalPlayMode};
  std::atomic<int> savedPlayMode_{kNormalPlayMode};
  std::atomic<bool> loopOn_{false};
  std::atomic<bool> melodyMuted_{false};
  std::atomic<bool> drumsMuted_{false};
  std::atomic<int> previewProgress_{0};
  std::atomic<bool> previewFinished_{false};
  std::atomic<bool> deviceFailed_{false};
  std::atomic<InfinitePlayback*> infinite_{nullptr};
  std::atomic<NotePreview*> preview_{nullptr};

  std::mutex settingsMutex_;
  PlaySettings settings_;  // the latest copy from the window thread

  std::mutex cueMutex_;  // the player's tick and the transport buttons both move the cue

  std::mutex idleMutex_;
  std::condition_variable idleCv_;
  bool idle_ = true;

  int shownCue_ = -1;  // window thread: the position last written to the status bar
  bool silenceReported_ = false;  // window thread: "playing silently" has been said
};

}  // namespace quorvel
