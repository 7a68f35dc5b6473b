#include <algorithm>
#include <mutex>
#include <vector>

#include "model/Score.h"
#include "tools/BarTools.h"
#include "tools/ToolSupport.h"

namespace quorvel {

namespace {

constexpr int kLongestSteps = kStepsPerBar;

// A silence of the edited part that closes from gapStart to gapEnd, both as
// x-coordinates of the song before any gap was closed.
struct Gap {
  int gapStart;
  int gapEnd;
};

bool capLengths(Score& s) {
  bool capped = false;
  for (int part : kMelodyPartsHighFirst) {
    const NoteSet& notes = setAt(s, part);
    if (std::none_of(notes.begin(), notes.end(), [](NoteCode c) { return melodyLength(c) > kLongestSteps; })) continue;
    NoteSet kept;
    for (NoteCode c : notes) kept.insert(melodyLength(c) > kLongestSteps ? withMelodyLength(c, kLongestSteps) : c);
    replaceSetContents(s, part, std::move(kept));
    capped = true;
  }
  return capped;
}

// Walks the edited part as it would look while its silences longer than a
// bar are closed one after another, and lists those closings.
std::vector<Gap> silencesToClose(const NoteSet& edited) {
  std::vector<Gap> gaps;
  auto it = edited.begin();
  int end = melodyEndX(*it);
  int shift = 0;  // how far the closings so far moved the rest of the song
  bool skipping = false;
  for (++it; it != edited.end(); ++it) {
    const int start = startX(*it) - shift;
    const int length = melodyLength(*it) * kStepPixels;
    if (skipping && start < end) continue;
    skipping = false;
    const int gap = start - end;
    if (gap <= 0) {
      end = std::max(end, start + length);
    } else if (gap <= kBarPixels) {
      end = start + length;
    } else {
      const int closedAt = end + kBarPixels;
      gaps.push_back({closedAt + shift, start + shift});
      shift += start - closedAt;
      end = closedAt + length;
      skipping = true;  // resume with the first note starting at or after the new end
    }
  }
  return gaps;
}

// A note before a gap keeps its start but ends at the latest where the gap
// begins; a note inside a gap is deleted; a note after it moves earlier.
NoteSet closeGaps(const NoteSet& part, const std::vector<Gap>& gaps, const std::vector<int>& shiftBefore) {
  NoteSet closed;
  for (NoteCode c : part) {
    const int x = startX(c);
    const auto next = std::upper_bound(gaps.begin(), gaps.end(), x, [](int v, const Gap& g) { return v < g.gapEnd; });
    const auto index = static_cast<std::size_t>(next - gaps.begin());
    if (next != gaps.end() && next->gapStart <= x) continue;
    NoteCode kept = c;
    if (next != gaps.end() && melodyEndX(c) > next->gapStart) {
      kept = withMelodyLength(kept, (next->gapStart - x) / kStepPixels);
    }
    closed.insert(withStart(kept, (x - shiftBefore[index]) / kStepPixels));
  }
  return closed;
}

void closeAllGaps(Score& s, const std::vector<Gap>& gaps) {
  std::vector<int> shiftBefore{0};
  for (const Gap& g : gaps) shiftBefore.push_back(shiftBefore.back() + g.gapEnd - g.gapStart);
  for (int part : kMelodyPartsHighFirst) replaceSetContents(s, part, closeGaps(setAt(s, part), gaps, shiftBefore));
}

}  // namespace

int regulateBarLength(Score& s, Ui& ui) {
  {
    std::lock_guard lock(s.noteMutex);
    dropSelection(s);
    bool changed = capLengths(s);
    const NoteSet& edited = setAt(s, s.editPart());
    if (!edited.empty()) {
      const std::vector<Gap> gaps = silencesToClose(edited);
      if (!gaps.empty()) closeAllGaps(s, gaps);
      changed = changed || !gaps.empty();
    }
    if (!changed) return -2;
    clearAllUndo(s);
  }
  finishScoreEdit(s, ui);
  return 0;
}

}  // namespace quorvel
