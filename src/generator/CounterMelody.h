#pragma once
// The user's melody as the counter-lines search reads it: one pitch per note,
// transposed into the frame of middle C, with the rests between the notes.
#include <vector>

#include "model/NoteSet.h"

namespace quorvel {

inline constexpr int kCounterFrameKey = 60;
inline constexpr int kMaxMelodyLeap = 20;

struct MelodyEntry {
  int pitch = -1;     // MIDI key in the frame of middle C; -1 for a rest
  int duration = 0;   // timeline units (5 per step)
  bool isNote = false;
};

// Where a note sounds, in timeline units.
struct NotePlace {
  int x = 0;
  int duration = 0;
};

struct CounterMelody {
  int originX = kSongStartX;         // where the first entry begins
  std::vector<MelodyEntry> entries;  // rests included

  int noteCount() const;
  // The pitches of the notes in order: the top line of the search.
  std::vector<int> pitches() const;
  std::vector<NotePlace> notePlaces() const;
};

// Reads a melody part as one line: notes sorted by start; of notes starting
// together the highest is kept; a note still sounding when the next begins is
// cut there. Pitches move by 60 - keyNote.
CounterMelody readCounterMelody(const NoteSet& part, int keyNote);

// Wherever neighbouring notes lie more than 20 semitones apart, moves one of
// them by octaves until they lie at most 20 apart: the earlier one when it is
// at least as far from `key` as the later one, else the later one.
void limitLeaps(std::vector<int>& pitches, int key);

}  // namespace quorvel
