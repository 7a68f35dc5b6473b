#include "settings/ScreenGeometry.h"

#include <algorithm>
#include <cstdint>

namespace quorvel {

namespace {

std::int64_t overlapArea(const ScreenRect& a, const ScreenRect& b) {
  const std::int64_t w = std::min<std::int64_t>(a.right(), b.right()) - std::max(a.left, b.left);
  const std::int64_t h = std::min<std::int64_t>(a.bottom(), b.bottom()) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// Squared gap between two rectangles (0 when they touch or overlap).
std::int64_t squaredGap(const ScreenRect& a, const ScreenRect& b) {
  const std::int64_t dx = std::max<std::int64_t>({0, std::int64_t{b.left} - a.right(), std::int64_t{a.left} - b.right()});
  const std::int64_t dy = std::max<std::int64_t>({0, std::int64_t{b.top} - a.bottom(), std::int64_t{a.top} - b.bottom()});
  return dx * dx + dy * dy;
}

}  // namespace

const ScreenRect& nearestWorkArea(const ScreenRect& window, std::span<const ScreenRect> workAreas) {
  const ScreenRect* best = &workAreas.front();
  for (const ScreenRect& area : workAreas) {
    const std::int64_t overlap = overlapArea(window, area), bestOverlap = overlapArea(window, *best);
    if (overlap > bestOverlap || (bestOverlap == 0 && overlap == 0 && squaredGap(window, area) < squaredGap(window, *best)))
      best = &area;
  }
  return *best;
}

ScreenRect fitIntoNearestWorkArea(const ScreenRect& window, std::span<const ScreenRect> workAreas) {
  if (workAreas.empty()) return window;
  const ScreenRect& area = nearestWorkArea(window, workAreas);
  ScreenRect moved = window;
  if (moved.right() > area.right()) moved.left = area.right() - moved.width;
  if (moved.bottom() > area.bottom()) moved.top = area.bottom() - moved.height;
  if (moved.left < area.left) moved.left = area.left;
  if (moved.top < area.top) moved.top = area.top;
  return moved;
}

}  // namespace quorvel
