#include <mutex>

#include "base/Ui.h"
#include "model/Score.h"
#include "settings/SettingsApply.h"
#include "tools/KeyTools.h"
#include "tools/ToolSupport.h"

namespace quorvel {

namespace {

// The detected scale becomes the generator's mode, so that lines generated
// next move in it; the generation settings' own validation keeps the mode
// when the generator has no such scale (Locrian).
void applyDetectedScale(Score& s, int scale) {
  MelodySettings candidate = s.settings.melody;
  candidate[kMode] = scale;
  applyMelody(s, candidate);
}

}  // namespace

std::optional<KeyEstimate> detectKey(Score& s, Ui& ui, bool apply) {
  std::optional<KeyEstimate> estimate;
  {
    std::lock_guard lock(s.noteMutex);
    if (setAt(s, kMelodyView).empty()) return std::nullopt;
    estimate = estimateKey({&setAt(s, kBassSet), &setAt(s, kTenorSet), &setAt(s, kAltoSet), &setAt(s, kSopranoSet)},
                           s.editPart());
  }
  if (!estimate) return std::nullopt;
  ui.setStatus(1, keyStatusText(*estimate));
  if (apply) {
    // Without notes in the edited part there is no mean key to place the tonic
    // by, so the key note stays as it is.
    if (estimate->keyPitch) setGeneratorKeyNote(s, *estimate->keyPitch);
    applyDetectedScale(s, estimate->mode);
    ui.redraw(RedrawTarget::Melody);
    ui.redraw(RedrawTarget::KeyNote);
  }
  return estimate;
}

}  // namespace quorvel
