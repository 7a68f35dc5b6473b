#pragma once
// What infinite generation needs to hear from the player while it runs:
// the play position reaching a step, and the timeline end.
namespace quorvel {

class InfinitePlayback {
 public:
  virtual ~InfinitePlayback() = default;
  // On the player thread after each tick, with the step position that tick
  // played (the last non-zero result of the cue advance).
  virtual void playedUpTo(int x) = 0;
  // On the player thread when the cue reaches the timeline end.
  virtual void timelineEndReached() = 0;
};

}  // namespace quorvel
