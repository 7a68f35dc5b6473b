#include "LineHarness.h"

#include <memory>

#include "generator/GenerationVoices.h"

namespace quorvel::testing {

namespace {

MelodySettings settingsFor(const Request& r) {
  MelodySettings s;
  s[kKeyNote] = r.keyNote;
  s[kMode] = r.mode;
  s[kMelodyLength] = r.length;
  return s;
}

int searchLowerVoices(GeneratorContext& ctx, int voices) {
  for (VoiceSearch search : lowerVoices(voices))
    if (const int r = search(ctx); r != kSearchSuccess) return r;
  return kSearchSuccess;
}

// A lone melody gets one try, as the driver gives it.
int retryLimit(int voices) { return voices == 1 ? 1 : retryLimitFor(voices); }

}  // namespace

Outcome runEvoked(const Request& request) {
  Outcome out;
  out.lines = emptyLines(request.length);
  Random random(request.seed);
  auto ctx = std::make_unique<GeneratorContext>();
  prepareContext(*ctx, settingsFor(request), request.length, linePointers(out.lines), request.voices, random);
  const int limit = retryLimit(request.voices);
  for (out.tries = 1; out.tries <= limit; ++out.tries) {
    clearLines(out.lines, 0, 3);
    out.result = generateMelody(*ctx);
    if (out.result == kSearchSuccess && request.voices > 1) out.result = searchLowerVoices(*ctx, request.voices);
    if (out.result != kSearchFailed) break;
  }
  return out;
}

Outcome runCounter(const Request& request, const VoiceLine& melody) {
  Outcome out;
  const int length = static_cast<int>(melody.size());
  out.lines = emptyLines(length);
  out.lines[0] = melody;
  Random random(request.seed);
  auto ctx = std::make_unique<GeneratorContext>();
  prepareContext(*ctx, settingsFor(request), length, linePointers(out.lines), request.voices, random);
  setCounterMode(*ctx, true);
  ctx->segmentCount = (length + kSegmentBeats - 1) / kSegmentBeats;
  const int limit = retryLimit(request.voices);
  for (int segment = 1; segment <= ctx->segmentCount; ++segment) {
    ctx->segment = segment;
    for (out.tries = 1; out.tries <= limit; ++out.tries) {
      out.result = searchLowerVoices(*ctx, request.voices);
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
