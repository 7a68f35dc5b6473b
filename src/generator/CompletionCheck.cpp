#include "generator/CompletionCheck.h"

#include <algorithm>

#include "generator/ScaleTable.h"
#include "generator/SearchEngine.h"

namespace quorvel {

namespace {

constexpr int kProbeSlots = 8;

std::uint64_t pitchField(const GeneratorContext& ctx, int beat) {
  const LineNote* n = noteAt(ctx, beat);
  if (!n) return 0;
  return static_cast<std::uint64_t>(n->pitch & 0x7F) << 1 | (n->marker == kMarkerLowered ? 1u : 0u);
}

// The state the rules of the next beats look at: the cursor's beat, the
// last three notes with their lowering, how the last one was reached, and
// the approach to the ending chosen on the way.
std::uint64_t stateKey(const GeneratorContext& ctx) {
  const int beat = ctx.cursorBeat;
  return static_cast<std::uint64_t>(beat & 0xFFFF) << 40 | static_cast<std::uint64_t>(ctx.approach & 0xF) << 36 |
         pitchField(ctx, beat - 2) << 20 | pitchField(ctx, beat - 1) << 12 | pitchField(ctx, beat) << 4 |
         static_cast<std::uint64_t>(ctx.current.motionClass & 0xF);
}

std::size_t slotOf(std::uint64_t key) {
  return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) % kReachTableSize;
}

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
    ctx.candidate = forcedCandidate(ctx, forced[static_cast<std::size_t>(i)]);
    if (passesAndLeadsOn(ctx)) return true;
  }
  if (count > 0) return false;
  for (int column = 0; column < kStepColumns; ++column) {
    ctx.candidate = columnCandidate(ctx, column);
    if (passesAndLeadsOn(ctx)) return true;
  }
  return false;
}

bool continuationExists(GeneratorContext& ctx) {
  if (ctx.cursorBeat + 1 >= ctx.endBeat) return true;
  const std::uint64_t key = stateKey(ctx);
  if (const ReachEntry* known = findAnswer(ctx, key)) return known->reachable;
  const bool found = someCandidateLeadsOn(ctx);
  keepAnswer(ctx, key, found);
  return found;
}

}  // namespace

bool leavesWayToEnd(GeneratorContext& ctx) {
  if (!ctx.plan.checkCompletion || ctx.candidate.beat >= ctx.endBeat - 1) return true;
  const LineNote candidate = ctx.candidate;
  const std::uint32_t flags = ctx.flags;
  const std::int32_t pendingLowerBeat = ctx.pendingLowerBeat, pendingApproach = ctx.pendingApproach,
                     pendingCadenceStep = ctx.pendingCadenceStep, approach = ctx.approach;
  Random* const random = ctx.random;
  Random scratch = *random;
  ctx.random = &scratch;
  const bool found = wayOnFromCandidate(ctx);
  ctx.random = random;
  ctx.candidate = candidate;
  ctx.flags = flags;
  ctx.pendingLowerBeat = pendingLowerBeat;
  ctx.pendingApproach = pendingApproach;
  ctx.pendingCadenceStep = pendingCadenceStep;
  ctx.approach = approach;
  return found;
}

void forgetReachAnswers(GeneratorContext& ctx) {
  if (++ctx.reachStamp == 0) {
    std::fill(ctx.reachTable.begin(), ctx.reachTable.end(), ReachEntry{});
    ctx.reachStamp = 1;
  }
}

}  // namespace quorvel
