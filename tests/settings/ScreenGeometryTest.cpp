#include "settings/ScreenGeometry.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(ScreenGeometry, WindowIsMovedWithItsSizeIntoTheWorkAreaHoldingMostOfIt) {
  const ScreenRect both[] = {{0, 0, 1920, 1040}, {1920, 200, 1280, 984}};
  struct Case {
    ScreenRect window, placed;
  };
  const Case cases[] = {
      {{-1700, 300, 800, 588}, {0, 300, 800, 588}},       // on a monitor that is gone
      {{5000, 3000, 800, 588}, {2400, 596, 800, 588}},    // far right and below
      {{1800, 300, 800, 588}, {1920, 300, 800, 588}},     // 120 px on the left, 680 on the right
      {{250, 240, 800, 588}, {250, 240, 800, 588}},       // inside: stays put
  };
  for (const Case& c : cases) EXPECT_EQ(fitIntoNearestWorkArea(c.window, both), c.placed) << c.window.left;
  EXPECT_EQ(nearestWorkArea(cases[2].window, both), both[1]);

  const ScreenRect inside{250, 240, 800, 588};
  EXPECT_EQ(fitIntoNearestWorkArea(inside, {}), inside);
  // Larger than the work area: the top left corner stays visible.
  EXPECT_EQ(fitIntoNearestWorkArea({100, 100, 2500, 1500}, std::span<const ScreenRect>(both, 1)),
            (ScreenRect{0, 0, 2500, 1500}));
}

}  // namespace
}  // namespace quorvel
