#include "generator/SearchEngine.h"

#include <algorithm>

#include "generator/CompletionCheck.h"
#include "generator/ScaleTable.h"

namespace quorvel {

namespace {

constexpr std::int64_t kProgressDelayMs = 1000;
constexpr int kSavePointSpacing = 8;

VoiceLine& targetLine(GeneratorContext& ctx) { return *ctx.target; }

void clearTabu(GeneratorContext& ctx) {
  ctx.tabuCount = 0;
  ctx.tabuBeat = -1;
}

void addTabu(GeneratorContext& ctx, int beat, std::int32_t pitch) {
  if (ctx.tabuBeat != beat) {
    ctx.tabuCount = 0;
    ctx.tabuBeat = beat;
  }
  if (ctx.tabuCount < kMaxTabuPitches) ctx.tabuPitches[static_cast<std::size_t>(ctx.tabuCount++)] = pitch;
}

void loadBeat(GeneratorContext& ctx) {
  ctx.softRejectRun = 0;
  ctx.lastRejectedColumn = -1;
  ctx.forcedNext = 0;
  ctx.beatBlocked = false;
  ctx.forcedCount = 0;
  if (ctx.plan.forcedCandidates) {
    const int count = ctx.plan.forcedCandidates(ctx, ctx.cursorBeat + 1, ctx.forced);
    if (count < 0) {
      ctx.beatBlocked = true;
      return;
    }
    ctx.forcedCount = count;
  }
  if (ctx.forcedCount > 0) return;
  const int row = std::clamp(ctx.current.motionClass, 0, 9);
  ctx.candidateWeights = kStepWeights[static_cast<std::size_t>(row)];
  ctx.totalWeight = 1000;
}

// Starts the candidate for the beat after the cursor in place: it carries
// the current note's counters until its test updates them.
LineNote& freshCandidate(GeneratorContext& ctx) {
  LineNote& c = ctx.candidate;
  c.beat = ctx.cursorBeat + 1;
  c.marker = 0;
  c.motionClass = 0;
  c.perfectCount = ctx.current.perfectCount;
  c.intervalRuns = ctx.current.intervalRuns;
  return c;
}

// Builds the next candidate; false when the beat has none left.
bool nextCandidate(GeneratorContext& ctx) {
  clearPending(ctx);
  if (ctx.beatBlocked) return false;
  if (ctx.forcedCount > 0) {
    if (ctx.forcedNext >= ctx.forcedCount) return false;
    setForcedCandidate(ctx, ctx.forced[static_cast<std::size_t>(ctx.forcedNext++)]);
    ctx.drawnIndex = -1;
    return true;
  }
  if (ctx.totalWeight <= 0) return false;
  const int column = weightedDraw(*ctx.random, ctx.candidateWeights.data(), kStepColumns, ctx.totalWeight);
  ctx.drawnIndex = column;
  setColumnCandidate(ctx, column);
  return true;
}

// A soft rejection of the only candidate left lets it through.
bool onlyCandidateLeft(const GeneratorContext& ctx) {
  if (ctx.forcedCount > 0) return ctx.forcedNext >= ctx.forcedCount;
  return ctx.totalWeight - ctx.candidateWeights[static_cast<std::size_t>(ctx.drawnIndex)] <= 0;
}

void reject(GeneratorContext& ctx, bool soft) {
  ++ctx.rejectCount;
  if (ctx.forcedCount > 0) return;
  auto& w = ctx.candidateWeights[static_cast<std::size_t>(ctx.drawnIndex)];
  ctx.totalWeight -= w;
  w = 0;
  ctx.lastRejectedColumn = ctx.drawnIndex;
  if (!soft) {
    ctx.softRejectRun = 0;
    return;
  }
  if (ctx.softRejectRun < 2) {
    w = 1;
    ctx.totalWeight += 1;
  }
  ++ctx.softRejectRun;
}

// A lower voice with every move rejected may still hold its pitch.
bool tryRepeatFallback(GeneratorContext& ctx) {
  if (!ctx.plan.lowerVoice || ctx.beatBlocked || ctx.forcedCount > 0) return false;
  if (ctx.lastRejectedColumn == kRepeatColumn) return false;
  if (ctx.random->r1000() >= 500) return false;
  ctx.candidateWeights.fill(0);
  ctx.candidateWeights[kRepeatColumn] = 1;
  ctx.totalWeight = 1;
  return true;
}

void lowerNote(GeneratorContext& ctx, int beat) {
  LineNote& n = ctx.notes[static_cast<std::size_t>(beat)];
  n.pitch -= 1;
  n.marker = kMarkerLowered;
  targetLine(ctx)[static_cast<std::size_t>(beat)] = n.pitch;
}

void dropSavePointsAfter(GeneratorContext& ctx, int beat) {
  while (ctx.savePointCount > 0 && ctx.savePoints[static_cast<std::size_t>(ctx.savePointCount - 1)].beat > beat)
    --ctx.savePointCount;
}

void reportProgress(GeneratorContext& ctx) {
  ++ctx.commitCounter;
  if (ctx.commitCounter % 10 == 0) {
    if (ctx.progressOpen && ctx.hooks.advanceProgress)
      ctx.hooks.advanceProgress(ctx, ctx.progressBase + ctx.cursorBeat);
    if (ctx.hooks.pumpEvents) ctx.hooks.pumpEvents();
  }
  if (!ctx.progressOpen && ctx.hooks.nowMs && ctx.hooks.openProgress &&
      ctx.hooks.nowMs() - ctx.startTimeMs > kProgressDelayMs) {
    ctx.progressOpen = true;
    ctx.hooks.openProgress(ctx);
  }
}

void commit(GeneratorContext& ctx) {
  const int beat = ctx.candidate.beat;
  placeCandidate(ctx);
  ctx.historyCount = std::min(ctx.historyCount + 1, kHistoryDepth);
  if (ctx.tabuBeat >= 0 && beat > ctx.tabuBeat) clearTabu(ctx);
  if (ctx.plan.afterCommit) ctx.plan.afterCommit(ctx);
  if ((beat - ctx.searchStartBeat) % kSavePointSpacing == 0) addSavePoint(ctx, beat);
  reportProgress(ctx);
  loadBeat(ctx);
}

void commitOrReject(GeneratorContext& ctx) {
  if (leavesWayToEnd(ctx))
    commit(ctx);
  else
    reject(ctx, false);
}

// Takes back the note at the cursor; the cursor returns to the beat before.
void withdrawCurrent(GeneratorContext& ctx) {
  const int withdrawn = ctx.cursorBeat;
  takeBackNote(ctx, withdrawn);
  ctx.cursorBeat = withdrawn - 1;
  --ctx.historyCount;
  ctx.current = ctx.cursorBeat == ctx.searchStartBeat ? ctx.searchBase
                                                     : ctx.notes[static_cast<std::size_t>(ctx.cursorBeat)];
  dropSavePointsAfter(ctx, ctx.cursorBeat);
}

// Dead end: give up the current note and draw again one beat earlier.
bool backUp(GeneratorContext& ctx) {
  ctx.searchStatus = 0;
  if (++ctx.deadEnds > kDeadEndLimit) return false;
  if (ctx.historyCount == 0) return false;
  addTabu(ctx, ctx.cursorBeat, ctx.current.pitch);
  withdrawCurrent(ctx);
  loadBeat(ctx);
  return true;
}

bool backToSavePoint(GeneratorContext& ctx) {
  ctx.searchStatus = kSearchBackToSavePoint;
  if (++ctx.deadEnds > kDeadEndLimit || ctx.savePointCount == 0) return false;
  const SavePoint sp = ctx.savePoints[static_cast<std::size_t>(ctx.savePointCount - 1)];
  if (sp.beat == ctx.searchStartBeat || sp.beat == ctx.peakBeat) return false;
  for (int b = ctx.cursorBeat; b > sp.beat; --b) takeBackNote(ctx, b);
  ctx.cursorBeat = sp.beat;
  ctx.current = ctx.notes[static_cast<std::size_t>(sp.beat)];
  ctx.historyCount = sp.historyCount;
  clearTabu(ctx);
  loadBeat(ctx);
  return true;
}

}  // namespace

void setForcedCandidate(GeneratorContext& ctx, const LineNote& f) {
  LineNote& c = freshCandidate(ctx);
  c.pitch = f.pitch;
  c.scaleIndex = f.scaleIndex;
  c.marker = f.marker;
  c.degreeCode = degreeCode(f.pitch, ctx.keyNote);
}

void setColumnCandidate(GeneratorContext& ctx, int column) {
  const LineNote& from = ctx.current;
  LineNote& c = freshCandidate(ctx);
  c.scaleIndex = from.scaleIndex - kRepeatColumn + column;
  c.pitch = from.pitch + columnMove(from.scaleIndex, column) + (from.marker == kMarkerLowered ? 1 : 0);
  c.degreeCode = degreeCode(c.pitch, ctx.keyNote);
}

void clearPending(GeneratorContext& ctx) {
  ctx.pendingLowerBeat = -1;
  ctx.pendingApproach = 0;
  ctx.pendingCadenceStep = 0;
}

void placeCandidate(GeneratorContext& ctx) {
  const LineNote& c = ctx.candidate;
  const int beat = c.beat;
  ctx.loweredAtCommit[static_cast<std::size_t>(beat)] = ctx.pendingLowerBeat;
  if (ctx.pendingLowerBeat >= 0) lowerNote(ctx, ctx.pendingLowerBeat);
  ctx.notes[static_cast<std::size_t>(beat)] = c;
  targetLine(ctx)[static_cast<std::size_t>(beat)] = c.pitch;
  ctx.current = c;
  ctx.cursorBeat = beat;
}

void takeBackNote(GeneratorContext& ctx, int beat) {
  auto& lowered = ctx.loweredAtCommit[static_cast<std::size_t>(beat)];
  if (lowered >= 0) {
    LineNote& n = ctx.notes[static_cast<std::size_t>(lowered)];
    n.pitch += 1;
    n.marker = 0;
    targetLine(ctx)[static_cast<std::size_t>(lowered)] = n.pitch;
    lowered = -1;
  }
  ctx.notes[static_cast<std::size_t>(beat)] = LineNote{};
  targetLine(ctx)[static_cast<std::size_t>(beat)] = -1;
}

int weightedDraw(Random& random, const std::int32_t* weights, int count, std::int32_t total) {
  if (total <= 0) return count - 1;
  const std::int32_t v = random.next() % total;
  std::int32_t sum = 0;
  for (int i = 0; i < count; ++i) {
    sum += weights[i];
    if (sum > v) return i;
  }
  return count - 1;
}

bool isCancelled(const GeneratorContext& ctx) { return ctx.cancelWord.load() == kSearchCancelled; }

bool holdsWholeRequest(const GeneratorContext& ctx, const VoiceLine* line) {
  return line && static_cast<int>(line->size()) >= ctx.lineLength;
}

void sizeBeatRecords(GeneratorContext& ctx, int beats) {
  const auto n = static_cast<std::size_t>(std::max(beats, 0));
  ctx.notes.assign(n, LineNote{});
  ctx.loweredAtCommit.assign(n, -1);
  ctx.reachTable.assign(kReachTableSize, ReachEntry{});
  ctx.reachStamp = 1;
}

void resetAttempt(GeneratorContext& ctx, int fromBeat) {
  VoiceLine& line = targetLine(ctx);
  for (std::size_t b = static_cast<std::size_t>(std::max(fromBeat, 0)); b < ctx.notes.size(); ++b) {
    ctx.notes[b] = LineNote{};
    ctx.loweredAtCommit[b] = -1;
    line[b] = -1;
  }
  ctx.historyCount = 0;
  ctx.savePointCount = 0;
  clearTabu(ctx);
  ctx.deadEnds = 0;
  ctx.rejectCount = 0;
  ctx.softRejectRun = 0;
  ctx.searchStatus = 0;
  ctx.penultimateArrivals = 0;
  ctx.pendingLowerBeat = -1;
  ctx.flags &= ~(kForwardDone | kLineComplete | kDirectionChanged);
}

void placeBaseNote(GeneratorContext& ctx, const LineNote& note, bool writeToLine) {
  if (writeToLine && validBeat(ctx, note.beat)) {
    ctx.notes[static_cast<std::size_t>(note.beat)] = note;
    targetLine(ctx)[static_cast<std::size_t>(note.beat)] = note.pitch;
  }
  ctx.current = note;
  ctx.searchBase = note;
  ctx.cursorBeat = note.beat;
  ctx.searchStartBeat = note.beat;
  ctx.historyCount = 0;
  ctx.savePointCount = 0;
  ctx.deadEnds = 0;
  clearTabu(ctx);
  addSavePoint(ctx, note.beat);
  forgetReachAnswers(ctx);
}

void addSavePoint(GeneratorContext& ctx, int beat) {
  if (ctx.savePointCount == kSavePointCount) {
    std::rotate(ctx.savePoints.begin(), ctx.savePoints.begin() + 1, ctx.savePoints.end());
    --ctx.savePointCount;
  }
  ctx.savePoints[static_cast<std::size_t>(ctx.savePointCount++)] = SavePoint{beat, ctx.historyCount};
}

int runSearch(GeneratorContext& ctx) {
  loadBeat(ctx);
  for (;;) {
    if (isCancelled(ctx)) {
      ctx.searchStatus = kSearchCancelled;
      return kSearchCancelled;
    }
    if (ctx.cursorBeat + 1 >= ctx.endBeat) {
      ctx.flags |= kLineComplete;
      return kSearchLineComplete;
    }
    if (!nextCandidate(ctx)) {
      if (tryRepeatFallback(ctx)) continue;
      if (!backUp(ctx)) return kSearchFailed;
      continue;
    }
    switch (ctx.plan.test(ctx)) {
      case Verdict::kAccept:
        commitOrReject(ctx);
        break;
      case Verdict::kRejectSoft:
        if (onlyCandidateLeft(ctx)) {
          commitOrReject(ctx);
          break;
        }
        reject(ctx, true);
        break;
      case Verdict::kRejectHard:
        reject(ctx, false);
        break;
      case Verdict::kDeadEnd:
        if (!backUp(ctx)) return kSearchFailed;
        break;
      case Verdict::kBackToSavePoint:
        if (!backToSavePoint(ctx)) return kSearchFailed;
        break;
      case Verdict::kAbort:
        ctx.searchStatus = kSearchAbort;
        return kSearchFailed;
    }
  }
}

}  // namespace quorvel
