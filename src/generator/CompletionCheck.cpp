#include "generator/CompletionCheck.h"

#include <algorithm>

#include "generator/ScaleTable.h"
#include "generator/SearchEngine.h"

namespace quorvel {

namespace {

constexpr int kProbeSlots = 8;
// A lower voice closes on at most two fixed notes.
constexpr int kFixedEndingBeats = 2;
// Candidate tests one check may spend; enough to settle every melody.
constexpr std::int32_t kReachBudget = 20000;

// Folds one field into a state key.
std::uint64_t fold(std::uint64_t key, std::int64_t field) {
  key = (key ^ static_cast<std::uint64_t>(field)) * 0xFF51AFD7ED558CCDull;
  return key ^ (key >> 33);
}

std::uint64_t foldNote(std::uint64_t key, const LineNote* n) {
  if (!n) return fold(key, -1);
  return fold(fold(key, n->pitch), n->marker);
}

// The state the rules of the later beats look at: the cursor's beat, the
// last three notes with their lowering, how the last one was reached and
// the approach to the ending the search settled on the way. Only the
// melody's look-ahead keeps answers; a lower voice would need its run
// counters and cadence in the key too.
std::uint64_t stateKey(const GeneratorContext& ctx) {
  const int beat = ctx.cursorBeat;
  std::uint64_t key = fold(0, beat);
  key = foldNote(foldNote(key, noteAt(ctx, beat - 2)), noteAt(ctx, beat - 1));
  const LineNote& c = ctx.current;
  return fold(fold(fold(fold(key, c.pitch), c.marker), c.motionClass), ctx.approach);
}

std::size_t slotOf(std::uint64_t key) { return static_cast<std::size_t>(key % kReachTableSize); }

ReachEntry* findAnswer(GeneratorContext& ctx, std::uint64_t key) {
  const std::size_t first = slotOf(key);
  for (std::size_t i = 0; i < kProbeSlots; ++i) {
    ReachEntry& e = ctx.reachTable[(first + i) % kReachTableSize];
    if (e.stamp != ctx.reachStamp) return nullptr;
    if (e.key == key) return &e;
  }
  return nullptr;
}

// A full neighbourhood simply goes without: the answer is searched again.
void keepAnswer(GeneratorContext& ctx, std::uint64_t key, bool reachable) {
  const std::size_t first = slotOf(key);
  for (std::size_t i = 0; i < kProbeSlots; ++i) {
    ReachEntry& e = ctx.reachTable[(first + i) % kReachTableSize];
    if (e.stamp == ctx.reachStamp && e.key != key) continue;
    e = ReachEntry{key, ctx.reachStamp, reachable};
    return;
  }
}

bool continuationExists(GeneratorContext& ctx);

// Places the candidate for a moment and looks for a way on from it.
bool wayOnFromCandidate(GeneratorContext& ctx) {
  const LineNote parent = ctx.current;
  placeCandidate(ctx);
  if (ctx.plan.afterCommit) ctx.plan.afterCommit(ctx);
  const bool found = continuationExists(ctx);
  takeBackNote(ctx, ctx.cursorBeat);
  ctx.cursorBeat = parent.beat;
  ctx.current = parent;
  return found;
}

bool passesAndLeadsOn(GeneratorContext& ctx) {
  --ctx.reachBudget;
  clearPending(ctx);
  const Verdict v = ctx.plan.test(ctx);
  if (v != Verdict::kAccept && v != Verdict::kRejectSoft) return false;
  return wayOnFromCandidate(ctx);
}

bool someCandidateLeadsOn(GeneratorContext& ctx) {
  std::array<LineNote, 2> forced;
  const int count = ctx.plan.forcedCandidates ? ctx.plan.forcedCandidates(ctx, ctx.cursorBeat + 1, forced) : 0;
  if (count < 0) return false;
  for (int i = 0; i < count; ++i) {
    setForcedCandidate(ctx, forced[static_cast<std::size_t>(i)]);
    if (passesAndLeadsOn(ctx)) return true;
  }
  if (count > 0) return false;
  // A free beat before a lower voice's fixed ending is left to the search.
  if (ctx.plan.lookAhead == LookAhead::kFixedEnding) return true;
  // Small steps first: a way on is usually found among them, so the check
  // settles sooner; it still tries every column before it answers no.
  static constexpr std::array<int, kStepColumns> kNearestFirst{5, 3, 6, 2, 7, 1, 8, 0, 9, kRepeatColumn};
  for (int column : kNearestFirst) {
    setColumnCandidate(ctx, column);
    if (passesAndLeadsOn(ctx)) return true;
  }
  return false;
}

// A check that runs out of budget answers yes from then on and keeps
// nothing it has not finished: the search itself then finds out.
bool continuationExists(GeneratorContext& ctx) {
  if (ctx.cursorBeat + 1 >= ctx.endBeat || ctx.reachBudget <= 0) return true;
  if (ctx.plan.lookAhead != LookAhead::kWholeLine) return someCandidateLeadsOn(ctx);
  const std::uint64_t key = stateKey(ctx);
  if (const ReachEntry* known = findAnswer(ctx, key)) return known->reachable;
  const bool found = someCandidateLeadsOn(ctx);
  if (ctx.reachBudget > 0) keepAnswer(ctx, key, found);
  return found;
}

// Everything besides the line beyond the cursor that a look-ahead changes.
struct SearchScratch {
  LineNote candidate;
  std::uint32_t flags;
  std::int32_t pendingLowerBeat, pendingApproach, pendingCadenceStep, approach;
  std::int32_t cadenceStep, tenorCadenceStep, tenorPenultimateCode, penultimateArrivals;
  Random* random;
};

SearchScratch saveScratch(const GeneratorContext& ctx) {
  return SearchScratch{ctx.candidate,          ctx.flags,
                       ctx.pendingLowerBeat,   ctx.pendingApproach,
                       ctx.pendingCadenceStep, ctx.approach,
                       ctx.cadenceStep,        ctx.tenorCadenceStep,
                       ctx.tenorPenultimateCode, ctx.penultimateArrivals,
                       ctx.random};
}

void restoreScratch(GeneratorContext& ctx, const SearchScratch& s) {
  ctx.candidate = s.candidate;
  ctx.flags = s.flags;
  ctx.pendingLowerBeat = s.pendingLowerBeat;
  ctx.pendingApproach = s.pendingApproach;
  ctx.pendingCadenceStep = s.pendingCadenceStep;
  ctx.approach = s.approach;
  ctx.cadenceStep = s.cadenceStep;
  ctx.tenorCadenceStep = s.tenorCadenceStep;
  ctx.tenorPenultimateCode = s.tenorPenultimateCode;
  ctx.penultimateArrivals = s.penultimateArrivals;
  ctx.random = s.random;
}

bool looksAheadFrom(const GeneratorContext& ctx, int beat) {
  switch (ctx.plan.lookAhead) {
    case LookAhead::kNone: return false;
    case LookAhead::kFixedEnding: return beat >= ctx.endBeat - 1 - kFixedEndingBeats;
    case LookAhead::kWholeLine: return true;
  }
  return false;
}

}  // namespace

bool leavesWayToEnd(GeneratorContext& ctx) {
  if (ctx.candidate.beat >= ctx.endBeat - 1 || !looksAheadFrom(ctx, ctx.candidate.beat)) return true;
  const SearchScratch saved = saveScratch(ctx);
  Random scratchRandom = *ctx.random;
  ctx.random = &scratchRandom;
  ctx.reachBudget = kReachBudget;
  const bool found = wayOnFromCandidate(ctx);
  restoreScratch(ctx, saved);
  return found;
}

void forgetReachAnswers(GeneratorContext& ctx) {
  if (++ctx.reachStamp == 0) {
    std::fill(ctx.reachTable.begin(), ctx.reachTable.end(), ReachEntry{});
    ctx.reachStamp = 1;
  }
}

}  // namespace quorvel
