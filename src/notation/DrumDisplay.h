#pragma once
// Where a General MIDI drum key sits on a five-line percussion staff, with
// the note head drummers read for it (x for cymbals and hi-hats).
namespace quorvel::notation {

struct DrumDisplay {
  int step = 0;                  // letter 0..6, C..B
  int octave = 5;
  const char* notehead = nullptr;  // nullptr: the normal head
  const char* name = "Percussion";
};

DrumDisplay drumDisplayOf(int key);

}  // namespace quorvel::notation
