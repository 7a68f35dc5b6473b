#include <mutex>

#include "base/Ui.h"
#include "model/Score.h"
#include "tools/KeyTools.h"
#include "tools/ToolSupport.h"

namespace quorvel {

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
  // Without notes in the edited part there is no mean key to place the tonic
  // by, so the key note stays as it is.
  if (apply && estimate->keyPitch) {
    setGeneratorKeyNote(s, *estimate->keyPitch);
    ui.redraw(RedrawTarget::Melody);
    ui.redraw(RedrawTarget::KeyNote);
  }
  return estimate;
}

}  // namespace quorvel
