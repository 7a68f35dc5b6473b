#pragma once
// Keeps the stored window rectangle on a monitor that exists now.
#include <cstdint>
#include <span>

namespace quorvel {

struct ScreenRect {
  int left = 0, top = 0, width = 0, height = 0;
  // Wide: a stored rectangle may hold any int, and its edges must not overflow.
  std::int64_t right() const { return std::int64_t{left} + width; }
  std::int64_t bottom() const { return std::int64_t{top} + height; }
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
