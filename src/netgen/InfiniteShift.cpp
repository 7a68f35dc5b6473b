#include "netgen/InfiniteShift.h"

#include <initializer_list>
#include <mutex>

namespace quorvel {

namespace {

NoteSet cutAndShift(const NoteSet& set, int cutStep, int deltaSteps) {
  NoteSet kept;
  for (auto it = firstAtStep(set, cutStep); it != set.end(); ++it)
    kept.insert(kept.end(), withStart(*it, noteStart(*it) - deltaSteps));
  return kept;
}

}  // namespace

int cutAndShiftMelody(Score& s, int cutX) {
  const int cutStep = cutX / kStepPixels;
  const int deltaSteps = cutStep - kSongStartStep;
  std::lock_guard lock(s.noteMutex);
  for (int set : std::initializer_list<int>{kBassSet, kTenorSet, kAltoSet, kSopranoSet, kMelodyView}) {
    NoteSet& notes = s.noteSets[static_cast<std::size_t>(set)];
    notes = cutAndShift(notes, cutStep, deltaSteps);
  }
  s.noteSets[kSelection].clear();
  s.selectionBounds = Bounds{};
  for (int part = kBassSet; part <= kSopranoSet; ++part) s.undo[static_cast<std::size_t>(part)].clear();
  return deltaSteps * kStepPixels;
}

}  // namespace quorvel
