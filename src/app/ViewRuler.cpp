#include "app/ViewRuler.h"

#include <algorithm>
#include <cstdlib>

#include "base/Ui.h"
#include "app/ViewGeometry.h"
#include "playback/CueAdvance.h"

namespace quorvel {

namespace {

constexpr int kCueGrab = 7;
constexpr int kLocatorGrab = 14;
constexpr int kEndGrab = 7;

}  // namespace

ViewRuler::ViewRuler(Score& score, Ui& ui, ViewState& view, ViewTransport& transport)
    : score_(score), ui_(ui), view_(view), transport_(transport) {}

int ViewRuler::snapX(int cx) const { return snapColumn(cx, view_.scrollX); }

std::atomic<std::int32_t>& ViewRuler::word(Marker m) {
  switch (m) {
    case Marker::LeftLocator: return score_.leftLocator;
    case Marker::RightLocator: return score_.rightLocator;
    case Marker::EndIndicator: return score_.endIndicator;
    case Marker::Cue:
    case Marker::None: break;
  }
  return score_.cueIndicator;
}

// Zoomed out, the grab zones keep their width on screen rather than in
// timeline pixels, so that a marker can still be caught.
Marker ViewRuler::grab(int x, int cy) const {
  const double widen = std::max(1.0, 1.0 / view_.zoomX);
  const auto zone = [widen](int pixels) { return static_cast<int>(pixels * widen); };
  if (cy >= kCueBandTop && cy <= kCueBandBottom) {
    return std::abs(x - score_.cueIndicator.load()) <= zone(kCueGrab) ? Marker::Cue : Marker::None;
  }
  if (cy > kRulerUpperBandBottom) return Marker::None;
  const int left = score_.leftLocator.load();
  const int right = score_.rightLocator.load();
  const int end = score_.endIndicator.load();
  if (x >= left && x <= left + zone(kLocatorGrab)) return Marker::LeftLocator;
  if (x >= right - zone(kLocatorGrab) && x <= right) return Marker::RightLocator;
  if (x >= end - zone(kEndGrab) && x <= end + zone(kEndGrab)) return Marker::EndIndicator;
  return Marker::None;
}

void ViewRuler::leftDown(int cx, int cy) {
  if (frozen()) return;
  const int x = snapX(cx);
  const Marker m = grab(x, cy);
  if (m == Marker::None) return;
  dragging_ = m;
  score_.setFlag(kFlagMarkerDrag);
  if (m == Marker::Cue && score_.hasFlag(kFlagPlaying)) {
    if (transport_.pause) {
      transport_.pause();
    } else {
      score_.clearFlag(kFlagPlaying);
    }
    score_.setFlag(kFlagResumeAfterCueDrag);
  }
  moveMarker(m, x);
}

void ViewRuler::mouseMove(int cx, int cy, bool leftHeld) {
  if (frozen() || !leftHeld) return;
  if (dragging_ == Marker::None) {
    leftDown(cx, cy);
    return;
  }
  moveMarker(dragging_, snapX(cx));
}

// A dragged locator stops one step short of the other: the left one always
// stays before the right one.
int ViewRuler::keepLocatorOrder(Marker m, int x) const {
  if (m == Marker::LeftLocator) return std::min(x, score_.rightLocator.load() - kStepPixels);
  if (m == Marker::RightLocator) return std::max(x, score_.leftLocator.load() + kStepPixels);
  return x;
}

void ViewRuler::placeCue(int x) {
  if (transport_.placeCue) {
    transport_.placeCue(x);
  } else {
    advanceCue(score_, x, true, CueContext{});
  }
}

void ViewRuler::moveMarker(Marker m, int x) {
  if (x >= kTimelineEndX) return;
  x = std::max(keepLocatorOrder(m, x), kSongStartX);
  if (x == word(m).load()) return;
  if (m == Marker::Cue) {
    placeCue(x);
  } else {
    word(m).store(x);
  }
}

void ViewRuler::leftUp() {
  if (dragging_ == Marker::None) return;
  dragging_ = Marker::None;
  score_.clearFlag(kFlagMarkerDrag);
  ui_.setStatus(0, positionText(score_.cueIndicator.load(), score_.settings.general.language));
  if (score_.hasFlag(kFlagResumeAfterCueDrag)) {
    score_.clearFlag(kFlagResumeAfterCueDrag);
    if (transport_.resume) transport_.resume();
  }
}

std::optional<int> ViewRuler::menuPosition(int cx) const {
  if (frozen()) return std::nullopt;
  const int x = snapX(cx);
  if (x < kSongStartX || x > kLastMenuMarkerX) return std::nullopt;
  return x;
}

bool ViewRuler::applyMenuCommand(int command, int x) {
  // The song's very first position cannot be set from the menu.
  if (x < kSongStartX + 1 || x > kLastMenuMarkerX) return false;
  Marker m = Marker::None;
  switch (command) {
    case kSetCueHere: m = Marker::Cue; break;
    case kSetLeftLocatorHere: m = Marker::LeftLocator; break;
    case kSetRightLocatorHere: m = Marker::RightLocator; break;
    case kSetEndIndicatorHere: m = Marker::EndIndicator; break;
    default: return false;
  }
  if (m == Marker::Cue) {
    placeCue(x);
  } else if (m == Marker::EndIndicator) {
    score_.endIndicator.store(x);
  } else {
    placeLocatorFromMenu(score_, m, x);
  }
  return true;
}

void placeLocatorFromMenu(Score& s, Marker m, int x) {
  std::atomic<std::int32_t>& placed = m == Marker::LeftLocator ? s.leftLocator : s.rightLocator;
  std::atomic<std::int32_t>& other = m == Marker::LeftLocator ? s.rightLocator : s.leftLocator;
  const int kept = other.load();
  const bool crossed = m == Marker::LeftLocator ? x >= kept : x <= kept;
  if (!crossed) {
    placed.store(x);
  } else if (x != kept) {
    // Placed past the other one: the two swap roles, the region lies between them.
    placed.store(kept);
    other.store(x);
  }
}

void resetMarkers(Score& s) {
  s.cueIndicator.store(kDefaultCue);
  s.leftLocator.store(kDefaultLeftLocator);
  s.rightLocator.store(kDefaultRightLocator);
}

}  // namespace quorvel
