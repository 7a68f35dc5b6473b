#include "generator/LineSearch.h"

#include <algorithm>
#include <utility>

#include "generator/ScaleTable.h"
#include "generator/SearchEngine.h"

namespace quorvel {

namespace {

void resetState(GeneratorContext& ctx) {
  // Everything but the atomic cancel word, which is reset separately.
  ctx.flags = 0;
  ctx.totalWeight = 1000;
  ctx.candidateWeights.fill(0);
  ctx.drawnIndex = -1;
  ctx.rejectCount = ctx.softRejectRun = ctx.deadEnds = ctx.searchStatus = 0;
  ctx.cursorBeat = ctx.endBeat = ctx.searchStartBeat = 0;
  ctx.peakBeat = -1;
  ctx.lineFirstBeat = 0;
  ctx.lastRejectedColumn = -1;
  ctx.forcedCount = ctx.forcedNext = 0;
  ctx.plan = SearchPlan{};
  ctx.phase = 0;
  ctx.current = ctx.candidate = ctx.peak = ctx.start = ctx.ending = ctx.penultimate = LineNote{};
  ctx.bassPenultimate = ctx.bassEnding = ctx.voicePenultimate = ctx.voiceEnding = ctx.searchBase = LineNote{};
  ctx.lowerFirst.fill(LineNote{});
  ctx.endingFormula = 0;
  ctx.historyCount = ctx.savePointCount = ctx.tabuCount = 0;
  ctx.savePoints.fill(SavePoint{});
  ctx.tabuPitches.fill(0);
  ctx.tabuBeat = ctx.pendingLowerBeat = -1;
  ctx.pendingApproach = ctx.approach = ctx.pendingCadenceStep = ctx.cadenceStep = 0;
  ctx.tenorCadenceStep = 0;
  ctx.tenorPenultimateCode = -1;
  ctx.penultimateArrivals = 0;
  ctx.beatBlocked = false;
  ctx.progressOpen = false;
  ctx.segment = ctx.segmentCount = 1;
  ctx.progressTotal = ctx.progressBase = ctx.retryLimit = 0;
  ctx.commitCounter = 0;
  ctx.melodyAttempts = ctx.lowerAttempts = 0;
  ctx.realtimeStarted = false;
}

}  // namespace

void prepareContext(GeneratorContext& ctx, const MelodySettings& settings, int lineLength,
                    const std::array<VoiceLine*, 4>& lines, int voiceCount, Random& random, GeneratorHooks hooks) {
  resetState(ctx);
  ctx.cancelWord.store(0);
  ctx.settings = settings;
  ctx.keyNote = settings[kKeyNote];
  ctx.modeIndex = std::clamp(settings[kMode], 0, kModeCount - 1);
  ctx.evokedLines = settings[kEvokedLines];
  ctx.lineLength = std::max(lineLength, 0);
  ctx.voiceCount = voiceCount;
  ctx.lines = lines;
  ctx.target = lines[0];
  ctx.random = &random;
  ctx.hooks = std::move(hooks);
  ctx.tonicIndex = modeInfo(ctx.modeIndex).tonicIndex;
  ctx.scaleTable = kScaleTable;
  for (int i = 0; i < 10; ++i)
    ctx.aroundTonic[static_cast<std::size_t>(i)] = kScaleTable[static_cast<std::size_t>(ctx.tonicIndex - 4 + i)];
  sizeBeatRecords(ctx, ctx.lineLength);
  ctx.startTimeMs = ctx.hooks.nowMs ? ctx.hooks.nowMs() : 0;
}

void setCounterMode(GeneratorContext& ctx, bool on) {
  if (on)
    ctx.flags |= kCounterMode;
  else
    ctx.flags &= ~kCounterMode;
}

void cancel(GeneratorContext& ctx) {
  ctx.cancelWord.store(kSearchCancelled);
  ctx.searchStatus = kSearchCancelled;
  ctx.flags |= kLineComplete;
}

}  // namespace quorvel
