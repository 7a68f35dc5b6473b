#include "notation/KeySpelling.h"

#include <array>
#include <cstdlib>

namespace quorvel::notation {

namespace {

constexpr std::array<int, 7> kNaturalPitch{0, 2, 4, 5, 7, 9, 11};
constexpr std::array<const char*, 7> kStepNames{"C", "D", "E", "F", "G", "A", "B"};
constexpr std::array<const char*, 7> kModeNames{"major", "minor", "dorian", "phrygian",
                                                "lydian", "mixolydian", "locrian"};
// How far above each mode's tonic the major key of the same signature lies.
constexpr std::array<int, 7> kRelativeMajorAbove{0, 3, 10, 8, 7, 5, 1};
// Letters in the order sharps (and, backwards, flats) enter a signature: F C G D A E B.
constexpr std::array<int, 7> kSharpOrder{3, 0, 4, 1, 5, 2, 6};

int pitchClass(int key) { return (key % 12 + 12) % 12; }

// The signature with the fewest accidentals whose major key has this tonic;
// of two equal ones (F#/Gb) the flats.
int fifthsOfMajor(int tonic) {
  int best = 0;
  bool found = false;
  for (int fifths = -7; fifths <= 7; ++fifths) {
    if (pitchClass(7 * fifths) != tonic) continue;
    if (!found || std::abs(fifths) < std::abs(best)) best = fifths;
    found = true;
  }
  return best;
}

int letterOfTonic(const KeySignature& key) {
  for (int step = 0; step < 7; ++step)
    if (pitchClass(kNaturalPitch[static_cast<std::size_t>(step)] + signatureAlter(step, key.fifths)) == key.tonic)
      return step;
  return 0;
}

Spelling withOctave(int midiKey, int step, int alter) {
  const int natural = midiKey - alter;
  return {step, alter, (natural - kNaturalPitch[static_cast<std::size_t>(step)]) / 12 - 1};
}

bool fits(int midiKey, int step, int alter) {
  return pitchClass(kNaturalPitch[static_cast<std::size_t>(step)] + alter) == pitchClass(midiKey);
}

}  // namespace

KeySignature keySignatureOf(int keyNote, int mode) {
  const int m = mode >= 0 && mode < 7 ? mode : 0;
  const int tonic = pitchClass(keyNote);
  return {fifthsOfMajor(pitchClass(tonic + kRelativeMajorAbove[static_cast<std::size_t>(m)])), tonic, m};
}

const char* modeName(int mode) { return kModeNames[static_cast<std::size_t>(mode >= 0 && mode < 7 ? mode : 0)]; }

int signatureAlter(int step, int fifths) {
  for (int i = 0; i < std::abs(fifths); ++i) {
    const int letter = fifths > 0 ? kSharpOrder[static_cast<std::size_t>(i)] : kSharpOrder[static_cast<std::size_t>(6 - i)];
    if (letter == step) return fifths > 0 ? 1 : -1;
  }
  return 0;
}

Spelling spell(int midiKey, const KeySignature& key) {
  for (int step = 0; step < 7; ++step) {
    const int alter = signatureAlter(step, key.fifths);
    if (fits(midiKey, step, alter)) return withOctave(midiKey, step, alter);
  }
  if (key.mode == 1) {  // the raised sixth and seventh of minor
    const int tonicLetter = letterOfTonic(key);
    for (int degree : {5, 6}) {
      const int step = (tonicLetter + degree) % 7;
      const int alter = signatureAlter(step, key.fifths) + 1;
      if (fits(midiKey, step, alter)) return withOctave(midiKey, step, alter);
    }
  }
  for (int step = 0; step < 7; ++step)
    if (signatureAlter(step, key.fifths) != 0 && fits(midiKey, step, 0)) return withOctave(midiKey, step, 0);
  const int alter = key.fifths >= 0 ? 1 : -1;
  for (int step = 0; step < 7; ++step)
    if (fits(midiKey, step, alter)) return withOctave(midiKey, step, alter);
  return withOctave(midiKey, 0, 0);  // unreachable: every pitch class has a sharp or flat spelling
}

const char* stepName(int step) { return kStepNames[static_cast<std::size_t>(step)]; }

const char* accidentalName(int alter) {
  switch (alter) {
    case -2: return "flat-flat";
    case -1: return "flat";
    case 1: return "sharp";
    case 2: return "double-sharp";
    default: return "natural";
  }
}

}  // namespace quorvel::notation
