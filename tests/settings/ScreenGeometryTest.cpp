#include "settings/ScreenGeometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace quorvel {
namespace {

TEST(ScreenGeometry, WindowIsMovedWithItsSizeIntoTheWorkAreaHoldingMostOfIt) {
  const ScreenRect both[] = {{0, 0, 1920, 1040}, {1920, 200, 1280, 984}};
  // On a monitor that is gone, and 120 px on the left monitor with 680 on the right.
  EXPECT_EQ(fitIntoNearestWorkArea({-1700, 300, 800, 588}, both), (ScreenRect{0, 300, 800, 588}));
  EXPECT_EQ(fitIntoNearestWorkArea({1800, 300, 800, 588}, both), (ScreenRect{1920, 300, 800, 588}));
  const ScreenRect inside{250, 240, 800, 588};
  EXPECT_EQ(fitIntoNearestWorkArea(inside, {}), inside);
  // Larger than the work area: the top left corner stays visible.
  EXPECT_EQ(fitIntoNearestWorkArea({100, 100, 2500, 1500}, std::span<const ScreenRect>(both, 1)),
            (ScreenRect{0, 0, 2500, 1500}));
}

TEST(ScreenGeometry, RectanglesAtTheLimitsOfIntAreFittedWithoutOverflow) {
  constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
  const ScreenRect both[] = {{0, 0, 1920, 1040}, {1920, 200, 1280, 984}};
  // A damaged settings file can hold such values; the top left corner still lands on a monitor.
  EXPECT_EQ(fitIntoNearestWorkArea({kMax, kMax, kMax, kMax}, both), (ScreenRect{1920, 200, kMax, kMax}));
  EXPECT_EQ(fitIntoNearestWorkArea({kMin, 40, -kMax, 600}, both), (ScreenRect{0, 40, -kMax, 600}));
}

}  // namespace
}  // namespace quorvel
