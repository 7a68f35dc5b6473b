#include "playback/CueAdvance.h"

#include <cstdio>

#include "base/Messages.h"
#include "model/Score.h"
#include "playback/InfinitePlayback.h"

namespace quorvel {

namespace {

constexpr int kBeatPixels = 20;

int tick(Score& s, const CueContext& context) {
  int cue = s.cueIndicator.load() + 1;
  const bool infinite = s.hasFlag(kFlagInfinite);
  if (cue == s.rightLocator.load() && context.loopOn && !infinite) {
    cue = s.leftLocator.load();
    s.setFlag(kFlagFlushNotes);
  }
  if (cue == s.endIndicator.load()) {
    if (!infinite) s.clearFlag(kFlagPlaying);
  } else if (cue >= kTimelineEndX) {
    if (!infinite) {
      cue = kTimelineEndX;
      s.clearFlag(kFlagPlaying);
    } else if (context.infinite != nullptr) {
      context.infinite->timelineEndReached();
    }
  }
  return cue;
}

int jump(Score& s, int amount) {
  int cue = s.cueIndicator.load() + amount;
  s.setFlag(kFlagFlushNotes);
  if (cue <= kSongStartX) cue = kSongStartX;
  if (cue >= kTimelineEndX) {
    cue = kTimelineEndX;
    s.clearFlag(kFlagPlaying);
  }
  return cue;
}

}  // namespace

int advanceCue(Score& s, int amount, bool absolute, const CueContext& context) {
  const int old = s.cueIndicator.load();
  const int result = (old - kSongStartX) % kStepPixels == 0 ? old : 0;
  int cue = amount;
  if (!absolute) cue = amount == 1 ? tick(s, context) : jump(s, amount);
  s.cueIndicator.store(cue);
  return result;
}

std::string positionText(int cueX, int language) {
  const int fromStart = cueX > kSongStartX ? cueX - kSongStartX : 0;
  const int bar = fromStart / kBarPixels + 1;
  const int beat = fromStart % kBarPixels / kBeatPixels + 1;
  const std::string format = localized("bars: %d, beats %d", language);
  char text[96];
  std::snprintf(text, sizeof text, format.c_str(), bar, beat);
  return text;
}

}  // namespace quorvel
