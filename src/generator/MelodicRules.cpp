#include "generator/MelodicRules.h"

#include <cstdlib>

#include "generator/ScaleTable.h"
#include "generator/SearchEngine.h"

namespace quorvel {

namespace {

constexpr int kLeapForOutline = 3;

const LineNote* noteOrCandidate(const GeneratorContext& ctx, int beat) {
  if (beat == ctx.candidate.beat) return &ctx.candidate;
  return noteAt(ctx, beat);
}

bool isTabu(const GeneratorContext& ctx) {
  if (ctx.candidate.beat != ctx.tabuBeat) return false;
  for (int i = 0; i < ctx.tabuCount; ++i)
    if (ctx.tabuPitches[static_cast<std::size_t>(i)] == ctx.candidate.pitch) return true;
  return false;
}

bool outsideMelodyRange(const GeneratorContext& ctx, int pitch) {
  return pitch >= ctx.peak.pitch || pitch < ctx.peak.pitch - 12;
}

bool fitsNeighbour(const GeneratorContext& ctx, int lowered, int neighbourBeat) {
  const int n = pitchAt(ctx, neighbourBeat);
  return n < 0 || (n != lowered && leapAllowed(ctx, n, lowered));
}

void markLowered(GeneratorContext& ctx, int beat) {
  if (beat == ctx.candidate.beat) {
    ctx.candidate.pitch -= 1;
    ctx.candidate.marker = kMarkerLowered;
  } else {
    ctx.pendingLowerBeat = beat;
  }
}

bool clusterAllowed(const GeneratorContext& ctx) {
  const LineNote* before = noteAt(ctx, ctx.current.beat - 1);
  if (!before) return true;
  const ModeInfo& mode = modeInfo(ctx.modeIndex);
  const int dominant = inDominantGroup(mode, ctx.current.degreeCode) + inDominantGroup(mode, before->degreeCode);
  const int neighbour = inNeighbourGroup(mode, ctx.current.degreeCode) + inNeighbourGroup(mode, before->degreeCode);
  if (dominant + neighbour < 2 || dominant < 1) return true;
  switch (tensionClass(ctx.candidate.degreeCode)) {
    case kTensionTone: return ctx.candidate.pitch == before->pitch;
    case kFifthOrSixth: return neighbour >= 1;
    default: return true;
  }
}

bool holdsOrTurns(const GeneratorContext& ctx) {
  const LineNote* before = noteAt(ctx, ctx.current.beat - 1);
  if (!before) return true;
  const int move = ctx.candidate.pitch - ctx.current.pitch;
  const int previousMove = ctx.current.pitch - before->pitch;
  return !((move > 0 && previousMove > 0) || (move < 0 && previousMove < 0));
}

}  // namespace

bool leapAllowed(const GeneratorContext& ctx, int fromPitch, int toPitch) {
  const int leap = std::abs(toPitch - fromPitch);
  if (leap == 6) return false;
  return inCounterMode(ctx) || leap < 9;
}

bool mayLowerNote(const GeneratorContext& ctx, int beat) {
  const LineNote* note = noteOrCandidate(ctx, beat);
  if (!note || note->marker != 0) return false;
  if (beat == ctx.lineFirstBeat || beat == ctx.peakBeat) return false;
  const bool fixedEnding = !inCounterMode(ctx) && beat >= ctx.lineLength - 2;
  if (fixedEnding) return false;
  const int lowered = note->pitch - 1;
  if (!fitsNeighbour(ctx, lowered, beat - 1) || !fitsNeighbour(ctx, lowered, beat + 1)) return false;
  if (isMelodyRole(ctx) && ctx.peak.pitch > 0 && outsideMelodyRange(ctx, lowered)) return false;
  return !ctx.plan.loweringAllowed || ctx.plan.loweringAllowed(ctx, beat, lowered);
}

bool passesTritoneOutline(GeneratorContext& ctx, int previousBeat, int nextPitch) {
  const LineNote* previous = noteOrCandidate(ctx, previousBeat);
  const LineNote* far = noteOrCandidate(ctx, previousBeat - 2);
  if (!previous || !far || std::abs(previous->pitch - far->pitch) != 6) return true;
  if (ctx.pendingLowerBeat >= 0) return false;  // one mend per candidate
  const ModeInfo& mode = modeInfo(ctx.modeIndex);
  if (previous->degreeCode == mode.leadingTone && std::abs(nextPitch - (previous->pitch - 1)) != 6 &&
      mayLowerNote(ctx, previousBeat)) {
    markLowered(ctx, previousBeat);
    return true;
  }
  const int beforeFar = pitchAt(ctx, previousBeat - 3);
  const bool tritoneBefore = beforeFar >= 0 && std::abs(beforeFar - (far->pitch - 1)) == 6;
  if (far->degreeCode == mode.leadingTone && !tritoneBefore && mayLowerNote(ctx, previousBeat - 2)) {
    markLowered(ctx, previousBeat - 2);
    return true;
  }
  return false;
}

Verdict testMelodicRules(GeneratorContext& ctx) {
  LineNote& c = ctx.candidate;
  if (c.pitch < 1 || c.pitch > 127) return Verdict::kRejectHard;
  if (isTabu(ctx)) return Verdict::kRejectHard;
  if (isMelodyRole(ctx) && outsideMelodyRange(ctx, c.pitch))
    return Verdict::kRejectHard;
  if (!leapAllowed(ctx, ctx.current.pitch, c.pitch)) return Verdict::kRejectHard;

  const int s = c.pitch - ctx.current.pitch;
  c.motionClass = motionClassOf(s);
  const int verdict = directionVerdict(ctx.current.motionClass, s);
  ctx.flags &= ~kDirectionChanged;
  if (verdict == kVerdictTurns) ctx.flags |= kDirectionChanged;
  if ((verdict == kVerdictTurns || std::abs(s) >= kLeapForOutline) &&
      !passesTritoneOutline(ctx, ctx.current.beat, c.pitch))
    return Verdict::kRejectHard;

  if (isInnerRole(ctx) && inCounterMode(ctx)) return Verdict::kAccept;
  if (clusterAllowed(ctx)) return Verdict::kAccept;
  if (!isInnerRole(ctx)) return Verdict::kRejectHard;
  return holdsOrTurns(ctx) ? Verdict::kAccept : Verdict::kRejectSoft;
}

}  // namespace quorvel
