#include <gtest/gtest.h>
#include <vector>

#include "app/ViewGeometry.h"
#include "app/ViewRuler.h"
#include "support/FakeUi.h"

namespace quorvel {
namespace {

using test::FakeUi;

constexpr int kCueRow = 20, kUpperRow = 5;

class ViewRulerTest : public ::testing::Test {
 protected:
  ViewRulerTest() { transport.pause = transport.resume = [this] { ++transportCalls; }; }
  Score score;
  FakeUi ui;
  ViewState view{};
  ViewTransport transport;
  ViewRuler ruler{score, ui, view, transport};
  int transportCalls = 0;

  void drag(int fromX, int toX, int row) {
    ruler.leftDown(fromX, row);
    ruler.mouseMove(toX, row, true);
    ruler.leftUp();
  }
};

TEST_F(ViewRulerTest, AStoppedCueIsDraggedWithoutStartingPlayback) {
  score.cueIndicator = 100;
  ruler.leftDown(104, kCueRow);
  ruler.mouseMove(50, kCueRow, true);
  ruler.mouseMove(21775, kCueRow, true);  // past the timeline: ignored
  ruler.leftUp();
  EXPECT_EQ(score.cueIndicator.load(), 50);
  EXPECT_EQ(transportCalls, 0);
  ruler.leftDown(120, kCueRow);  // too far from the cue
  EXPECT_EQ(ruler.dragging(), Marker::None);
  ruler.leftUp();

  // Zoomed out the cue is caught within the same screen distance.
  score.cueIndicator = 1000;
  view.zoomX = 0.1;  // 7 screen pixels are 70 timeline pixels
  drag(1050, 1050, kCueRow);
  EXPECT_EQ(score.cueIndicator.load(), 1050);
  ruler.leftDown(1130, kCueRow);  // 8 screen pixels away
  EXPECT_EQ(ruler.dragging(), Marker::None);
}

TEST_F(ViewRulerTest, LocatorsAreGrabbedOnTheirInnerSideAndTheLeftStaysBeforeTheRight) {
  score.leftLocator = 100;
  score.rightLocator = 330;
  ruler.leftDown(95, kUpperRow);
  EXPECT_EQ(ruler.dragging(), Marker::None);
  drag(112, 160, kUpperRow);
  EXPECT_EQ(score.leftLocator.load(), 160);

  ruler.leftDown(335, kUpperRow);
  EXPECT_EQ(ruler.dragging(), Marker::None);
  drag(322, 400, kUpperRow);
  EXPECT_EQ(score.rightLocator.load(), 400);

  drag(5136, 6000, kUpperRow);  // the end indicator, on either side
  EXPECT_EQ(score.endIndicator.load(), 6000);

  score.leftLocator = 100;
  score.rightLocator = 330;
  // Dragged: each stops one step short of the other.
  drag(105, 600, kUpperRow);
  EXPECT_EQ(score.leftLocator.load(), 325);
  drag(330, 40, kUpperRow);
  EXPECT_EQ(score.rightLocator.load(), 330);

  // From the menu: a locator set past the other swaps with it; onto it, nothing changes.
  score.leftLocator = 100;
  EXPECT_TRUE(ruler.applyMenuCommand(kSetLeftLocatorHere, 500));
  EXPECT_EQ(score.leftLocator.load(), 330);
  EXPECT_EQ(score.rightLocator.load(), 500);
  EXPECT_TRUE(ruler.applyMenuCommand(kSetRightLocatorHere, 200));
  EXPECT_EQ(score.leftLocator.load(), 200);
  EXPECT_EQ(score.rightLocator.load(), 330);
  EXPECT_TRUE(ruler.applyMenuCommand(kSetLeftLocatorHere, 330));
  EXPECT_EQ(score.leftLocator.load(), 200);
}

TEST_F(ViewRulerTest, ScaleMenuSetsMarkersAtTheSnappedPosition) {
  view.scrollX = 800;
  const auto x = ruler.menuPosition(123);
  ASSERT_TRUE(x.has_value());
  EXPECT_EQ(*x, 920);
  EXPECT_TRUE(ruler.applyMenuCommand(kSetRightLocatorHere, *x));
  EXPECT_EQ(score.rightLocator.load(), 920);
  EXPECT_TRUE(ruler.applyMenuCommand(kSetCueHere, *x));
  EXPECT_EQ(score.cueIndicator.load(), 920);
  view.scrollX = 0;
  EXPECT_EQ(ruler.menuPosition(7), std::nullopt);
  view.scrollX = kGridWidth - 400;
  EXPECT_EQ(ruler.menuPosition(380), std::nullopt);  // x 21770
}

// With a player wired, the ruler never writes the cue itself: the player's
// tick moves it too, and only the player's lock orders the two.
TEST_F(ViewRulerTest, WithAPlayerEveryCueMoveGoesThroughIt) {
  std::vector<int> placed;
  transport.placeCue = [&placed](int x) { placed.push_back(x); };
  score.cueIndicator = 100;
  EXPECT_TRUE(ruler.applyMenuCommand(kSetCueHere, 480));
  drag(104, 200, kCueRow);
  EXPECT_EQ(placed, (std::vector<int>{480, 200}));
  EXPECT_EQ(score.cueIndicator.load(), 100);
}

}  // namespace
}  // namespace quorvel
