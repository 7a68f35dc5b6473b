#include <gtest/gtest.h>

#include <array>

#include "app/ViewGeometry.h"

namespace quorvel {
namespace {

TEST(ViewGeometry, SnapsColumnsAndTakesTheRowAboveNearARowTop) {
  EXPECT_EQ(snapColumn(7, 100), 105);
  EXPECT_EQ(snapColumn(4, 0), 0);
  // Rows start at 5r + 2: grid y 12..16 is row 2, 10 and 11 still belong to row 1. The scroll is added first.
  for (const auto& [y, scroll, rowTop] :
       {std::array{12, 0, 12}, {16, 0, 12}, {10, 0, 7}, {11, 0, 7}, {1, 10, 7}, {0, 0, -3}})
    EXPECT_EQ(snapRowY(y, scroll), rowTop) << y << " scrolled " << scroll;
}

TEST(ViewGeometry, AutoScrollMovesTenPixelsAndStopsAtTheEnds) {
  ViewState v;
  v.clientWidth = 500;
  v.scrollX = 0;
  EXPECT_TRUE(autoScroll(v, 495));
  EXPECT_EQ(v.scrollX, 10);
  EXPECT_FALSE(autoScroll(v, 250));
  v.scrollX = 0;
  EXPECT_FALSE(autoScroll(v, 3));
  v.scrollX = maxScrollX(v) - 4;
  EXPECT_TRUE(autoScroll(v, 499));
  EXPECT_EQ(v.scrollX, kGridWidth - 500);
}

}  // namespace
}  // namespace quorvel
