#include "playback/CueAdvance.h"

#include <gtest/gtest.h>

#include "model/Score.h"
#include "playback/InfinitePlayback.h"

namespace quorvel {
namespace {

struct InfiniteProbe : InfinitePlayback {
  void playedUpTo(int) override {}
  void timelineEndReached() override { ++ends; }
  int ends = 0;
};

class CueAdvanceTest : public ::testing::Test {
 protected:
  CueAdvanceTest() { score.setFlag(kFlagPlaying); }
  int tick(bool loop = false) { return advanceCue(score, 1, false, {loop, &probe}); }
  Score score;
  InfiniteProbe probe;
};

TEST_F(CueAdvanceTest, TickAnswersTheOldPositionOnlyOnStepBoundaries) {
  EXPECT_EQ(tick(), 10);
  EXPECT_EQ(score.cueIndicator.load(), 11);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(tick(), 0);
  EXPECT_EQ(tick(), 0);
  EXPECT_EQ(tick(), 15);
}

TEST_F(CueAdvanceTest, LoopWrapsOnlyOnAnExactHitOfTheRightLocator) {
  score.leftLocator = 90;
  score.rightLocator = 330;
  score.cueIndicator = 329;
  tick(true);
  EXPECT_EQ(score.cueIndicator.load(), 90);
  EXPECT_TRUE(score.hasFlag(kFlagFlushNotes));

  score.clearFlag(kFlagFlushNotes);
  score.cueIndicator = 330;  // started on or past the locator: runs on
  tick(true);
  EXPECT_EQ(score.cueIndicator.load(), 331);
  score.cueIndicator = 329;
  tick(false);
  EXPECT_EQ(score.cueIndicator.load(), 330);
  score.cueIndicator = 329;
  score.setFlag(kFlagInfinite);
  tick(true);
  EXPECT_EQ(score.cueIndicator.load(), 330);
  EXPECT_FALSE(score.hasFlag(kFlagFlushNotes));
}

TEST_F(CueAdvanceTest, EndIndicatorAndTimelineEndStopPlaybackUnlessInfiniteGenerationRuns) {
  for (const bool infinite : {false, true}) {
    for (const int end : {score.endIndicator.load(), kTimelineEndX}) {
      SCOPED_TRACE(testing::Message() << "end " << end << (infinite ? ", infinite" : ""));
      score.stateFlags = kFlagPlaying | (infinite ? kFlagInfinite : 0u);
      score.cueIndicator = end - 1;
      tick();
      EXPECT_EQ(score.hasFlag(kFlagPlaying), infinite);
      EXPECT_EQ(score.cueIndicator.load(), end);
    }
  }
  EXPECT_EQ(probe.ends, 1) << "only the timeline's end asks infinite generation to shift";
}

TEST_F(CueAdvanceTest, BarJumpsFlushAndClampToTheTimeline) {
  score.cueIndicator = 50;
  EXPECT_EQ(advanceCue(score, -80, false, {}), 50);
  EXPECT_EQ(score.cueIndicator.load(), 10);
  EXPECT_TRUE(score.hasFlag(kFlagFlushNotes));
  EXPECT_TRUE(score.hasFlag(kFlagPlaying));

  score.cueIndicator = kTimelineEndX - 30;
  advanceCue(score, 80, false, {});
  EXPECT_EQ(score.cueIndicator.load(), kTimelineEndX);
  EXPECT_FALSE(score.hasFlag(kFlagPlaying));

  advanceCue(score, 1234, true, {});
  EXPECT_EQ(score.cueIndicator.load(), 1234);
}

TEST(PositionText, CountsBarsAndBeatsFromOne) {
  EXPECT_EQ(positionText(10, 0), "bars: 1, beats 1");
  EXPECT_EQ(positionText(10 + 80 + 45, 0), "bars: 2, beats 3");
  EXPECT_EQ(positionText(10 + 80 * 271 + 79, 0), "bars: 272, beats 4");
  EXPECT_EQ(positionText(10, 1), "小節: 1, 拍: 1");
}

}  // namespace
}  // namespace quorvel
