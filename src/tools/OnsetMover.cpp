#include "tools/OnsetMover.h"

#include <mutex>

#include "model/Score.h"
#include "tools/Quantize.h"
#include "tools/ToolSupport.h"

namespace quorvel {

namespace {
constexpr int kLastStartStep = (1 << 14) - 1;  // the start field has 14 bits
}  // namespace

std::optional<XRange> scopeRange(const Score& s, std::uint32_t scopeFlags, int startX) {
  if (scopeFlags & kScopeBetweenLocators) {
    const int left = s.leftLocator.load();
    const int right = s.rightLocator.load();
    if (left >= right) return std::nullopt;
    return XRange{left, right};
  }
  // Through the end of the score, wherever notes may lie.
  return XRange{startX < 11 ? kSongStartX : startX};
}

std::vector<int> scopeSets(const Score& s, std::uint32_t scopeFlags) {
  const bool drums = s.drumsEditMode();
  if (scopeFlags & kScopeAllSets) {
    const auto& all = drums ? kDrumSetsHighFirst : kMelodyPartsHighFirst;
    return {all.begin(), all.end()};
  }
  return {drums ? s.drumSet() : s.editPart()};
}

bool rewriteOnsets(Score& s, int setIndex, XRange range, const NoteRule& rule) {
  std::lock_guard lock(s.noteMutex);
  NoteSet& set = setAt(s, setIndex);
  NoteSet& view = setAt(s, viewSetOf(setIndex));
  const int endStep = (range.to + kStepPixels) / kStepPixels;  // first step after the range
  const auto first = firstAtStep(set, range.from / kStepPixels);
  const auto last = endStep > kLastStartStep ? set.end() : firstAtStep(set, endStep);
  if (first == last) return false;

  const NoteSet before(first, last);
  set.erase(first, last);
  for (NoteCode c : before) eraseOne(view, c);
  NoteSet after;
  for (NoteCode c : before) {
    const NoteCode moved = rule(c);
    set.insert(moved);
    view.insert(moved);
    after.insert(moved);
  }
  s.undo[static_cast<std::size_t>(setIndex)].recordReplace(after, before);
  return true;
}

int runOnsetTool(Score& s, Ui& ui, XRange range, const std::vector<int>& sets, const NoteRule& rule) {
  if (sets.size() == 1 && setAt(s, sets.front()).empty()) return -2;
  clearSelection(s, ui);
  setAt(s, kDragSet).clear();
  bool treated = false;
  for (int set : sets) treated = rewriteOnsets(s, set, range, rule) || treated;
  if (!treated) return -2;
  finishScoreEdit(s, ui);
  return 0;
}

}  // namespace quorvel
