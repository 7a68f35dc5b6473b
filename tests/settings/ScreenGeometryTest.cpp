#include "settings/ScreenGeometry.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

const ScreenRect kLeftScreen{0, 0, 1920, 1040};
const ScreenRect kRightScreen{1920, 200, 1280, 984};
const ScreenRect kBoth[] = {kLeftScreen, kRightScreen};

TEST(ScreenGeometry, WindowOnAVanishedMonitorMovesIntoTheNearestWorkAreaWithItsSize) {
  const ScreenRect onGoneMonitor{-1700, 300, 800, 588};
  const ScreenRect placed = fitIntoNearestWorkArea(onGoneMonitor, kBoth);
  EXPECT_EQ(placed, (ScreenRect{0, 300, 800, 588}));

  const ScreenRect farRightBelow{5000, 3000, 800, 588};
  EXPECT_EQ(fitIntoNearestWorkArea(farRightBelow, kBoth), (ScreenRect{2400, 596, 800, 588}));
}

TEST(ScreenGeometry, MonitorHoldingMostOfTheWindowWins) {
  const ScreenRect straddling{1800, 300, 800, 588};  // 120 px on the left, 680 on the right
  EXPECT_EQ(nearestWorkArea(straddling, kBoth), kRightScreen);
  EXPECT_EQ(fitIntoNearestWorkArea(straddling, kBoth), (ScreenRect{1920, 300, 800, 588}));
}

TEST(ScreenGeometry, WindowInsideItsWorkAreaStaysPut) {
  const ScreenRect inside{250, 240, 800, 588};
  EXPECT_EQ(fitIntoNearestWorkArea(inside, kBoth), inside);
  EXPECT_EQ(fitIntoNearestWorkArea(inside, {}), inside);
}

TEST(ScreenGeometry, WindowLargerThanTheWorkAreaKeepsItsTopLeftCornerVisible) {
  const ScreenRect huge{100, 100, 2500, 1500};
  const ScreenRect placed = fitIntoNearestWorkArea(huge, std::span<const ScreenRect>(&kLeftScreen, 1));
  EXPECT_EQ(placed, (ScreenRect{0, 0, 2500, 1500}));
}

}  // namespace
}  // namespace quorvel
