#pragma once
// Reads the events of one track chunk into the notes gathered for a note set.
#include <string>

#include "midifile/MidiInfo.h"
#include "midifile/SmfBytes.h"

namespace quorvel {

class GatheredNotes;

// What becomes of channel-10 notes.
enum DrumMode : int {
  kDrumsIgnored = 0,
  kDrumsToDrumSets = 256,  // drum sets 4..7 and drumsView
  kDrumsToTrackSet = 512,  // the target set and the imported-drums set 18
};

// Result bits of a track that holds notes.
inline constexpr int kTrackHasMelody = 64;
inline constexpr int kTrackHasDrums = 128;
inline constexpr int kConductorTrack = -1;

struct ChannelRemap {
  bool allAsDrums = false;    // every channel message is taken as channel 10
  bool allAsRegular = false;  // every channel message is taken as channel 1
};

// Answers kConductorTrack when the track gave no notes (its tempo and key are
// then recorded as the conductor's), else a mask of kTrackHasMelody and
// kTrackHasDrums. `name` receives the track name, empty when it has none.
int readTrack(GatheredNotes& out, ByteView track, int targetSet, int division, MidiInfo& info, int drumMode,
              ChannelRemap remap, std::string& name);

}  // namespace quorvel
