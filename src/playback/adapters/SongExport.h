#pragma once
// Exports the song as audio: played offline from the cue to the end indicator
// as the player would, through the built-in synth, into a WAV file.
#include <string>

#include "playback/PlaySettings.h"

namespace quorvel {

struct Score;

struct SongExportResult {
  int code = 0;  // 0 written; -1 no SoundFont, or the file could not be written
  double seconds = 0.0;
  std::size_t messages = 0;
};

// Call it while playback is stopped: it moves the cue as it plays, then puts it back.
SongExportResult exportSongAsWav(Score& s, const PlaySettings& settings, const std::string& path);

}  // namespace quorvel
