#include "LineHarness.h"

#include <algorithm>
#include <memory>

namespace quorvel::testing {

namespace {

MelodySettings settingsFor(const Request& r) {
  MelodySettings s;
  s[kKeyNote] = r.keyNote;
  s[kMode] = r.mode;
  s[kMelodyLength] = r.length;
  return s;
}

std::array<VoiceLine*, 4> pointers(std::array<VoiceLine, 4>& lines) {
  return {&lines[0], &lines[1], &lines[2], &lines[3]};
}

int lowerVoices(GeneratorContext& ctx, int voices) {
  if (voices == 2) return generateSecondVoice(ctx);
  int r = generateBass(ctx);
  if (r != kSearchSuccess) return r;
  if (voices == 3) return generateMiddleVoice(ctx);
  r = generateTenor(ctx);
  if (r != kSearchSuccess) return r;
  return generateAlto(ctx);
}

}  // namespace

int retryLimitFor(int voices) {
  switch (voices) {
    case 2: return 100;
    case 3: return 800;
    case 4: return 1000;
    default: return 1;
  }
}

Outcome runEvoked(const Request& request) {
  Outcome out;
  for (auto& l : out.lines) l.assign(static_cast<std::size_t>(request.length), -1);
  Random random(request.seed);
  auto ctx = std::make_unique<GeneratorContext>();
  prepareContext(*ctx, settingsFor(request), request.length, pointers(out.lines), request.voices, random);
  const int limit = retryLimitFor(request.voices);
  for (out.tries = 1; out.tries <= limit; ++out.tries) {
    for (auto& l : out.lines) std::fill(l.begin(), l.end(), -1);
    out.result = generateMelody(*ctx);
    if (out.result == kSearchSuccess && request.voices > 1) out.result = lowerVoices(*ctx, request.voices);
    if (out.result != kSearchFailed) break;
  }
  return out;
}

Outcome runCounter(const Request& request, const VoiceLine& melody) {
  Outcome out;
  const int length = static_cast<int>(melody.size());
  for (auto& l : out.lines) l.assign(melody.size(), -1);
  out.lines[0] = melody;
  Random random(request.seed);
  auto ctx = std::make_unique<GeneratorContext>();
  prepareContext(*ctx, settingsFor(request), length, pointers(out.lines), request.voices, random);
  setCounterMode(*ctx, true);
  ctx->segmentCount = (length + kSegmentBeats - 1) / kSegmentBeats;
  const int limit = retryLimitFor(request.voices);
  for (int segment = 1; segment <= ctx->segmentCount; ++segment) {
    ctx->segment = segment;
    for (out.tries = 1; out.tries <= limit; ++out.tries) {
      out.result = lowerVoices(*ctx, request.voices);
      if (out.result != kSearchFailed) break;
    }
    if (out.result != kSearchSuccess) return out;
  }
  return out;
}

LineSet linesOf(const Request& request, const Outcome& outcome) {
  LineSet s;
  s.voices = request.voices;
  s.keyNote = request.keyNote;
  s.mode = request.mode;
  for (std::size_t k = 0; k < 4; ++k) s.lines[k] = &outcome.lines[k];
  return s;
}

}  // namespace quorvel::testing
