#pragma once
// What the track reader learns about a file besides its notes.
#include <string>

namespace quorvel {

struct MusicalHead {
  int tempo = 0;     // beats per minute; 0 = none found
  int keyNote = -1;  // MIDI key of the tonic; -1 = none found
  int scale = -1;    // 0 major, 1 minor; -1 = none found
};

struct MidiInfo {
  // Tempo and key of the conductor track (the marker is 10 once one was read).
  MusicalHead conductor;
  int conductorSeen = 0;
  // Tempo and key first met in a track that also holds notes, as format-0
  // files carry them; the conductor's values take precedence.
  MusicalHead inNoteTracks;
  std::string title;

  int tempo() const { return conductor.tempo ? conductor.tempo : inNoteTracks.tempo; }
  int keyNote() const { return conductor.keyNote >= 0 ? conductor.keyNote : inNoteTracks.keyNote; }
  int scale() const { return conductor.scale >= 0 ? conductor.scale : inNoteTracks.scale; }
};

inline constexpr int kConductorSeen = 10;

// Tonic (60..71) of a key signature with sf sharps (sf > 0) or -sf flats; a
// minor signature names the minor key of those accidentals (no accidentals:
// A minor). -1 outside -7..7.
int keyNoteOfSignature(int sf, bool minor);

// The signature (fewest accidentals) of the key whose tonic is `keyNote`.
int signatureOfKey(int keyNote, bool minor);

}  // namespace quorvel
