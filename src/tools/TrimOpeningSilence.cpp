#include <algorithm>
#include <mutex>
#include <optional>

#include "model/Score.h"
#include "tools/BarTools.h"
#include "tools/ToolSupport.h"

namespace quorvel {

namespace {

std::optional<int> firstX(const NoteSet& set) {
  if (set.empty()) return std::nullopt;
  return startX(*set.begin());
}

std::optional<int> trimPoint(const Score& s, bool drumsReference) {
  const auto melody = firstX(setAt(s, kMelodyView));
  const auto drums = firstX(setAt(s, kDrumsView));
  if (!melody || !drums) return melody ? melody : drums;
  return drumsReference ? *drums : std::min(*melody, *drums);
}

NoteSet shiftedFrom(const NoteSet& set, int trimX) {
  const auto shift = static_cast<NoteCode>((trimX - kSongStartX) / kStepPixels) * kStepDelta;
  NoteSet kept;
  for (auto it = firstAtStep(set, trimX / kStepPixels); it != set.end(); ++it) kept.insert(*it - shift);
  return kept;
}

}  // namespace

int trimOpeningSilence(Score& s, Ui& ui, bool drumsReference) {
  {
    std::lock_guard lock(s.noteMutex);
    const auto trimX = trimPoint(s, drumsReference);
    if (!trimX || *trimX < 11) return -2;
    clearAllUndo(s);
    dropSelection(s);
    for (int set = kBassSet; set <= kDrumSet3; ++set) replaceSetContents(s, set, shiftedFrom(setAt(s, set), *trimX));
  }
  finishScoreEdit(s, ui);
  return 0;
}

}  // namespace quorvel
