#pragma once
// Where each voice of a counter-lines request may sound, in real MIDI keys:
// never below the lowest key a bass instrument plays, and preferably inside
// the voice's usual range.
namespace quorvel {

inline constexpr int kLowestPlayablePitch = 28;

struct PitchRange {
  int low = kLowestPlayablePitch;
  int high = 127;
  // Semitones outside [low, high]; 0 inside.
  int distanceOutside(int pitch) const { return pitch < low ? low - pitch : (pitch > high ? pitch - high : 0); }
};

// The usual range of line `line` (1 .. voiceCount - 1) of a request of
// voiceCount voices; the last line is the bass.
PitchRange usualRange(int voiceCount, int line);

// Turns a real key into the key in the frame of the search and back.
struct PitchFrame {
  int shift = 0;  // real key = frame key + shift
  int toFrame(int realPitch) const { return realPitch - shift; }
  int toReal(int framePitch) const { return framePitch + shift; }
};

}  // namespace quorvel
