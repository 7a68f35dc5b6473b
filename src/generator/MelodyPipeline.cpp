// The melody (line 0): ending, first note, peak and its beat, the search
// from the peak to the end and from the first note to the peak, validation.
#include <algorithm>
#include <initializer_list>

#include "generator/LineSearch.h"
#include "generator/MelodicRules.h"
#include "generator/ScaleNotes.h"
#include "generator/ScaleTable.h"
#include "generator/SearchEngine.h"
#include "generator/VerticalRules.h"

namespace quorvel {

namespace {

constexpr int kMinimumMelodyBeats = 6;  // first note, room for the peak, four ending beats
enum Approach { kNoApproach = 0, kSupertonicApproach = 1, kLeadingToneApproach = 2 };

struct EndingFormula {
  int value;
  int lastDegree, lastShift;
  int penultimateDegree, penultimateShift;
  int bassDegree, bassShift;
  GeneratorFlag group;
};

constexpr EndingFormula kFormulas[] = {
    {8, 0, 0, 1, 0, -1, -12, kEndsOnTonic},     {4, 0, 0, 1, 0, 4, -24, kEndsOnTonic},
    {2, 0, 0, -1, 0, 4, -12, kEndsOnTonic},     {1, 0, 0, -1, 0, 1, -12, kEndsOnTonic},
    {64, 4, -12, 5, -12, 3, -24, kEndsOnFifth}, {128, 4, -12, 3, -12, 1, -12, kEndsOnFifth},
    {16, 2, 0, 3, 0, 1, -12, kEndsOnThird},     {32, 2, 0, 1, 0, 4, -12, kEndsOnThird},
};

int lastBeat(const GeneratorContext& ctx) { return ctx.lineLength - 1; }

// The three-level draw of the formula; the first draw picks the group.
const EndingFormula& chooseFormula(Random& random) {
  const int first = random.r1000();
  if (first <= 800) {
    if (random.r1000() > 640) return random.r1000() > 360 ? kFormulas[0] : kFormulas[1];
    return random.r1000() > 640 ? kFormulas[2] : kFormulas[3];
  }
  if (first <= 950) return random.r1000() > 200 ? kFormulas[4] : kFormulas[5];
  return random.r1000() > 500 ? kFormulas[6] : kFormulas[7];
}

void chooseEnding(GeneratorContext& ctx) {
  const int last = lastBeat(ctx);
  ctx.flags &= ~(kEndsOnTonic | kEndsOnFifth | kEndsOnThird);
  ctx.penultimate = LineNote{};
  if (effectiveVoices(ctx) <= 2) {
    ctx.ending = degreeNote(ctx, 0, 0, last);
    ctx.endingFormula = 0;
    ctx.flags |= kEndsOnTonic;
    return;
  }
  const EndingFormula& f = chooseFormula(*ctx.random);
  ctx.endingFormula = f.value;
  ctx.flags |= f.group;
  ctx.ending = degreeNote(ctx, f.lastDegree, f.lastShift, last);
  ctx.penultimate = degreeNote(ctx, f.penultimateDegree, f.penultimateShift, last - 1);
  ctx.bassEnding = degreeNote(ctx, 0, -12, last);
  ctx.bassPenultimate = degreeNote(ctx, f.bassDegree, f.bassShift, last - 1);
  bool moveDown;
  if (effectiveVoices(ctx) == 4)
    moveDown = ctx.ending.pitch - ctx.bassEnding.pitch < 12;
  else
    moveDown = ctx.random->r1000() < 500 || f.value == 1 || f.value == 32;
  // Left where it is, the bass's fixed penultimate of some formulas would
  // stand closer under the melody's than any bass may, and no bass could
  // ever close the line.
  if (ctx.penultimate.pitch - ctx.bassPenultimate.pitch < outerBand(ctx).least) moveDown = true;
  if (moveDown) {
    ctx.bassEnding = degreeNote(ctx, 0, -24, last);
    ctx.bassPenultimate = degreeNote(ctx, f.bassDegree, f.bassShift - 12, last - 1);
  }
}

constexpr std::array<int, 4> kFirstDegrees{0, 1, 3, -3};

LineNote chooseFirstNote(GeneratorContext& ctx) {
  static constexpr std::int32_t kSingle[4]{750, 0, 0, 250};
  static constexpr std::int32_t kWithVoices[4]{700, 75, 0, 225};
  const std::int32_t* weights = effectiveVoices(ctx) == 1 ? kSingle : kWithVoices;
  const int pick = weightedDraw(*ctx.random, weights, 4, 1000);
  return degreeNote(ctx, kFirstDegrees[static_cast<std::size_t>(pick)], 0, 0);
}

// Draws the peak among six degrees, narrowing the choice after each miss;
// false when no candidate fits between the outer notes.
bool choosePeak(GeneratorContext& ctx, const LineNote& first) {
  std::array<std::int32_t, 6> weights{0, 90, 90, 160, 520, 140};
  const int lowestDegree = (ctx.flags & kEndsOnFifth) ? -2 : 1;
  int lo = std::min(first.pitch, ctx.ending.pitch);
  int hi = std::max(first.pitch, ctx.ending.pitch);
  if (ctx.penultimate.pitch > 0) {
    lo = std::min(lo, ctx.penultimate.pitch);
    hi = std::max(hi, ctx.penultimate.pitch);
  }
  for (;;) {
    std::int32_t total = 0;
    for (auto w : weights) total += w;
    if (total == 0) return false;
    const int k = weightedDraw(*ctx.random, weights.data(), 6, total);
    const LineNote candidate = degreeNote(ctx, lowestDegree + k, 0, -1);
    if (candidate.pitch > hi && candidate.pitch <= lo + 12) {
      ctx.peak = candidate;
      ctx.peak.motionClass = kPeakMotion;
      return true;
    }
    if (candidate.pitch > lo + 12)
      std::fill(weights.begin() + k, weights.end(), 0);
    else
      std::fill(weights.begin(), weights.begin() + k + 1, 0);
  }
}

int choosePeakBeat(GeneratorContext& ctx) {
  const double L = ctx.lineLength;
  const int highPeak = ctx.peak.scaleIndex - ctx.tonicIndex >= 5;
  const int latest = ctx.lineLength - (highPeak ? 4 : 5);
  for (;;) {
    const int beat = static_cast<int>(ctx.random->gaussian(0.0625 * L + 0.5, 0.7 * L - 1.0));
    if (beat >= 1 && beat <= latest) return beat;
  }
}

// How the last note before the penultimate approaches it, for N <= 2; 0 rejects.
int approachFor(const GeneratorContext& ctx, int d) {
  const bool single = effectiveVoices(ctx) == 1;
  const int before = ctx.current.motionClass;
  int approach = kNoApproach;
  if (d == -5)
    approach = single ? kSupertonicApproach : kNoApproach;
  else if (d == -4 || d == -3)
    approach = kLeadingToneApproach;
  else if (d == -2 || d == -1)
    approach = single ? kLeadingToneApproach : kNoApproach;
  else if (d == 0)
    approach = before == 3 ? kSupertonicApproach : kLeadingToneApproach;
  else if (d == 3 || d == 4) {
    const int threshold = before == 4 ? 970 : 950;
    approach = (before != 3 && ctx.random->r1000() >= threshold) ? kLeadingToneApproach : kSupertonicApproach;
  } else if (d == 5 || d == 6)
    approach = kSupertonicApproach;
  if (approach != kNoApproach && ctx.modeIndex == kPhrygian) approach = kSupertonicApproach;
  return approach;
}

LineNote supertonicNote(const GeneratorContext& ctx) { return degreeNote(ctx, 1, 0, lastBeat(ctx) - 1); }

LineNote leadingToneNote(const GeneratorContext& ctx) {
  LineNote n;
  n.beat = lastBeat(ctx) - 1;
  n.pitch = ctx.keyNote - 1;
  n.degreeCode = 12;
  n.scaleIndex = ctx.tonicIndex - 1;
  return n;
}

Verdict endingApproachRules(GeneratorContext& ctx) {
  const LineNote& c = ctx.candidate;
  const int d = c.pitch - ctx.ending.pitch;
  if (c.beat == lastBeat(ctx) - 3) {
    if (d < -9 || d > 7) return Verdict::kRejectHard;
    if (d <= -5 && ctx.current.motionClass != 3) return Verdict::kRejectHard;
  } else if (c.beat == lastBeat(ctx) - 2) {
    if (c.degreeCode == 3) return Verdict::kRejectHard;
    if (effectiveVoices(ctx) >= 3) {
      if (c.pitch == ctx.penultimate.pitch || d < -5 || d > 6) return Verdict::kRejectHard;
      return Verdict::kAccept;
    }
    ctx.pendingApproach = approachFor(ctx, d);
    if (ctx.pendingApproach == kNoApproach) return Verdict::kRejectHard;
    const int penultimate =
        ctx.pendingApproach == kSupertonicApproach ? supertonicNote(ctx).pitch : leadingToneNote(ctx).pitch;
    if (c.pitch == penultimate) return Verdict::kRejectHard;
  }
  return Verdict::kAccept;
}

int dominantCount(const ModeInfo& mode, std::initializer_list<int> codes) {
  int n = 0;
  for (int c : codes) n += inDominantGroup(mode, c);
  return n;
}

int neighbourCount(const ModeInfo& mode, std::initializer_list<int> codes) {
  int n = 0;
  for (int c : codes) n += inNeighbourGroup(mode, c);
  return n;
}

// The note right before the peak, drawn: close below it, and no dominant
// cluster around the peak.
Verdict beforePeakRules(GeneratorContext& ctx) {
  LineNote& c = ctx.candidate;
  const int gap = ctx.peak.pitch - c.pitch;
  if (gap < 1 || gap > 7 || gap == 6 || c.pitch == ctx.current.pitch) return Verdict::kRejectHard;
  const Verdict melodic = testMelodicRules(ctx);
  if (melodic != Verdict::kAccept) return melodic;
  if (gap >= 5 && !passesTritoneOutline(ctx, c.beat, ctx.peak.pitch)) return Verdict::kRejectHard;
  const LineNote* after = noteAt(ctx, ctx.peakBeat + 1);
  if ((ctx.flags & kDirectionChanged) && after && !passesTritoneOutline(ctx, ctx.peakBeat, after->pitch))
    return Verdict::kBackToSavePoint;
  const ModeInfo& mode = modeInfo(ctx.modeIndex);
  const int a1 = dominantCount(mode, {ctx.current.degreeCode, c.degreeCode, ctx.peak.degreeCode});
  const int b1 = neighbourCount(mode, {ctx.current.degreeCode, c.degreeCode, ctx.peak.degreeCode});
  if (a1 + b1 >= 3 && b1 < 2) return Verdict::kRejectHard;
  if (after && after->pitch != c.pitch) {
    const int a2 = dominantCount(mode, {c.degreeCode, ctx.peak.degreeCode, after->degreeCode});
    const int b2 = neighbourCount(mode, {c.degreeCode, ctx.peak.degreeCode, after->degreeCode});
    if (a2 + b2 >= 3 && b2 < 2) return Verdict::kRejectHard;
  }
  return Verdict::kAccept;
}

Verdict peakApproachRules(GeneratorContext& ctx) {
  const LineNote& c = ctx.candidate;
  const bool leftByLeap = ctx.flags & kPeakLeftByLeap;
  const int below = ctx.peak.pitch - c.pitch;
  if (c.beat == ctx.peakBeat - 3 && leftByLeap && below >= 12) return Verdict::kRejectHard;
  if (c.beat == ctx.peakBeat - 2 && below >= (leftByLeap ? 7 : 12)) return Verdict::kRejectHard;
  return Verdict::kAccept;
}

Verdict testMelodyCandidate(GeneratorContext& ctx) {
  // validateMelody throws away every melody with a repeated pitch; refusing
  // the repeat here keeps the attempt alive.
  if (ctx.candidate.pitch == ctx.current.pitch) return Verdict::kRejectHard;
  if (ctx.phase == kPhaseForward) {
    const Verdict v = endingApproachRules(ctx);
    if (v != Verdict::kAccept) return v;
    return testMelodicRules(ctx);
  }
  if (ctx.candidate.beat == ctx.peakBeat - 1 && !(ctx.flags & kPeakLeftByLeap)) return beforePeakRules(ctx);
  const Verdict v = peakApproachRules(ctx);
  if (v != Verdict::kAccept) return v;
  return testMelodicRules(ctx);
}

int melodyForcedCandidates(GeneratorContext& ctx, int beat, std::array<LineNote, 2>& out) {
  if (ctx.phase == kPhaseForward) {
    if (beat == lastBeat(ctx)) {
      out[0] = ctx.ending;
      return 1;
    }
    if (beat != lastBeat(ctx) - 1) return 0;
    if (effectiveVoices(ctx) >= 3) {
      out[0] = ctx.penultimate;
      return 1;
    }
    if (ctx.approach == kLeadingToneApproach) {
      out[0] = leadingToneNote(ctx);
      out[1] = supertonicNote(ctx);
      return 2;
    }
    out[0] = supertonicNote(ctx);
    return 1;
  }
  if (beat == ctx.peakBeat - 1 && (ctx.flags & kPeakLeftByLeap)) {
    out[0] = stepFrom(ctx, ctx.peak, -1, beat);
    out[1] = stepFrom(ctx, ctx.peak, -2, beat);
    return 2;
  }
  return 0;
}

void afterMelodyCommit(GeneratorContext& ctx) {
  if (ctx.phase == kPhaseForward && ctx.current.beat == lastBeat(ctx) - 2) ctx.approach = ctx.pendingApproach;
}

constexpr SearchPlan kMelodyPlan{melodyForcedCandidates, testMelodyCandidate, afterMelodyCommit, nullptr, false,
                                 LookAhead::kWholeLine};

int searchFromPeak(GeneratorContext& ctx) {
  ctx.phase = kPhaseForward;
  ctx.approach = kNoApproach;
  ctx.endBeat = ctx.lineLength;
  placeBaseNote(ctx, ctx.peak, true);
  const int result = runSearch(ctx);
  if (result != kSearchLineComplete) return result;
  ctx.flags |= kForwardDone;
  const LineNote* after = noteAt(ctx, ctx.peakBeat + 1);
  if (after && ctx.peak.pitch - after->pitch >= 3) ctx.flags |= kPeakLeftByLeap;
  return result;
}

int searchToPeak(GeneratorContext& ctx) {
  if (ctx.peakBeat <= 1) return kSearchLineComplete;
  ctx.phase = kPhaseToPeak;
  ctx.endBeat = ctx.peakBeat;
  placeBaseNote(ctx, ctx.start, true);
  return runSearch(ctx);
}

int melodyAttempt(GeneratorContext& ctx) {
  ctx.target = ctx.lines[0];
  ctx.flags &= ~(kRoleFlags | kPeakLeftByLeap);
  ctx.plan = kMelodyPlan;
  ctx.lineFirstBeat = 0;
  ctx.peakBeat = -1;
  resetAttempt(ctx, 0);
  chooseEnding(ctx);
  ctx.start = chooseFirstNote(ctx);
  if (!choosePeak(ctx, ctx.start)) return kSearchFailed;
  ctx.peakBeat = choosePeakBeat(ctx);
  ctx.peak.beat = ctx.peakBeat;
  placeBaseNote(ctx, ctx.start, true);
  const int forward = searchFromPeak(ctx);
  if (forward != kSearchLineComplete) return forward;
  return searchToPeak(ctx);
}

bool isAllowedFirstNote(const GeneratorContext& ctx, int pitch) {
  for (int degree : kFirstDegrees)
    if (degreeNote(ctx, degree, 0, 0).pitch == pitch) return true;
  return false;
}

}  // namespace

int validateMelody(const GeneratorContext& ctx, const VoiceLine& line, int lineLength) {
  if (lineLength < 1 || static_cast<int>(line.size()) < lineLength) return -1;
  const auto end = line.begin() + lineLength;
  const int peak = *std::max_element(line.begin(), end);
  if (std::count(line.begin(), end, peak) != 1) return -1;
  for (int b = 0; b < lineLength; ++b) {
    const int p = line[static_cast<std::size_t>(b)];
    if (p <= 0 || (p != peak && p < peak - 12)) return -1;
    if (b == 0) continue;
    const int previous = line[static_cast<std::size_t>(b - 1)];
    if (p == previous || !leapAllowed(ctx, previous, p)) return -1;
  }
  return isAllowedFirstNote(ctx, line[0]) ? 0 : -1;
}

int generateMelody(GeneratorContext& ctx) {
  if (ctx.lineLength < kMinimumMelodyBeats || !holdsWholeRequest(ctx, ctx.lines[0])) return kSearchFailed;
  for (;;) {
    if (isCancelled(ctx)) return kSearchCancelled;
    ++ctx.melodyAttempts;
    const int result = melodyAttempt(ctx);
    ctx.flags &= ~(kForwardDone | kLineComplete);
    if (result == kSearchCancelled) return kSearchCancelled;
    if (result == kSearchLineComplete && validateMelody(ctx, *ctx.lines[0], ctx.lineLength) == 0)
      return kSearchSuccess;
  }
}

}  // namespace quorvel
