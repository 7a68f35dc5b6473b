#include "playback/OfflinePlayer.h"

#include <memory>

#include "model/Score.h"
#include "playback/CueAdvance.h"
#include "playback/MidiMessages.h"
#include "playback/NoteStepper.h"

namespace quorvel {

OfflinePlay playOffline(Score& s, const PlaySettings& settings) {
  auto log = std::make_shared<MessageLog>();
  double now = 0.0;
  RecordingMidiOut out(log, [&now] { return now; });
  for (int c = 0; c < 4; ++c) out.send(programChange(c, settings.instruments[static_cast<std::size_t>(c)]));

  NoteStepper stepper(s, out);
  stepper.setSettings(settings);
  s.clearFlag(kFlagFlushNotes);
  s.setFlag(kFlagPlaying);
  while (s.hasFlag(kFlagPlaying)) {
    now += settings.tickMs();
    const int x = advanceCue(s, 1, false, {});
    if (x == 0) continue;
    if (settings.playMode == kStrictPlayMode) {
      stepper.strictStep(x, settings.playListIndex);
    } else {
      stepper.normalStep(x, settings.playListIndex, {});
    }
  }
  stepper.releaseEverything();
  return {log->snapshot(), now};
}

}  // namespace quorvel
