#pragma once
// Keeps the stored window rectangle on a monitor that exists now.
#include <span>

namespace quorvel {

struct ScreenRect {
  int left = 0, top = 0, width = 0, height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const ScreenRect&) const = default;
};

// The work area that overlaps the rectangle most, or, when none overlaps, the
// one closest to it. Requires at least one area.
const ScreenRect& nearestWorkArea(const ScreenRect& window, std::span<const ScreenRect> workAreas);

// The rectangle moved, size kept, into the nearest work area: first so that
// its right and bottom edges lie inside, then its left and top edges. Without
// any work area it is returned unchanged.
ScreenRect fitIntoNearestWorkArea(const ScreenRect& window, std::span<const ScreenRect> workAreas);

}  // namespace quorvel
