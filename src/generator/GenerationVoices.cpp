#include "generator/GenerationVoices.h"

#include <algorithm>

#include "generator/LineSearch.h"

namespace quorvel {

std::vector<VoiceSearch> lowerVoices(int voiceCount) {
  switch (voiceCount) {
    case 2: return {generateSecondVoice};
    case 3: return {generateBass, generateMiddleVoice};
    case 4: return {generateBass, generateTenor, generateAlto};
    default: return {};
  }
}

int retryLimitFor(int voiceCount) {
  switch (voiceCount) {
    case 2: return 100;
    case 3: return 800;
    default: return 1000;
  }
}

VoiceLines emptyLines(int beats) {
  VoiceLines lines;
  for (VoiceLine& line : lines) line.assign(static_cast<std::size_t>(std::max(beats, 1)), -1);
  return lines;
}

std::array<VoiceLine*, 4> linePointers(VoiceLines& lines) { return {&lines[0], &lines[1], &lines[2], &lines[3]}; }

void clearLines(VoiceLines& lines, int first, int last, int fromBeat) {
  for (int k = first; k <= last; ++k) {
    VoiceLine& line = lines[static_cast<std::size_t>(k)];
    std::fill(line.begin() + std::min<std::ptrdiff_t>(fromBeat, static_cast<std::ptrdiff_t>(line.size())), line.end(), -1);
  }
}

}  // namespace quorvel
