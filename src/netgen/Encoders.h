#pragma once
// The request encoders: each turns source notes into the data text of one
// request type and says where the reply's notes start (S).
#include <array>
#include <optional>
#include <string>

#include "model/NoteSet.h"

namespace quorvel {

class Random;

// Five working sets per request: 0..3 copies of melody parts (3 the top
// source), 4 a copy of the drums.
inline constexpr int kWorkingDrums = 4;
using WorkingSets = std::array<NoteSet, 5>;

struct Encoded {
  bool ok = false;           // false: no usable source (the request is not sent)
  bool hasContext = false;   // encodeContext: some notes were sent
  std::string data;
  int len = 0;
  int start = kSongStartX;   // S
};

// Shifts working sets 3 down to 3 - n so that their earliest note starts at
// x = 10 (no shift when one of them is empty) and transposes them so that the
// key note becomes middle C. Answers the time offset in x, which the caller
// adds back to the encoder's start. A note too high to transpose is dropped.
int normaliseSources(WorkingSets& sets, int n, int keyNote);

// The melody note token (pitch row and length only) and the rest token.
std::uint32_t noteToken(NoteCode c);
std::uint32_t restToken(int silentSteps);

// Type 0: up to W (45..55, one draw of `random`) tokens of the melody before
// the generation point.
Encoded encodeContext(const NoteSet& set, bool betweenLocators, int generationPosition, Random& random);

struct Phrase {
  int startX = 0;
  int endX = 0;
};
// The first run of at least four notes from `fromX` in which every note ends
// less than 1281 after the run's start and starts less than 161 after the
// previous note's end.
std::optional<Phrase> findPhrase(const NoteSet& set, int fromX);

// Types 1..3: the first phrase from the left locator (between locators) or
// from the generation start, at most 256 tokens.
Encoded encodePhrase(const NoteSet& set, bool betweenLocators, int leftLocator, int rightLocator,
                     int generationStart);

// Type 4: one token per step over at most the last 320 x of drums before the
// generation point.
Encoded encodeDrumSteps(const NoteSet& drums, bool betweenLocators, int generationPosition);

// Type 5: per step, which of the four voices start or still sound; at most
// 128 steps, refused when 96 or more of them are silent. `rangeEndX` is
// where the song's parts end (used when not between locators).
Encoded encodeVoiceSteps(const std::array<const NoteSet*, 4>& parts, bool betweenLocators, int leftLocator,
                         int rightLocator, int generationStart, int rangeEndX);

// 5 * (greatest start + 1) over the last notes of the four melody parts.
int voiceRangeEnd(const std::array<const NoteSet*, 4>& parts);

}  // namespace quorvel
