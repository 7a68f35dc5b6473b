#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

#include "base/Messages.h"
#include "base/Ui.h"
#include "model/Score.h"
#include "tools/OnsetMover.h"
#include "tools/Quantize.h"
#include "tools/ToolSupport.h"

namespace quorvel {

namespace {

// "Quantize to:" choices.
enum QuantizeTarget : int {
  kGrid = 0,
  kHighestPart = 1,
  kLowestPart = 2,
  kHigherPart = 3,
  kLowerPart = 4,
  kSopranoTarget = 5,
  kBassTarget = 8,
  kDrumsTarget = 9
};

// Pulls each note to the nearer of the target onsets around it, when it lies
// close enough for the strength. Called in ascending order, so the target
// index only moves forward.
class OnsetSnapper {
 public:
  OnsetSnapper(std::vector<int> onsets, double strength)
      : onsets_(std::move(onsets)), prev_(onsets_.front()), strength_(strength) {}

  NoteCode operator()(NoteCode c) {
    const int p = positionOf(c);
    while (k_ < onsets_.size() && onsets_[k_] < p) prev_ = onsets_[k_++];
    if (k_ == onsets_.size()) return c;
    const int next = onsets_[k_];
    const int candidate = p - prev_ < next - p ? prev_ : next;
    const double dist = std::abs(candidate - p);
    const double window = (next - prev_ + 1) * 0.5;
    return strength_ >= dist / window && dist > 1e-8 ? atPosition(c, candidate) : c;
  }

 private:
  std::vector<int> onsets_;
  std::size_t k_ = 0;
  int prev_;
  double strength_;
};

std::vector<int> onsetsOf(const NoteSet& set) {
  std::vector<int> onsets;
  onsets.reserve(set.size());
  for (NoteCode c : set) onsets.push_back(positionOf(c));
  return onsets;
}

// The nearest non-empty part other than the edited one, in the chosen direction.
std::optional<int> relativePart(const Score& s, int choice, int edited) {
  std::vector<int> candidates;  // highest first
  for (int part : kMelodyPartsHighFirst) {
    if (part != edited && !setAt(s, part).empty()) candidates.push_back(part);
  }
  if (candidates.empty()) return std::nullopt;
  switch (choice) {
    case kHighestPart: return candidates.front();
    case kLowestPart: return candidates.back();
    case kHigherPart:
      for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
        if (*it > edited) return *it;
      }
      return std::nullopt;
    default:
      for (int part : candidates) {
        if (part < edited) return part;
      }
      return std::nullopt;
  }
}

std::optional<int> chosenTarget(const Score& s, int choice, int edited) {
  if (choice >= kHighestPart && choice <= kLowerPart) return relativePart(s, choice, edited);
  if (choice >= kSopranoTarget && choice <= kBassTarget) return kBassTarget - choice;
  if (choice == kDrumsTarget) return kDrumsView;
  return std::nullopt;
}

int reportEmptyTarget(const Score& s, Ui& ui) {
  ui.messageBox(localized("Counter part is empty", s.settings.general.language), "Quorvel", MsgIcon::Exclamation,
                MsgButtons::Ok);
  return -1;
}

int snapToTarget(Score& s, Ui& ui, int target, int source, double strength, XRange range) {
  if (strength < 1e-8) return -2;
  OnsetSnapper snapper(onsetsOf(setAt(s, target)), strength);
  return runOnsetTool(s, ui, range, {source}, std::ref(snapper));
}

int quantizeToChosenPart(Score& s, Ui& ui, Random& random) {
  if (s.drumsEditMode()) return -2;
  const int edited = s.editPart();
  if (setAt(s, edited).empty()) return -2;
  const GeneralSettings& g = s.settings.general;
  if (g.melodyQuantizeTarget == kGrid) return quantizeToGrid(s, ui, random, 0, kSongStartX);
  const auto target = chosenTarget(s, g.melodyQuantizeTarget, edited);
  if (!target || setAt(s, *target).empty()) return reportEmptyTarget(s, ui);
  return snapToTarget(s, ui, *target, edited, g.melodyQuantizeStrength, XRange{});
}

}  // namespace

int quantizeToPart(Score& s, Ui& ui, Random& random, int target, int sourceSet, double strength, int startX,
                   bool betweenLocators) {
  if (target == kTargetFromSettings) return quantizeToChosenPart(s, ui, random);
  if (sourceSet < kBassSet || sourceSet > kDrumSet3 || setAt(s, sourceSet).empty()) return -2;
  if (target < 0 || target >= kNoteSetCount || setAt(s, target).empty()) return reportEmptyTarget(s, ui);
  XRange range{std::max(startX, kSongStartX)};
  if (betweenLocators) {
    const int left = s.leftLocator.load();
    const int right = s.rightLocator.load();
    if (left >= right) return -2;
    range = XRange{std::max(range.from, left), right};
  }
  return snapToTarget(s, ui, target, sourceSet, strength, range);
}

}  // namespace quorvel
