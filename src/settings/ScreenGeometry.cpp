#include "settings/ScreenGeometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace quorvel {

namespace {

int clampToInt(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

std::int64_t overlapArea(const ScreenRect& a, const ScreenRect& b) {
  const std::int64_t w = std::min(a.right(), b.right()) - std::max(a.left, b.left);
  const std::int64_t h = std::min(a.bottom(), b.bottom()) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// Squared gap between two rectangles (0 when they touch or overlap); in
// floating point, as the square of a gap between int edges can pass 64 bits.
double squaredGap(const ScreenRect& a, const ScreenRect& b) {
  const auto dx = static_cast<double>(std::max<std::int64_t>({0, b.left - a.right(), a.left - b.right()}));
  const auto dy = static_cast<double>(std::max<std::int64_t>({0, b.top - a.bottom(), a.top - b.bottom()}));
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
  if (moved.right() > area.right()) moved.left = clampToInt(area.right() - moved.width);
  if (moved.bottom() > area.bottom()) moved.top = clampToInt(area.bottom() - moved.height);
  if (moved.left < area.left) moved.left = area.left;
  if (moved.top < area.top) moved.top = area.top;
  return moved;
}

}  // namespace quorvel
