#include "generator/EvokedLines.h"

#include <algorithm>
#include <memory>

#include "generator/DrumGeneration.h"
#include "generator/GenerationBusy.h"
#include "generator/LineSearch.h"
#include "generator/Progress.h"
#include "generator/Region.h"

namespace quorvel {

namespace {

constexpr int kBeatSteps = 4;
constexpr int kLowestWrittenPitch = 1, kHighestWrittenPitch = 121;

struct EvokedPlan {
  int voiceCount = 1;
  int beats = 0;
  int startX = kSongStartX;
  bool linesWritten = false;
};

// End of the last note of the melody parts, moved up to a whole beat.
int endOfMelodies(const Score& score) {
  int endStep = kSongStartStep;
  for (int part = kBassSet; part <= kSopranoSet; ++part) {
    for (NoteCode c : score.noteSets[static_cast<std::size_t>(part)]) {
      endStep = std::max(endStep, noteStart(c) + melodyLength(c));
    }
  }
  const int beatsIn = (endStep - kSongStartStep + kBeatSteps - 1) / kBeatSteps;
  return kStepPixels * (kSongStartStep + kBeatSteps * beatsIn);
}

int voiceCountOf(const MelodySettings& settings, int buttonVoices, EvokedSource source) {
  return source == EvokedSource::Button ? buttonVoices : settings[kEvokedLines] + 1;
}

// Everything that happens while the busy bit is held.
// Answers the command's result and where the lines were written.
int evokeWhileBusy(GenerationEnv& env, int buttonVoices, EvokedSource source, EvokedPlan& plan) {
  Score& score = env.score;
  env.random.seed(static_cast<std::uint32_t>(env.nowMs()));
  const MelodySettings settings = score.settings.melody;
  if (source != EvokedSource::Button && settings[kEvokedLines] == kDrumsOnlyEvokedLines) {
    // Neural drums belong to the remote generator.
    if (settings.isOn(kNnDrumsEvoked)) return -2;
    const int result = generateDrumsWhileBusy(env, false, kSongStartX);
    env.ui.redraw(RedrawTarget::All);
    return result;
  }
  plan.voiceCount = voiceCountOf(settings, buttonVoices, source);
  if (score.editPart() - (plan.voiceCount - 1) < 0) {
    showGenerationMessage(env, "You can't generate lines with selecting part");
    return -2;
  }
  // The neural melody generator belongs to the remote generator.
  if (source != EvokedSource::Button && settings.isOn(kNnMelody)) return -2;
  if (const int prepared = prepareEvokedRegion(env, source, plan.voiceCount, false, plan.startX, plan.beats);
      prepared != 0)
    return prepared;
  clearSelection(score, env.ui);
  env.ui.redraw(RedrawTarget::Melody);
  plan.beats = std::clamp(plan.beats, 1, kMaxEvokedBeats);
  VoiceLines lines = emptyLines(plan.beats);
  const int result = runEvokedDriver(env, settings, plan.voiceCount, plan.beats, lines);
  if (result == 0) {
    writeEvokedLines(score, lines, plan.voiceCount, plan.beats, score.editPart(), plan.startX);
    plan.linesWritten = true;
  }
  env.state.progressWindowOpen = false;
  markModified(score, env.ui);
  score.setFlag(kFlagUntouchedResult);
  return result;
}

bool tryAllVoices(GeneratorContext& ctx, const std::vector<VoiceSearch>& voices, VoiceLines& lines, int beats) {
  clearLines(lines, 1, static_cast<int>(voices.size()));
  if (generateMelody(ctx) != kSearchSuccess) return false;
  for (std::size_t i = 0; i < voices.size(); ++i) {
    ctx.progressBase = static_cast<std::int32_t>(i) * (beats - 3);
    if (voices[i](ctx) != kSearchSuccess) return false;
  }
  return true;
}

bool searchWithRetries(GenerationEnv& env, GeneratorContext& ctx, TryCounter& tries, int voiceCount,
                       VoiceLines& lines, int beats) {
  const std::vector<VoiceSearch> voices = lowerVoices(voiceCount);
  ctx.retryLimit = retryLimitFor(voiceCount);
  ctx.progressTotal = static_cast<std::int32_t>(voices.size()) * (beats - 3);
  ctx.progressBase = 0;
  for (int attempt = 1; attempt <= ctx.retryLimit; ++attempt) {
    if (!beginTry(env, ctx, tries, attempt)) return false;
    if (tryAllVoices(ctx, voices, lines, beats)) return true;
    if (wasCancelled(ctx)) return false;
  }
  return false;
}

}  // namespace

int prepareEvokedRegion(GenerationEnv& env, EvokedSource source, int voiceCount, bool neural, int& startX,
                        int& beats) {
  Score& score = env.score;
  const MelodySettings& settings = score.settings.melody;
  const bool untouched = score.hasFlag(kFlagUntouchedResult);
  beats = settings[kMelodyLength];
  if (settings.isOn(kBetweenLocators)) {
    const int partCount = untouched ? 4 : voiceCount;
    const int topPart = untouched ? kSopranoSet : score.editPart();
    Region region;
    if (takeLocatorRegion(env, partsDownFrom(topPart, partCount), region) != 0) return -1;
    startX = region.startX;
    if (region.betweenLocators()) beats = region.beats;
    return 0;
  }
  const bool extending = settings.isOn(kExtendExisting) && source != EvokedSource::Button;
  if (untouched && extending) {
    // Nothing is cleared; the new lines continue after the existing ones.
    startX = endOfMelodies(score);
    return 0;
  }
  // The neural generator extends the parts itself; its shown candidate is
  // replaced on its own, the parts it extends stay.
  if (neural && settings.isOn(kExtendExisting)) return 0;
  if (!untouched && env.askSaveChanges() != 0) return -2;
  newSong(score, kClearMelodies, env.ui);
  return 0;
}

int runEvokedDriver(GenerationEnv& env, const MelodySettings& settings, int voiceCount, int beats,
                    VoiceLines& lines) {
  auto ctx = std::make_unique<GeneratorContext>();
  TryCounter tries;
  prepareContext(*ctx, settings, beats, linePointers(lines), voiceCount, env.random, progressHooks(env, tries));
  RunningSlot slot(env.state, *ctx);
  ctx->segment = ctx->segmentCount = 1;
  clearLines(lines, 0, voiceCount - 1);
  const bool ok = voiceCount == 1 ? generateMelody(*ctx) == kSearchSuccess
                                  : searchWithRetries(env, *ctx, tries, voiceCount, lines, beats);
  closeProgress(env, *ctx);
  env.state.lastTries = voiceCount == 1 ? 1 : tries.total;
  if (wasCancelled(*ctx)) return -2;
  if (!ok) {
    showGenerationMessage(env, "Failed to generate lines");
    return -1;
  }
  return 0;
}

void writeEvokedLines(Score& score, const VoiceLines& lines, int voiceCount, int beats, int topPart, int startX) {
  std::lock_guard lock(score.noteMutex);
  for (int k = 0; k < voiceCount; ++k) {
    const int part = topPart - k;
    const VoiceLine& line = lines[static_cast<std::size_t>(k)];
    for (int i = 0; i < beats && i < static_cast<int>(line.size()); ++i) {
      const int pitch = line[static_cast<std::size_t>(i)];
      if (pitch < kLowestWrittenPitch || pitch > kHighestWrittenPitch) continue;
      const int x = startX + kBeatPixels * i;
      addNote(score, part, makeMelodyNote(x / kStepPixels, pitch, kBeatSteps, part));
    }
  }
}

int generateEvokedLines(GenerationEnv& env, int buttonVoices, EvokedSource source) {
  EvokedPlan plan;
  int result = 0;
  {
    BusyScope busy(env);
    if (!busy.acquired()) return -2;
    result = evokeWhileBusy(env, buttonVoices, source, plan);
  }
  const MelodySettings& settings = env.score.settings.melody;
  const bool drumsFollow = plan.linesWritten && source == EvokedSource::Options && settings.isOn(kDrumsAfterEvoked) &&
                           !settings.isOn(kNnDrumsEvoked);
  if (drumsFollow) generateDrums(env, true, plan.startX);
  return result;
}

}  // namespace quorvel
