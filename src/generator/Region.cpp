#include "generator/Region.h"

namespace quorvel {

std::vector<int> partsDownFrom(int topPart, int count) {
  std::vector<int> parts;
  for (int k = 0; k < count && topPart - k >= kBassSet; ++k) parts.push_back(topPart - k);
  return parts;
}

std::vector<int> allDrumSets() { return {kDrumSet0 + 3, kDrumSet0 + 2, kDrumSet0 + 1, kDrumSet0}; }

void removeNotesBetween(Score& score, int setIndex, int startX, int endX) {
  std::lock_guard lock(score.noteMutex);
  const NoteSet& set = score.noteSets[static_cast<std::size_t>(setIndex)];
  // x = 5 * start, so [startX, endX) covers the steps [ceil(startX/5), ceil(endX/5)).
  const auto first = firstAtStep(set, (startX + kStepPixels - 1) / kStepPixels);
  const auto last = firstAtStep(set, (endX + kStepPixels - 1) / kStepPixels);
  const NoteSet removed(first, last);
  for (NoteCode c : removed) removeNote(score, setIndex, c);
  score.undo[static_cast<std::size_t>(setIndex)].record(kUndoDeleted, removed);
}

int takeLocatorRegion(GenerationEnv& env, const std::vector<int>& sets, Region& region) {
  const int left = env.score.leftLocator.load();
  const int right = env.score.rightLocator.load();
  if (right > left) {
    if (right - left < kMinLocatorDistance) {
      showGenerationMessage(env, "The locators are too close");
      return -1;
    }
    region = Region{left, right, (right - left) / kBeatPixels};
  } else {
    region = Region{kSongStartX, kWholeSongEndX, 0};
  }
  for (int set : sets) removeNotesBetween(env.score, set, region.startX, region.endX);
  return 0;
}

}  // namespace quorvel
