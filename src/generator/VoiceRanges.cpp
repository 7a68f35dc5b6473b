#include "generator/VoiceRanges.h"

namespace quorvel {

PitchRange usualRange(int voiceCount, int line) {
  if (line >= voiceCount - 1) return voiceCount == 2 ? PitchRange{40, 74} : PitchRange{34, 62};
  if (voiceCount == 3) return {45, 72};
  return line == 1 ? PitchRange{53, 77} : PitchRange{45, 69};
}

}  // namespace quorvel
