#pragma once
// Plays the song as the player thread would, in virtual time and at full
// speed: the messages with the times they would be sent. Used for exporting
// a song as audio.
#include <vector>

#include "playback/PlaySettings.h"
#include "playback/RecordingMidiOut.h"

namespace quorvel {

struct Score;

struct OfflinePlay {
  std::vector<TimedMessage> messages;
  double endMs = 0.0;  // when playback stopped
};

// From the cue to the end indicator (or the timeline end), with the
// instruments sent first as program changes. Moves the cue like real play.
OfflinePlay playOffline(Score& s, const PlaySettings& settings);

}  // namespace quorvel
