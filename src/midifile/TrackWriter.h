#pragma once
// Turns one note set into the events of a track chunk.
#include <array>
#include <cstddef>
#include <cstdint>

#include "midifile/SmfBytes.h"
#include "model/NoteSet.h"

namespace quorvel {

using DrumKeys = std::array<std::int32_t, 12>;  // General MIDI key of lanes 1..12

// Division of written files: one step is 5 ticks.
inline constexpr int kWrittenDivision = 20;
inline constexpr int kTicksPerStep = 5;

// Where a track's melody notes go and how long a step is in ticks. The
// program's own files use channel 1 and 5 ticks a step.
struct TrackStyle {
  int melodyChannel = 0;  // 0-based
  int ticksPerStep = kTicksPerStep;
  // Drum hits end with a note-off instead of the program's own soft note-on.
  bool drumNoteOffs = false;
};

// Appends the note events of `notes` from the song's beginning on (without the
// end-of-track event). Melody notes go to the style's channel, drums to
// channel 10; at each step note ends come before note starts. Answers the bytes appended.
std::size_t writeTrackEvents(const NoteSet& notes, Bytes& out, const DrumKeys& drumKeys, TrackStyle style = {});

}  // namespace quorvel
