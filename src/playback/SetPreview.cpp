#include "playback/SetPreview.h"

#include <algorithm>
#include <mutex>

#include "model/Score.h"

namespace quorvel {

PreviewSpan previewSpanOf(const Score& s, int setIndex) {
  std::lock_guard lock(s.noteMutex);
  const NoteSet& set = s.noteSets[static_cast<std::size_t>(setIndex)];
  if (set.empty()) return {};
  const NoteCode first = *set.begin();
  const NoteCode last = *set.rbegin();
  const int length = isDrumCode(last) ? drumLength(last) : melodyLength(last);
  const int startX = kStepPixels * noteStart(first) - 1;
  const int endX = kStepPixels * (noteStart(last) + length) + 1;
  return {startX, std::min(startX + kPreviewTickLimit, endX)};
}

}  // namespace quorvel
