#pragma once
// Key and scale detection over the four melody parts, and the transposition
// that brings the generator's key note to C3.
#include <array>
#include <optional>
#include <string>

#include "model/NoteSet.h"

namespace quorvel {

struct Score;
class Ui;

inline constexpr int kScaleCount = 7;
// Display names, the same in every language.
extern const std::array<const char*, 12> kKeyNames;
extern const std::array<const char*, kScaleCount> kScaleNames;

struct KeyEstimate {
  int tonic = 0;           // pitch class 0..11, 0 = C
  int mode = 0;            // index into kScaleNames
  double percent = 0.0;    // share of the music inside the scale
  std::optional<int> keyPitch;  // the tonic nearest the reference part's mean key; none when it is empty
};

// Estimates the key of four melody note sets; reference (0..3) is the set whose
// mean key places the key pitch. Nothing when the sets hold no melody note.
std::optional<KeyEstimate> estimateKey(const std::array<const NoteSet*, 4>& sets, int reference);

// "%s %s %2.2f%%": key name, scale name, percentage.
std::string keyStatusText(const KeyEstimate& estimate);

// Detects the key of the song's parts and shows it in status field 1. With
// apply, the placed key pitch becomes the generator's key note and the scale
// its mode. Nothing
// happens, and nothing is answered, when the melody is empty.
std::optional<KeyEstimate> detectKey(Score& s, Ui& ui, bool apply);

// Transposes the melody so that the generator's key note becomes C3 (60).
// Notes pushed outside keys 1..121 are dropped. Answers 0, or -2 when there
// was nothing to do.
int fitKeyToC3(Score& s, Ui& ui);

}  // namespace quorvel
