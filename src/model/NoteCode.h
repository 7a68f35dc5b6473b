#pragma once
// One note of the score packed into 32 bits. The start occupies the top bits so
// that the natural order of codes is time order.
#include <cstdint>

namespace quorvel {

using NoteCode = std::uint32_t;

// Time grid: one step is a sixteenth note; x = 5 * start in view coordinates.
inline constexpr int kStepPixels = 5;
inline constexpr int kSongStartStep = 2;      // origin lies two steps before the song
inline constexpr int kTimelineEndStep = 4354; // 272 bars of 16 steps after the origin
inline constexpr int kSongStartX = 10;
inline constexpr int kTimelineEndX = 21770;

// A black key of the keyboard (C# D# F# G# A#), for any MIDI key number.
constexpr bool isBlackKey(int key) {
  const int k = key % 12;
  return k == 1 || k == 3 || k == 6 || k == 8 || k == 10;
}
inline constexpr int kBarPixels = 80;
inline constexpr int kStepsPerBar = 16;

inline constexpr int kMaxMelodyKey = 122;
inline constexpr int kMaxMelodyLength = 127;
inline constexpr int kMaxDrumLength = 4;

inline constexpr std::uint32_t kStartShift = 18;
inline constexpr std::uint32_t kStepDelta = 1u << kStartShift;      // 262144
inline constexpr std::uint32_t kMelodyRowDelta = 1u << 10;          // 1024
inline constexpr std::uint32_t kDrumRowDelta = 1u << 14;            // 16384
inline constexpr std::uint32_t kDrumFlag = 1u << 9;

enum PartIndex : int { kBass = 0, kTenor = 1, kAlto = 2, kSoprano = 3 };

// View geometry of a note, as the panes draw it.
struct NoteRect {
  int x = 0;        // 5 * start
  int y = 0;        // 5 * row + 2
  int width = 0;    // 5 * length
  int partOrLevel = 0;
  int velocity = 0; // drums only
};

// Builds a code from view geometry; divisions truncate toward zero.
NoteCode encodeNote(int x, int y, int width, int partOrLevel, int velocity, bool drum);
NoteRect decodeNote(NoteCode code, bool drum);

// Field access without geometry.
constexpr int noteStart(NoteCode c) { return static_cast<int>(c >> kStartShift); }
constexpr bool isDrumCode(NoteCode c) { return (c & kDrumFlag) != 0; }

constexpr int melodyRow(NoteCode c) { return static_cast<int>((c >> 10) & 0xFF); }
constexpr int melodyKey(NoteCode c) { return kMaxMelodyKey - melodyRow(c); }
constexpr int melodyLength(NoteCode c) { return 127 - static_cast<int>((c >> 2) & 0x7F); }
constexpr int melodyPart(NoteCode c) { return static_cast<int>(c & 3); }

constexpr int drumRow(NoteCode c) { return static_cast<int>((c >> 14) & 0xF); }
constexpr int drumLength(NoteCode c) { return 4 - static_cast<int>((c >> 12) & 3); }
constexpr int drumLevel(NoteCode c) { return static_cast<int>((c >> 10) & 3); }
constexpr int drumVelocity(NoteCode c) { return static_cast<int>(c & 0x7F); }

// Direct construction from musical values (start in steps, MIDI key, length in steps).
constexpr NoteCode makeMelodyNote(int start, int key, int length, int part) {
  return (static_cast<std::uint32_t>(start) << kStartShift) |
         (static_cast<std::uint32_t>(kMaxMelodyKey - key) << 10) |
         (static_cast<std::uint32_t>(127 - length) << 2) | static_cast<std::uint32_t>(part & 3);
}
constexpr NoteCode makeDrumNote(int start, int lane, int length, int level, int velocity) {
  return (static_cast<std::uint32_t>(start) << kStartShift) |
         (static_cast<std::uint32_t>(lane & 0xF) << 14) |
         (static_cast<std::uint32_t>((4 - length) & 3) << 12) |
         (static_cast<std::uint32_t>(level & 3) << 10) | kDrumFlag |
         static_cast<std::uint32_t>(velocity & 0x7F);
}

// Replacing the two low bits: the part of a melody note, the velocity's low bits of a drum note.
constexpr NoteCode withLowBits(NoteCode c, int bits) { return (c & ~3u) | static_cast<std::uint32_t>(bits & 3); }
constexpr NoteCode withMelodyLength(NoteCode c, int length) {
  return (c & ~(0x7Fu << 2)) | (static_cast<std::uint32_t>(127 - length) << 2);
}
constexpr NoteCode withDrumLength(NoteCode c, int length) {
  return (c & ~(3u << 12)) | (static_cast<std::uint32_t>((4 - length) & 3) << 12);
}
constexpr NoteCode withStart(NoteCode c, int start) {
  return (c & (kStepDelta - 1)) | (static_cast<std::uint32_t>(start) << kStartShift);
}

// Velocity of a drum note drawn at a level; level 0 uses the user's drum velocity.
int velocityOfLevel(int level, int userDrumVelocity);
// Level of a drum note read from a file.
int levelOfVelocity(int velocity);

}  // namespace quorvel
