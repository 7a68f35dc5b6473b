#include "playback/PlaySettings.h"

#include <algorithm>

#include "model/Score.h"

namespace quorvel {

namespace {
constexpr int kMinTempo = 60, kMaxTempo = 240;
}

PlaySettings playSettingsOf(const Score& s) {
  PlaySettings p;
  // A stored tempo outside the range would make the tick interval meaningless.
  p.tempo = std::clamp(s.settings.general.tempo, kMinTempo, kMaxTempo);
  p.volume = std::clamp(s.settings.general.volume, 1, 127);
  p.instruments = s.settings.parts.instruments;
  p.drumKeys = s.settings.drums.drumKeys;
  p.drumNoteOff = switchOn(s.settings.drums.enableNoteOff);
  p.playListIndex = switchOn(s.settings.parts.playSelectedPartOnly) ? s.editPart() : kMelodyView;
  p.playMode = switchOn(s.settings.parts.playStrictLines) ? kStrictPlayMode : kNormalPlayMode;
  return p;
}

}  // namespace quorvel
