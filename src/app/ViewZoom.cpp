#include "app/ViewZoom.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "app/ViewGeometry.h"

namespace quorvel {

namespace {

constexpr int kFitMargin = 20;            // one beat after the last note
constexpr int kShortestFit = 4 * kBarPixels;

void updateVisibleSpan(ViewState& v) {
  v.clientWidth = std::max(1, static_cast<int>(std::lround(v.screenWidth / v.zoomX)));
  v.clientHeight = std::max(1, static_cast<int>(std::lround(v.screenHeight / v.zoomY)));
}

// The new scroll position that keeps `anchor` at its screen offset, or centres
// it when it was not visible.
int scrollKeeping(int anchor, int scroll, int oldSpan, int newSpan, double oldZoom, double newZoom) {
  const bool visible = anchor >= scroll && anchor < scroll + oldSpan;
  if (!visible) return anchor - newSpan / 2;
  const double offset = (anchor - scroll) * oldZoom;
  return anchor - static_cast<int>(std::lround(offset / newZoom));
}

int songEndX(const Score& s) {
  std::lock_guard lock(s.noteMutex);
  int end = kSongStartX;
  for (int set = kBassSet; set <= kDrumSet3; ++set) {
    for (NoteCode c : s.noteSets[static_cast<std::size_t>(set)]) {
      const NoteRect r = decodeNote(c, set >= kDrumSet0);
      end = std::max(end, r.x + r.width);
    }
  }
  return end;
}

}  // namespace

void setScreenSize(ViewState& v, int width, int height) {
  v.screenWidth = std::max(1, width);
  v.screenHeight = std::max(1, height);
  updateVisibleSpan(v);
  clampScroll(v);
}

bool zoomTimeAround(ViewState& v, double zoom, int anchor) {
  zoom = std::clamp(zoom, kMinZoomX, kMaxZoomX);
  if (zoom == v.zoomX) return false;
  const int oldSpan = v.clientWidth;
  const double oldZoom = v.zoomX;
  v.zoomX = zoom;
  updateVisibleSpan(v);
  v.scrollX = scrollKeeping(anchor, v.scrollX, oldSpan, v.clientWidth, oldZoom, zoom);
  clampScroll(v);
  return true;
}

bool zoomPitchAround(ViewState& v, double zoom, int anchorRowY) {
  zoom = std::clamp(zoom, kMinZoomY, kMaxZoomY);
  if (zoom == v.zoomY) return false;
  const int oldSpan = v.clientHeight;
  const double oldZoom = v.zoomY;
  v.zoomY = zoom;
  updateVisibleSpan(v);
  v.scrollY = scrollKeeping(anchorRowY, v.scrollY, oldSpan, v.clientHeight, oldZoom, zoom);
  clampScroll(v);
  return true;
}

int zoomAnchor(const Score& s) {
  const NoteSet& selection = s.noteSets[kSelection];
  if (!selection.empty()) return kStepPixels * noteStart(*selection.begin());  // codes sort by start
  return s.cueIndicator.load();
}

bool zoomTimeSteps(ViewState& v, const Score& s, int steps) {
  return zoomTimeAround(v, v.zoomX * std::pow(kZoomStep, steps), zoomAnchor(s));
}

bool zoomPitchSteps(ViewState& v, int steps, int anchorRowY) {
  return zoomPitchAround(v, v.zoomY * std::pow(kZoomStep, steps), anchorRowY);
}

bool fitSong(ViewState& v, const Score& s) {
  const int span = std::max(songEndX(s) - kSongStartX, kShortestFit) + kSongStartX + kFitMargin;
  const double zoom = std::clamp(static_cast<double>(v.screenWidth) / span, kMinZoomX, kMaxZoomX);
  const bool changed = zoom != v.zoomX || v.scrollX != 0;
  v.zoomX = zoom;
  updateVisibleSpan(v);
  v.scrollX = 0;
  return changed;
}

}  // namespace quorvel
