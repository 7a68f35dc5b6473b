#include <gtest/gtest.h>

#include "app/ViewGeometry.h"

namespace quorvel {
namespace {

TEST(ViewGeometry, SnapsColumnsAndTakesTheRowAboveNearARowTop) {
  EXPECT_EQ(snapColumn(7, 100), 105);
  EXPECT_EQ(snapColumn(4, 0), 0);
  // Rows start at 5r + 2: grid y 12..16 is row 2, 10 and 11 still belong to row 1.
  EXPECT_EQ(snapRowY(12, 0), 12);
  EXPECT_EQ(snapRowY(16, 0), 12);
  EXPECT_EQ(snapRowY(10, 0), 7);
  EXPECT_EQ(snapRowY(11, 0), 7);
  EXPECT_EQ(snapRowY(1, 10), 7);  // the scroll is added before snapping
  EXPECT_EQ(snapRowY(0, 0), -3);
}

TEST(ViewGeometry, NamesKeysAndLengths) {
  EXPECT_EQ(keyName(84), "C5(84)");
  EXPECT_EQ(keyName(36), "C1(36)");
  EXPECT_EQ(keyName(61), "C#3(61)");
  EXPECT_EQ(keyOfRowY(keyNoteRowY(72)), 72);
  EXPECT_EQ(lengthText(100), "1 + 4 / 16");
  EXPECT_EQ(lengthText(20), "0 + 4 / 16");
  EXPECT_EQ(lengthText(635), "7 + 15 / 16");
}

TEST(ViewGeometry, NewNoteLengthsStayInTheirRanges) {
  EXPECT_EQ(clampNewLength(0, false), 5);
  EXPECT_EQ(clampNewLength(1000, false), 635);
  EXPECT_EQ(clampNewLength(40, true), 20);
  EXPECT_EQ(clampNewLength(40, false), 40);
}

TEST(ViewGeometry, AutoScrollMovesTenPixelsAndStopsAtTheEnds) {
  ViewState v;
  v.clientWidth = 500;
  v.scrollX = 0;
  EXPECT_TRUE(autoScroll(v, 495));
  EXPECT_EQ(v.scrollX, 10);
  EXPECT_FALSE(autoScroll(v, 250));
  EXPECT_TRUE(autoScroll(v, 3));
  EXPECT_EQ(v.scrollX, 0);
  EXPECT_FALSE(autoScroll(v, 3));
  v.scrollX = maxScrollX(v) - 4;
  EXPECT_TRUE(autoScroll(v, 499));
  EXPECT_EQ(v.scrollX, kGridWidth - 500);
}

TEST(ViewGeometry, FollowingTheCuePagesOnlyWhenItLeavesTheView) {
  ViewState v;
  v.clientWidth = 400;
  EXPECT_FALSE(scrollToShow(v, 200));
  EXPECT_TRUE(scrollToShow(v, 395));
  EXPECT_EQ(v.scrollX, 385);
  EXPECT_TRUE(scrollToShow(v, 100));
  EXPECT_EQ(v.scrollX, 90);
}

}  // namespace
}  // namespace quorvel
