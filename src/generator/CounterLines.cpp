#include "generator/CounterLines.h"

#include <algorithm>
#include <memory>

#include "generator/CounterCompleteSearch.h"
#include "generator/GenerationBusy.h"
#include "generator/LineSearch.h"
#include "generator/Progress.h"
#include "generator/Region.h"
#include "generator/RelaxationText.h"

namespace quorvel {

namespace {

constexpr int kLowestWrittenPitch = 1, kHighestWrittenPitch = 121;

// Tries of the random search per segment before the complete search takes
// over: where the random search finds a line it usually does so within the
// first few tries; the rest of the driver's retry limit was seconds of
// searching on melodies where it finds none. After a segment it could not
// write, the next gets fewer tries, and after two in a row none: on such a
// melody it keeps failing, and its failed tries were most of the time spent.
constexpr int kRandomTriesPerSegment = 4;
constexpr int kTriesLostPerFailure = 2;

int randomTriesAfter(int failuresInARow) {
  return std::max(0, kRandomTriesPerSegment - kTriesLostPerFailure * failuresInARow);
}

bool tryCounterVoices(GeneratorContext& ctx, const std::vector<VoiceSearch>& voices, int beats) {
  const int segmentStart = kSegmentBeats * (ctx.segment - 1);
  for (std::size_t i = 0; i < voices.size(); ++i) {
    ctx.progressBase = segmentStart + static_cast<std::int32_t>(i) * std::min(beats, kSegmentBeats);
    if (voices[i](ctx) != kSearchSuccess) return false;
  }
  return true;
}

// Up to `limit` tries of the current segment.
bool searchSegment(GenerationEnv& env, GeneratorContext& ctx, TryCounter& tries,
                   const std::vector<VoiceSearch>& voices, VoiceLines& lines, int beats, int limit) {
  for (int attempt = 1; attempt <= limit; ++attempt) {
    if (!beginTry(env, ctx, tries, attempt)) return false;
    clearLines(lines, 1, static_cast<int>(voices.size()), kSegmentBeats * (ctx.segment - 1));
    if (tryCounterVoices(ctx, voices, beats)) return true;
    if (wasCancelled(ctx)) return false;
  }
  return false;
}

// The complete search writes the segment from the notes before it. Where
// even it must break a rule, the segment before is searched again together
// with this one, whose end may have left no way on.
void completeSegment(VoiceLines& lines, int voiceCount, int segment, int beats, const PitchFrame& frame,
                     std::vector<Relaxation>& relaxed) {
  const int start = kSegmentBeats * (segment - 1);
  const int end = std::min(beats, start + kSegmentBeats);
  clearLines(lines, 1, voiceCount - 1, start);
  std::vector<Relaxation> here = searchCounterStretch(lines, {voiceCount, start, end, frame});
  if (!here.empty() && segment > 1) {
    const VoiceLines kept = lines;
    clearLines(lines, 1, voiceCount - 1, start - kSegmentBeats);
    std::vector<Relaxation> wider = searchCounterStretch(lines, {voiceCount, start - kSegmentBeats, end, frame});
    const auto inEarlier = [&](const Relaxation& r) { return r.beat >= start - kSegmentBeats; };
    const auto earlier = static_cast<std::size_t>(std::count_if(relaxed.begin(), relaxed.end(), inEarlier));
    if (wider.size() < here.size() + earlier) {
      std::erase_if(relaxed, inEarlier);
      here = std::move(wider);
    } else {
      lines = kept;
    }
  }
  relaxed.insert(relaxed.end(), here.begin(), here.end());
}

// One line per place in the state for the command line, the first in the
// status bar.
void reportRelaxations(GenerationEnv& env, const std::vector<Relaxation>& relaxed,
                       const std::vector<NotePlace>& places, int voiceCount) {
  const int language = env.score.settings.general.language;
  env.state.relaxedRules = relaxationLines(relaxed, places, voiceCount, language);
  if (!env.state.relaxedRules.empty())
    env.ui.setStatus(kStatusMessageField, relaxationStatus(env.state.relaxedRules, language));
}

void clearTargetParts(Score& score, int topPart, int voiceCount) {
  for (int k = 1; k < voiceCount; ++k) removeNotesBetween(score, topPart - k, 0, kWholeSongEndX);
}

// Everything that happens while the busy bit is held.
int counterWhileBusy(GenerationEnv& env, int voiceCount) {
  Score& score = env.score;
  env.state.relaxedRules.clear();
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
  std::vector<Relaxation> relaxed;
  const PitchFrame frame{keyNote - kCounterFrameKey};
  const int result = runCounterDriver(env, settings, voiceCount, beats, lines, frame, relaxed);
  env.state.progressWindowOpen = false;
  if (result != 0) return result;
  const std::vector<NotePlace> places = melody.notePlaces();
  clearTargetParts(score, topPart, voiceCount);
  writeCounterLines(score, lines, voiceCount, places, topPart, keyNote);
  markModified(score, env.ui);
  score.setFlag(kFlagUntouchedResult);
  env.ui.redraw(RedrawTarget::Melody);
  reportRelaxations(env, relaxed, places, voiceCount);
  return 0;
}

}  // namespace

int generateCounterLines(GenerationEnv& env, int voiceCount) {
  BusyScope busy(env);
  if (!busy.acquired()) return -2;
  return counterWhileBusy(env, voiceCount);
}

int runCounterDriver(GenerationEnv& env, const MelodySettings& settings, int voiceCount, int beats,
                     VoiceLines& lines, const PitchFrame& frame, std::vector<Relaxation>& relaxed) {
  auto ctx = std::make_unique<GeneratorContext>();
  TryCounter tries;
  prepareContext(*ctx, settings, beats, linePointers(lines), voiceCount, env.random, progressHooks(env, tries));
  setCounterMode(*ctx, true);
  ctx->lowestPitch = frame.toFrame(kLowestPlayablePitch);
  RunningSlot slot(env.state, *ctx);
  const std::vector<VoiceSearch> voices = lowerVoices(voiceCount);
  ctx->segmentCount = (beats + kSegmentBeats - 1) / kSegmentBeats;
  ctx->retryLimit = retryLimitFor(voiceCount);
  ctx->progressTotal = static_cast<std::int32_t>(voices.size()) * beats;
  relaxed.clear();
  int failuresInARow = 0;
  for (int segment = 1; segment <= ctx->segmentCount; ++segment) {
    ctx->segment = segment;
    ctx->startTimeMs = env.nowMs();
    const int limit = std::min(ctx->retryLimit, randomTriesAfter(failuresInARow));
    const bool ok = limit > 0 && searchSegment(env, *ctx, tries, voices, lines, beats, limit);
    failuresInARow = ok ? 0 : failuresInARow + 1;
    closeProgress(env, *ctx);
    env.state.lastTries = tries.total;
    if (wasCancelled(*ctx)) return -1;
    if (!ok) completeSegment(lines, voiceCount, segment, beats, frame, relaxed);
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
