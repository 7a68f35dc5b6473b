#include "playback/adapters/SongExport.h"

#include "model/Score.h"
#include "playback/OfflinePlayer.h"
#include "playback/adapters/WavRenderer.h"

namespace quorvel {

namespace {
constexpr double kTailMs = 2000.0;  // lets the last notes ring out
}

SongExportResult exportSongAsWav(Score& s, const PlaySettings& settings, const std::string& path) {
  const int cue = s.cueIndicator.load();
  const OfflinePlay play = playOffline(s, settings);
  s.cueIndicator.store(cue);

  const std::optional<RenderedAudio> audio = renderMessages(play.messages, play.endMs + kTailMs);
  if (!audio || writeWav(*audio, path) != 0) return {-1, 0.0, play.messages.size()};
  return {0, double(audio->frames()) / audio->sampleRate, play.messages.size()};
}

}  // namespace quorvel
