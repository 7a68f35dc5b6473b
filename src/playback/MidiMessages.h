#pragma once
// Packing of the messages the player sends.
#include <cstdint>

#include "model/NoteCode.h"

namespace quorvel {

inline constexpr int kDrumChannel = 9;
inline constexpr int kMelodyNoteOffVelocity = 64;
inline constexpr int kDrumReleaseVelocity = 1;

constexpr std::uint32_t packShortMessage(int status, int data1, int data2) {
  return static_cast<std::uint32_t>(status & 0xFF) | (static_cast<std::uint32_t>(data1 & 0x7F) << 8) |
         (static_cast<std::uint32_t>(data2 & 0x7F) << 16);
}

// Soprano (part 3) sounds on channel 0, Bass (part 0) on channel 3.
constexpr int channelOfPart(int part) { return 3 - (part & 3); }

constexpr std::uint32_t melodyNoteOn(NoteCode c, int volume) {
  return packShortMessage(0x90 + channelOfPart(melodyPart(c)), melodyKey(c), volume);
}
constexpr std::uint32_t melodyNoteOff(NoteCode c) {
  return packShortMessage(0x80 + channelOfPart(melodyPart(c)), melodyKey(c), kMelodyNoteOffVelocity);
}
constexpr std::uint32_t drumHit(int key, int velocity) { return packShortMessage(0x99, key, velocity); }
// A note-on of velocity 1, not a note-off: what the drum parts have always sent.
constexpr std::uint32_t drumRelease(int key) { return packShortMessage(0x99, key, kDrumReleaseVelocity); }
constexpr std::uint32_t programChange(int channel, int program) {
  return packShortMessage(0xC0 + (channel & 0xF), program, 0);
}

constexpr int statusOf(std::uint32_t m) { return static_cast<int>(m & 0xFF); }
constexpr int data1Of(std::uint32_t m) { return static_cast<int>((m >> 8) & 0x7F); }
constexpr int data2Of(std::uint32_t m) { return static_cast<int>((m >> 16) & 0x7F); }

}  // namespace quorvel
