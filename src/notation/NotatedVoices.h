#pragma once
// The notes of one part as notated voices: notes struck together with the
// same length share a chord; a note that overlaps a chord of every voice so
// far opens another voice, so no note is dropped. A note repeated exactly
// (same start, key and length) is one note on paper and is written once.
#include <vector>

namespace quorvel::notation {

struct PartNote {
  int start = 0;   // steps from the beginning of the song
  int key = 60;    // MIDI key
  int length = 1;  // steps
};

struct Chord {
  int start = 0;
  int length = 1;
  std::vector<int> keys;  // ascending
};

using Voice = std::vector<Chord>;  // in time order, never overlapping

std::vector<Voice> voicesOf(std::vector<PartNote> notes);

// Drum strokes as one voice of chords: the strokes struck together form a
// chord as long as the shortest of them, cut where the next stroke starts.
// A drum sounds from its stroke, so only the length on paper is simplified;
// no stroke is lost, and the staff stays readable.
Voice strokesOf(std::vector<PartNote> strokes);

// A voice cut into one measure's notated pieces. A piece without keys is a
// rest; a gap piece stands for silence left unwritten (a <forward>) in a
// voice that only carries overlapping notes.
struct Piece {
  int position = 0;  // steps into the measure
  int length = 1;
  std::vector<int> keys;
  bool tieFromBefore = false;
  bool tieToNext = false;
  bool gap = false;
  bool wholeMeasureRest = false;
};

using MeasurePieces = std::vector<Piece>;

// The voice's pieces in each of `measureCount` measures. With fillRests the
// silences are notated rests (an empty measure is one whole-measure rest);
// without, they are gaps and a measure without notes has no pieces.
std::vector<MeasurePieces> piecesByMeasure(const Voice& voice, int measureCount, bool fillRests);

}  // namespace quorvel::notation
