#include "playback/CueAdvance.h"

#include <gtest/gtest.h>

#include <tuple>

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

TEST_F(CueAdvanceTest, LoopWrapsOnlyOnAnExactHitOfTheRightLocator) {
  score.leftLocator = 90;
  score.rightLocator = 330;
  // {cue before the tick, loop on, infinite generation, cue after, notes flushed}; started on or
  // past the locator the cue runs on, and infinite generation never loops.
  const std::tuple<int, bool, bool, int, bool> cases[] = {{329, true, false, 90, true},
                                                          {330, true, false, 331, false},
                                                          {329, false, false, 330, false},
                                                          {329, true, true, 330, false}};
  for (const auto& [cue, loop, infinite, after, flushed] : cases) {
    SCOPED_TRACE(testing::Message() << "cue " << cue << (loop ? ", loop" : "") << (infinite ? ", infinite" : ""));
    score.stateFlags = kFlagPlaying | (infinite ? kFlagInfinite : 0u);
    score.cueIndicator = cue;
    tick(loop);
    EXPECT_EQ(score.cueIndicator.load(), after);
    EXPECT_EQ(score.hasFlag(kFlagFlushNotes), flushed);
  }
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

  score.cueIndicator = kTimelineEndX - 30;
  advanceCue(score, 80, false, {});
  EXPECT_EQ(score.cueIndicator.load(), kTimelineEndX);
  EXPECT_FALSE(score.hasFlag(kFlagPlaying));
}

}  // namespace
}  // namespace quorvel
