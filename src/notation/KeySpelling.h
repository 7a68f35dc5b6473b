#pragma once
// Key signatures and the spelling of MIDI keys in them: a pitch takes the
// letter its key gives it (F# in G major, Bb in F major); a pitch outside the
// key is a natural where the signature alters that letter, the raised sixth
// or seventh in minor, and otherwise a sharp in sharp keys, a flat in flat keys.
#include <string>

namespace quorvel::notation {

// Scale modes as the generator numbers them: 0 major, 1 minor, 2 dorian,
// 3 phrygian, 4 lydian, 5 mixolydian, 6 locrian.
struct KeySignature {
  int fifths = 0;     // -7..7: flats below zero, sharps above
  int tonic = 0;      // pitch class 0..11
  int mode = 0;
};

KeySignature keySignatureOf(int keyNote, int mode);
// The MusicXML name of the mode ("major", "minor", "dorian", ...).
const char* modeName(int mode);

struct Spelling {
  int step = 0;    // letter 0..6, C..B
  int alter = 0;   // -2..2 semitones
  int octave = 4;  // scientific octave: MIDI 60 is C4
};

Spelling spell(int midiKey, const KeySignature& key);
// The alteration the signature gives a letter.
int signatureAlter(int step, int fifths);
// "C".."B".
const char* stepName(int step);
// The accidental sign MusicXML names for an alteration ("sharp", "flat", "natural", ...).
const char* accidentalName(int alter);

}  // namespace quorvel::notation
