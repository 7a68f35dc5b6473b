#pragma once
// The lower voices of a request and the pieces the evoked-lines and the
// counter-lines drivers share: lines, the running-request slot, retry limits.
#include <array>
#include <vector>

#include "generator/GenerationEnv.h"
#include "generator/GeneratorContext.h"

namespace quorvel {

using VoiceSearch = int (*)(GeneratorContext&);
using VoiceLines = std::array<VoiceLine, 4>;

// The voices below the top line, in the order they are searched:
// N = 2 second voice; N = 3 bass, middle; N = 4 bass, tenor, alto.
std::vector<VoiceSearch> lowerVoices(int voiceCount);
// Tries allowed per request (or segment): 100, 800, 1000 for N = 2, 3, 4.
int retryLimitFor(int voiceCount);

// Four lines of `beats` empty beats each.
VoiceLines emptyLines(int beats);
std::array<VoiceLine*, 4> linePointers(VoiceLines& lines);
// Empties beats [fromBeat, end) of lines first..last.
void clearLines(VoiceLines& lines, int first, int last, int fromBeat = 0);

// Keeps the running request reachable by Cancel while it exists.
class RunningSlot {
 public:
  RunningSlot(GenerationState& state, GeneratorContext& ctx) : state_(state) { state_.running = &ctx; }
  ~RunningSlot() { state_.running = nullptr; }
  RunningSlot(const RunningSlot&) = delete;
  RunningSlot& operator=(const RunningSlot&) = delete;

 private:
  GenerationState& state_;
};

}  // namespace quorvel
