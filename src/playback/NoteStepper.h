#pragma once
// Turns the note sets into messages one step (five ticks) at a time and keeps
// track of what sounds. Runs on one thread: the player's, or an offline render.
#include <cstdint>
#include <vector>

#include "model/NoteSet.h"
#include "playback/MidiOut.h"
#include "playback/PlaySettings.h"

namespace quorvel {

struct Score;

struct MuteState {
  bool melody = false;
  bool drums = false;
};

class NoteStepper {
 public:
  NoteStepper(const Score& score, MidiOut& out) : score_(score), out_(out) {}

  void setSettings(const PlaySettings& settings) { settings_ = settings; }
  // When the next messages are due: the tick's ideal time, not when it ran.
  void setDueTime(MidiOut::DueTime due) { due_ = due; }
  // Forgets every working set, as each play request does.
  void clear();

  // The step at cue position x, for note set `setIndex`.
  void normalStep(int x, int setIndex, MuteState mute);
  // At most one note per part, the higher pitch wins; no drums.
  void strictStep(int x, int setIndex);
  // Auditions an imported set: drum codes as drums, the rest as melody.
  void previewStep(int x, int setIndex);
  // Silences everything that sounds, drum releases included.
  void releaseEverything();

  const NoteSet& soundingNotes() const { return soundingNotes_; }
  const NoteSet& soundingDrums() const { return soundingDrums_; }
  const NoteSet& strictActive() const { return strictActive_; }

 private:
  std::vector<NoteCode> dueInScore(int setIndex, NoteCode lo, NoteCode hi) const;
  void releaseDueNotes(NoteCode lo, NoteCode hi);
  void releaseDueDrums(NoteCode lo, NoteCode hi, bool sendRelease);
  void send(std::uint32_t message);
  void soundNote(NoteCode code);
  void soundDrum(NoteCode code, bool alwaysRelease);
  void sendDrumRelease(NoteCode releaseCode);
  int drumKeyOf(NoteCode code) const;

  const Score& score_;
  MidiOut& out_;
  PlaySettings settings_;
  MidiOut::DueTime due_{};  // none: at once
  NoteSet soundingNotes_;  // release codes: start field = written end
  NoteSet soundingDrums_;
  NoteSet strictActive_;   // unchanged codes whose written span goes on
};

// The code range due at cue position x: [lo, hi).
struct DueRange {
  NoteCode lo;
  NoteCode hi;
};
DueRange dueRangeAt(int x);

}  // namespace quorvel
