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

// Appends the note events of `notes` from the song's beginning on (without the
// end-of-track event). Melody notes go to channel 1, drums to channel 10; at
// each step note ends come before note starts. Answers the bytes appended.
std::size_t writeTrackEvents(const NoteSet& notes, Bytes& out, const DrumKeys& drumKeys);

}  // namespace quorvel
