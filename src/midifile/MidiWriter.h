#pragma once
// Builds the bytes of a Standard MIDI File from note sets of the score.
#include "midifile/SmfBytes.h"

namespace quorvel {

struct Score;
struct FileSettings;

struct WriteOptions {
  bool format0 = false;      // "Always write as fotmat 0."
  bool strictLines = false;  // "Export strict lines(Remove overlaps in each part)."
  bool drums = false;        // "Export drums."
  bool partNames = false;    // format 1: name the four part tracks "Soprano" .. "Bass"

  static WriteOptions from(const FileSettings& file);
};

// Format 1: a conductor track, then the sets from highestSet down to
// lowestSet (Soprano first), then, when drums are written and there are any,
// four empty tracks and the drums of drumSetIndex as the tenth track.
// Format 0: all of it merged into one track.
Bytes writeMidi(const Score& s, int highestSet, int lowestSet, int drumSetIndex, const WriteOptions& options);

}  // namespace quorvel
