#pragma once
// What applying settings asks of the player and the views. The playback code
// and the main window implement it; the application passes it to the apply
// operations. The Score-side effects are done by the apply operations themselves.

namespace quorvel {

// The note set played when every melody part plays.
inline constexpr int kPlayAllMelody = 8;

class SettingsListener {
 public:
  virtual ~SettingsListener() = default;

  // Tempo, volume, edit part or played part changed: the player re-reads them.
  virtual void playerSettingsChanged() = 0;
  // The set the player plays: a part 0..3, or kPlayAllMelody.
  virtual void playPartChosen(int setIndex) = 0;
  // Sent at once: program change on a melody channel (0-based channel 0..3).
  virtual void programChange(int channel, int program) = 0;
  virtual void stopPlayback() = 0;
  // The edit part or drum set became the active set: the views redraw.
  virtual void partSelected(int part) = 0;
  virtual void drumSetSelected(int drumSet) = 0;
};

}  // namespace quorvel
