#pragma once
// Note preview and real-time input: the on-screen keyboard, the drum lane
// labels, the computer keyboard and a MIDI keyboard sound single notes; in
// real-time mode the keys play along with playback, may be recorded into the
// edited part, and may be answered by partner voices.
//
// Every function runs on the window thread except finishTake(), which the
// player thread calls when playback pauses. One lock, the preview lock, guards
// the held keys, the recording sets and the partner state.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "model/NoteCode.h"

namespace quorvel {

struct Score;
class Ui;

// realtimeMode bits.
enum RealtimeModeBit : int {
  kRealtimeOn = 1,
  kRealtimeRecord = 2,
  kRealtimeTakeStarted = 4,
  kRealtimeMonophonic = 8,
};

inline constexpr int kNoKey = 16384;
// Where a key press comes from.
inline constexpr int kSourceKeyboard = 0;
inline constexpr int kSourceMidiInput = 1;
inline constexpr int kSourceMouse = 80;
inline constexpr int kPreviewReleaseVelocity = 1;
inline constexpr int kMaxPartners = 3;

// The partner voices that answer a played key; implemented by the generator.
class PartnerSource {
 public:
  virtual ~PartnerSource() = default;
  // Fills the pitches of partner lines 1..count (index 0..count-1, -1 for
  // silence) for one played key.
  virtual void answer(int count, int playedKey, std::array<int, kMaxPartners>& pitches) = 0;
  // Real-time generation ended: the next played key starts afresh.
  virtual void off() = 0;
};

struct PreviewHooks {
  // Sends one short message through the output thread.
  std::function<void(std::uint32_t)> send;
  // The first key of a recorded take starts playback.
  std::function<void()> startPlayback;
};

class NotePreview {
 public:
  NotePreview(Score& score, Ui& ui, PreviewHooks hooks, PartnerSource* partners = nullptr);
  NotePreview(const NotePreview&) = delete;
  NotePreview& operator=(const NotePreview&) = delete;

  // A key offset from `keyBase`; velocity 0 plays at the score's volume.
  void keyPressed(int offset, int source, int velocity = 0);
  // For the mouse the released key is the one it pressed, whatever the offset.
  void keyReleased(int offset, int source);
  // A MIDI keyboard's message: a note-on presses its key with its velocity; a
  // note-off (or a note-on of velocity 0) releases it. Other messages are ignored.
  void midiInputMessage(std::uint32_t message);
  // "drumsKeyC": lane 1..12 plays its drum key; ignored in real-time mode.
  void previewDrum(int lane);
  void releaseDrum();
  void stopPreviewNote();

  // Real-time mode: type = number of partner voices (0..3), mode = 1, 3, 9 or 11.
  void startRealtime(int type, int mode);
  // Ends the take (if any) and leaves real-time mode.
  void stopRealtime();
  int realtimeMode() const { return realtimeMode_.load(); }
  int realtimeType() const { return realtimeType_.load(); }

  // Any thread: closes every note of a recorded take at the cue; the closed
  // notes are written into the score by the next writeFinishedNotes().
  void finishTake();
  // The player thread, when playback has paused (by the user or at the end).
  void playbackPaused();
  // Window thread: writes closed notes into their parts; true when any were written.
  bool writeFinishedNotes();

  // The MIDI keys sounding on the edited part, for the keyboard's highlight.
  std::vector<int> soundingKeys() const;

 private:
  struct Held {
    int key;
    int part;
    NoteCode recording;  // 0 when not recorded
  };

  int currentStep() const;
  int channelOf(int part) const;
  void noteOn(int key, int part, int velocity);
  void noteOff(int key, int part);
  void press(int key, int velocity);
  void release(int key);
  void sound(int key, int part, int velocity, bool record);
  void close(const Held& h, int step);
  void beginTakeIfFirst();
  void answerWithPartners(int key);
  void releasePartners(int step);
  void closeAll(int step);

  Score& score_;
  Ui& ui_;
  PreviewHooks hooks_;
  PartnerSource* partners_;

  mutable std::mutex lock_;  // the preview lock
  std::vector<Held> held_;      // played keys that sound (and are recorded)
  std::vector<Held> partnerNotes_;
  std::vector<NoteCode> finished_;

  int lastMouseNote_ = kNoKey;
  int lastDrumKey_ = kNoKey;
  std::atomic<int> realtimeMode_{0};
  std::atomic<int> realtimeType_{0};
};

}  // namespace quorvel
