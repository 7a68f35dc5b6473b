#pragma once
// From grid coordinates (timeline x, row pixels) to screen pixels of a pane:
// the scroll offset and the zoom of each axis. Rectangles keep at least one
// pixel, so that a note stays visible when zoomed far out.
#include <QRect>
#include <algorithm>
#include <cmath>

namespace quorvel::views {

struct ScreenMap {
  int scrollX = 0;
  int scrollY = 0;
  double zoomX = 1.0;
  double zoomY = 1.0;

  int x(int gridX) const { return static_cast<int>(std::floor((gridX - scrollX) * zoomX)); }
  int y(int gridY) const { return static_cast<int>(std::floor((gridY - scrollY) * zoomY)); }
  QRect rect(int gridX, int gridY, int width, int height) const {
    const int left = x(gridX), top = y(gridY);
    return {left, top, std::max(1, x(gridX + width) - left), std::max(1, y(gridY + height) - top)};
  }
  // The grid x at the right edge of a pane `screenWidth` pixels wide.
  int rightEdge(int screenWidth) const { return scrollX + static_cast<int>(std::ceil(screenWidth / zoomX)); }
};

}  // namespace quorvel::views
