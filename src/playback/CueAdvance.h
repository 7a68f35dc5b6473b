#pragma once
// Moving the play position (the cue indicator) and the text that shows it.
#include <string>

namespace quorvel {

struct Score;
class InfinitePlayback;

struct CueContext {
  bool loopOn = false;                 // the toolbar "Loop" button is down
  InfinitePlayback* infinite = nullptr;  // told about the timeline end while infinite generation runs
};

// Moves the cue by `amount` (relative) or to `amount` (absolute). Answers the
// old position when it lay on a step boundary, else 0. Stopping at the end
// indicator or the timeline end clears the Playing flag.
int advanceCue(Score& s, int amount, bool absolute, const CueContext& context);

// "bars: %d, beats %d" for a cue position, both counted from 1.
std::string positionText(int cueX, int language);

}  // namespace quorvel
