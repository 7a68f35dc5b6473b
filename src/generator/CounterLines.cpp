#include "generator/CounterLines.h"

#include <algorithm>
#include <memory>

#include "generator/GenerationBusy.h"
#include "generator/LineSearch.h"
#include "generator/Progress.h"
#include "generator/Region.h"

namespace quorvel {

namespace {

constexpr int kLowestWrittenPitch = 1, kHighestWrittenPitch = 121;

// Where a segment ended can leave the next one no note that obeys the rules
// at the seam, and then every try of the next segment fails the same way.
// The earlier segment is searched again instead, a bounded number of times.
constexpr int kSegmentStepBacks = 8;

bool tryCounterVoices(GeneratorContext& ctx, const std::vector<VoiceSearch>& voices, int beats) {
  const int segmentStart = kSegmentBeats * (ctx.segment - 1);
  for (std::size_t i = 0; i < voices.size(); ++i) {
    ctx.progressBase = segmentStart + static_cast<std::int32_t>(i) * std::min(beats, kSegmentBeats);
    if (voices[i](ctx) != kSearchSuccess) return false;
  }
  return true;
}

// Up to retryLimit tries of the current segment.
bool searchSegment(GenerationEnv& env, GeneratorContext& ctx, TryCounter& tries,
                   const std::vector<VoiceSearch>& voices, VoiceLines& lines, int beats) {
  for (int attempt = 1; attempt <= ctx.retryLimit; ++attempt) {
    if (!beginTry(env, ctx, tries, attempt)) return false;
    clearLines(lines, 1, static_cast<int>(voices.size()), kSegmentBeats * (ctx.segment - 1));
    if (tryCounterVoices(ctx, voices, beats)) return true;
    if (wasCancelled(ctx)) return false;
  }
  return false;
}

void clearTargetParts(Score& score, int topPart, int voiceCount) {
  for (int k = 1; k < voiceCount; ++k) removeNotesBetween(score, topPart - k, 0, kWholeSongEndX);
}

// Everything that happens while the busy bit is held.
int counterWhileBusy(GenerationEnv& env, int voiceCount) {
  Score& score = env.score;
  if (!score.hasFlag(kFlagUntouchedResult) && env.askSaveChanges() != 0) return -2;
  const int topPart = score.editPart();
  const NoteSet& melodyPart = score.noteSets[static_cast<std::size_t>(topPart)];
  if (melodyPart.empty()) {
    showGenerationMessage(env, "Selecting part is empty");
    return -1;
  }
  env.random.seed(static_cast<std::uint32_t>(env.nowMs()));
  if (topPart - (voiceCount - 1) < 0) {
    showGenerationMessage(env, "You can't generate counter lines with selecting part");
    return -2;
  }
  clearSelection(score, env.ui);
  MelodySettings settings = score.settings.melody;
  const int keyNote = settings[kKeyNote];
  const CounterMelody melody = readCounterMelody(melodyPart, keyNote);
  if (melody.noteCount() < kMinCounterMelodyNotes) {
    showGenerationMessage(env, "Selecting part is too short");
    return -1;
  }
  std::vector<int> pitches = melody.pitches();
  limitLeaps(pitches, kCounterFrameKey);
  const int beats = static_cast<int>(pitches.size());
  VoiceLines lines = emptyLines(beats);
  std::copy(pitches.begin(), pitches.end(), lines[0].begin());
  // The search works in the melody's frame: tonic middle C.
  settings[kKeyNote] = kCounterFrameKey;
  const int result = runCounterDriver(env, settings, voiceCount, beats, lines);
  env.state.progressWindowOpen = false;
  if (result != 0) return result;
  clearTargetParts(score, topPart, voiceCount);
  writeCounterLines(score, lines, voiceCount, melody.notePlaces(), topPart, keyNote);
  markModified(score, env.ui);
  score.setFlag(kFlagUntouchedResult);
  env.ui.redraw(RedrawTarget::Melody);
  return 0;
}

}  // namespace

int generateCounterLines(GenerationEnv& env, int voiceCount) {
  BusyScope busy(env);
  if (!busy.acquired()) return -2;
  return counterWhileBusy(env, voiceCount);
}

int runCounterDriver(GenerationEnv& env, const MelodySettings& settings, int voiceCount, int beats,
                     VoiceLines& lines) {
  auto ctx = std::make_unique<GeneratorContext>();
  TryCounter tries;
  prepareContext(*ctx, settings, beats, linePointers(lines), voiceCount, env.random, progressHooks(env, tries));
  setCounterMode(*ctx, true);
  RunningSlot slot(env.state, *ctx);
  const std::vector<VoiceSearch> voices = lowerVoices(voiceCount);
  ctx->segmentCount = (beats + kSegmentBeats - 1) / kSegmentBeats;
  ctx->retryLimit = retryLimitFor(voiceCount);
  ctx->progressTotal = static_cast<std::int32_t>(voices.size()) * beats;
  int stepBacks = 0;
  for (int segment = 1; segment <= ctx->segmentCount;) {
    ctx->segment = segment;
    ctx->startTimeMs = env.nowMs();
    const bool ok = searchSegment(env, *ctx, tries, voices, lines, beats);
    closeProgress(env, *ctx);
    env.state.lastTries = tries.total;
    if (wasCancelled(*ctx)) return -1;
    if (ok) {
      ++segment;
    } else if (segment > 1 && stepBacks < kSegmentStepBacks) {
      ++stepBacks;
      --segment;
    } else {
      showGenerationMessage(env, "Failed to generate lines");
      return -1;
    }
  }
  return 0;
}

void writeCounterLines(Score& score, const VoiceLines& lines, int voiceCount, const std::vector<NotePlace>& places,
                       int topPart, int keyNote) {
  std::lock_guard lock(score.noteMutex);
  for (int k = 1; k < voiceCount; ++k) {
    const int part = topPart - k;
    const VoiceLine& line = lines[static_cast<std::size_t>(k)];
    for (std::size_t i = 0; i < places.size() && i < line.size(); ++i) {
      if (line[i] < 0) continue;
      const int pitch = line[i] + keyNote - kCounterFrameKey;
      if (pitch < kLowestWrittenPitch || pitch > kHighestWrittenPitch) continue;
      const int length = std::clamp(places[i].duration / kStepPixels, 1, kMaxMelodyLength);
      addNote(score, part, makeMelodyNote(places[i].x / kStepPixels, pitch, length, part));
    }
  }
}

}  // namespace quorvel
