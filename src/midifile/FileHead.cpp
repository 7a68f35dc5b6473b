#include "midifile/FileHead.h"

#include "midifile/MidiInfo.h"
#include "model/Score.h"
#include "settings/SettingsApply.h"

namespace quorvel {

void takeFileHead(Score& s, const MidiInfo& info) {
  if (info.tempo() > 0) s.settings.general.tempo = info.tempo();
  MelodySettings melody = s.settings.melody;
  // A file names the key, not its octave: a key note of the same key keeps its octave.
  if (info.keyNote() >= 0 && info.keyNote() % 12 != melody[kKeyNote] % 12) melody[kKeyNote] = info.keyNote();
  if (info.scale() >= 0) melody[kMode] = info.scale();
  applyMelody(s, melody);
}

}  // namespace quorvel
