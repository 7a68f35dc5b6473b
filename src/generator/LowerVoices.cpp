// The voices below the melody: endings, first notes, the inner cadence and
// the attempts of each voice, in normal and in counter mode.
#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <optional>

#include "generator/LineSearch.h"
#include "generator/LowerVoiceStart.h"
#include "generator/MelodicRules.h"
#include "generator/ScaleNotes.h"
#include "generator/ScaleTable.h"
#include "generator/SearchEngine.h"
#include "generator/VerticalRules.h"

namespace quorvel {

namespace {

int lastBeat(const GeneratorContext& ctx) { return ctx.lineLength - 1; }
bool isOuter(const GeneratorContext& ctx) { return !isInnerRole(ctx); }

// ---- endings -------------------------------------------------------------

void fixSecondVoiceEnding(GeneratorContext& ctx) {
  const int last = lastBeat(ctx);
  const int melodyLast = linePitch(ctx, 0, last);
  const int melodyPenultimate = linePitch(ctx, 0, last - 1);
  const LineNote lastNote = noteForPitch(ctx, melodyLast, last);
  ctx.flags &= ~(kSecondEndsAbove | kSecondEndsBelow);
  if (melodyLast >= melodyPenultimate) {
    ctx.flags |= kSecondEndsAbove;
    ctx.voicePenultimate = stepFrom(ctx, lastNote, 1 - 7, last - 1);
    ctx.voiceEnding = stepFrom(ctx, lastNote, -7, last);
  } else {
    ctx.flags |= kSecondEndsBelow;
    ctx.voicePenultimate = stepFrom(ctx, lastNote, -1, last - 1);
    ctx.voiceEnding = lastNote;
  }
}

void fixOuterEnding(GeneratorContext& ctx) {
  if (ctx.flags & kSecondOfTwo) {
    fixSecondVoiceEnding(ctx);
    return;
  }
  ctx.voicePenultimate = ctx.bassPenultimate;
  ctx.voiceEnding = ctx.bassEnding;
}

// ---- first notes ---------------------------------------------------------

LineNote above(const GeneratorContext& ctx, const LineNote& base, int degrees) {
  return stepFrom(ctx, base, degrees, 0);
}

LineNote octaveBelow(const GeneratorContext& ctx, const LineNote& n) { return stepFrom(ctx, n, -7, n.beat); }

// The base the bass builds its start on: its own last pitch, and one octave
// lower when the random bit says so.
LineNote bassBase(GeneratorContext& ctx) {
  LineNote base = ctx.voiceEnding;
  base.beat = 0;
  if (ctx.random->bit() == 0) {
    base = octaveBelow(ctx, base);
    if (effectiveVoices(ctx) == 3 && base.pitch == ctx.keyNote) base = octaveBelow(ctx, base);
  }
  return base;
}

LineNote firstOfSecondVoice(GeneratorContext& ctx, int code) {
  const LineNote key = degreeNote(ctx, 0, 0, 0);
  switch (code) {
    case 8: return degreeNote(ctx, 0, -12, 0);
    case 3: case 12: return above(ctx, key, -3);
    case 7: return above(ctx, key, -4);
    default: {
      const bool keyEnding = linePitch(ctx, 1, lastBeat(ctx)) == ctx.keyNote;
      static constexpr std::int32_t kKeyEnding[3]{800, 150, 50};
      static constexpr std::int32_t kOtherEnding[3]{50, 600, 350};
      const int pick = weightedDraw(*ctx.random, keyEnding ? kKeyEnding : kOtherEnding, 3, 1000);
      if (pick == 0) return key;
      if (pick == 1) return degreeNote(ctx, 0, -12, 0);
      return above(ctx, key, -4);
    }
  }
}

LineNote firstOfBass(GeneratorContext& ctx, int code, int melodyFirst) {
  LineNote last = ctx.voiceEnding;
  last.beat = 0;
  switch (code) {
    case 8:
      if (melodyFirst - ctx.voiceEnding.pitch < 12) {
        ctx.voicePenultimate = octaveBelow(ctx, ctx.voicePenultimate);
        ctx.voiceEnding = octaveBelow(ctx, ctx.voiceEnding);
        last = octaveBelow(ctx, last);
      }
      return last;
    case 3: case 12:
      return above(ctx, bassBase(ctx), -3);
    case 7:
      // With three voices the fourth degree is treated like the second: a
      // fifth below the tonic, built on the bass's own last pitch.
      if (effectiveVoices(ctx) == 3) return above(ctx, bassBase(ctx), -3);
      return above(ctx, last, melodyFirst - last.pitch < 12 ? -4 : 3);
    default: {
      const bool keyEnding = linePitch(ctx, 1, lastBeat(ctx)) == ctx.keyNote;
      static constexpr std::int32_t kKeyEnding[3]{800, 150, 50};
      static constexpr std::int32_t kOtherEnding[3]{50, 600, 350};
      const int pick = weightedDraw(*ctx.random, keyEnding ? kKeyEnding : kOtherEnding, 3, 1000);
      if (pick < 2) return last;
      return above(ctx, last, melodyFirst - last.pitch >= 13 ? 3 : -4);
    }
  }
}

bool outerVoicesInOctaves(int d) { return d % 12 == 0; }

LineNote firstOfMiddleVoice(GeneratorContext& ctx) {
  const int bass = linePitch(ctx, voiceRole(ctx).partners[0], 0);
  const int d = linePitch(ctx, 0, 0) - bass;
  static constexpr std::int32_t kOffsets[4]{24, 19, 12, 7};
  std::int32_t weights[4];
  const auto set = [&](std::initializer_list<std::int32_t> w) { std::copy(w.begin(), w.end(), weights); };
  if (outerVoicesInOctaves(d))
    d < 24 ? set({0, 0, 0, 1000}) : set({0, 425, 425, 150});
  else
    d < 24 ? set({0, 0, 750, 250}) : set({375, 375, 125, 125});
  const int pick = weightedDraw(*ctx.random, weights, 4, 1000);
  return noteForPitch(ctx, bass + kOffsets[pick], 0);
}

// Seven places along the triad on the bass's first degree; the alto keeps
// only those above the tenor.
std::optional<LineNote> firstOfTenorOrAlto(GeneratorContext& ctx, bool alto) {
  const LineNote& bass = ctx.lowerFirst[static_cast<std::size_t>(voiceRole(ctx).partners[0])];
  const int d = linePitch(ctx, 0, 0) - bass.pitch;
  static constexpr std::int32_t kTenor[4][7]{{1000, 0, 0, 0, 0, 0, 0},
                                             {115, 350, 420, 115, 0, 0, 0},
                                             {200, 550, 250, 0, 0, 0, 0},
                                             {85, 290, 290, 85, 125, 125, 0}};
  static constexpr std::int32_t kAlto[4][7]{{0, 1000, 0, 0, 0, 0, 0},
                                            {0, 150, 420, 115, 315, 0, 0},
                                            {0, 235, 560, 205, 0, 0, 0},
                                            {0, 115, 100, 35, 300, 350, 100}};
  const int row = outerVoicesInOctaves(d) ? (d < 24 ? 0 : 1) : (d < 24 ? 2 : 3);
  std::int32_t weights[7];
  std::array<LineNote, 7> places;
  std::int32_t total = 0;
  const int tenor = linePitch(ctx, 2, 0);
  for (int k = 1; k <= 7; ++k) {
    LineNote& n = places[static_cast<std::size_t>(k - 1)];
    n = stepFrom(ctx, bass, 2 * (k % 3) + 7 * (k / 3), 0);
    weights[k - 1] = (alto ? kAlto : kTenor)[row][k - 1];
    if (alto && n.pitch <= tenor) weights[k - 1] = 0;
    total += weights[k - 1];
  }
  if (total == 0) return std::nullopt;
  return places[static_cast<std::size_t>(weightedDraw(*ctx.random, weights, 7, total))];
}

}  // namespace

std::optional<LineNote> chooseFirstNote(GeneratorContext& ctx) {
  const int melodyFirst = linePitch(ctx, 0, 0);
  const int code = degreeCode(melodyFirst, ctx.keyNote);
  if (ctx.flags & kSecondOfTwo) return firstOfSecondVoice(ctx, code);
  if (ctx.flags & (kBassOfThree | kBassOfFour)) return firstOfBass(ctx, code, melodyFirst);
  if (ctx.flags & kMiddleOfThree) return firstOfMiddleVoice(ctx);
  return firstOfTenorOrAlto(ctx, (ctx.flags & kAltoOfFour) != 0);
}

namespace {

// ---- inner cadence -------------------------------------------------------

int againstLeap(int move) { return move > 0 ? -1 : 1; }

std::optional<int> tenorCadence(GeneratorContext& ctx, int code, int move) {
  const auto freeStep = [&](int upPerThousand) {
    if (std::abs(move) >= 5) return againstLeap(move);
    return ctx.random->r1000() < upPerThousand ? 1 : -1;
  };
  switch (ctx.endingFormula) {
    case 1: if (code == 7) return freeStep(500); if (code == 3) return 1; break;
    case 2: if (code == 3) return freeStep(200); if (code == 8) return 0; break;
    case 4: if (code == 12 || code == 3) return 1; break;
    case 8: if (code == 3) return 1; if (code == 8) return 0; break;
    case 16: if (code == 3 || code == 7 || code == 12) return 1; break;
    case 32: if (code == 12) return 1; if (code == 3) return -1; break;
    case 64: if (code == 7) return freeStep(200); if (code == 0) return 0; break;
    case 128: if (code == 3) return 1; if (code == 7) return -1; break;
    default: break;
  }
  return std::nullopt;
}

std::optional<int> altoCadence(GeneratorContext& ctx, int code) {
  const int tenorCode = ctx.tenorPenultimateCode;
  const auto randomStep = [&] { return ctx.random->r1000() < 500 ? 1 : -1; };
  const auto opposite = [&] { return ctx.tenorCadenceStep != 0 ? -ctx.tenorCadenceStep : randomStep(); };
  const bool differs = code != tenorCode;
  switch (ctx.endingFormula) {
    case 1: if (code == 7) return opposite(); if (code == 3) return 1; break;
    case 2: if (code == 3) return opposite(); if (code == 8) return 0; break;
    case 4: if (!differs) break; if (code == 12 || code == 3) return 1; if (code == 8) return 0; break;
    case 8: if (code == 8) return 0; break;
    case 16: if (differs && (code == 3 || code == 7 || code == 12)) return 1; break;
    case 32: if (!differs) break; if (code == 12) return 1; if (code == 3) return -1; if (code == 8) return 0; break;
    case 64: if (code == 7) return differs ? opposite() : randomStep(); if (code == 0 && differs) return 0; break;
    case 128: if (!differs) break; if (code == 3) return 1; if (code == 7) return -1; break;
    default: break;
  }
  return std::nullopt;
}

bool cadenceAllows(GeneratorContext& ctx) {
  const LineNote& c = ctx.candidate;
  std::optional<int> step;
  if (ctx.flags & kAltoOfFour) {
    const int bassPenultimate = linePitch(ctx, voiceRole(ctx).partners[0], c.beat);
    if (bassPenultimate > 0 && c.pitch - bassPenultimate < 3) return false;
    step = altoCadence(ctx, c.degreeCode);
  } else {
    step = tenorCadence(ctx, c.degreeCode, c.pitch - ctx.current.pitch);
  }
  if (!step) return false;
  ctx.pendingCadenceStep = *step;
  return true;
}

// ---- the search plan of a lower voice --------------------------------------

bool fixedEnding(const GeneratorContext& ctx) { return !inCounterMode(ctx); }

int lowerForcedCandidates(GeneratorContext& ctx, int beat, std::array<LineNote, 2>& out) {
  if (!fixedEnding(ctx)) return 0;
  const int last = lastBeat(ctx);
  if (isOuter(ctx)) {
    if (beat == last - 1) {
      if (++ctx.penultimateArrivals > 1) return -1;
      out[0] = ctx.voicePenultimate;
      return 1;
    }
    if (beat == last) {
      out[0] = ctx.voiceEnding;
      return 1;
    }
    return 0;
  }
  if (beat != last) return 0;
  out[0] = stepFrom(ctx, ctx.current, ctx.cadenceStep, beat);
  return 1;
}

Verdict combine(Verdict a, Verdict b) {
  if (a != Verdict::kAccept && a != Verdict::kRejectSoft) return a;
  if (b != Verdict::kAccept && b != Verdict::kRejectSoft) return b;
  return (a == Verdict::kRejectSoft || b == Verdict::kRejectSoft) ? Verdict::kRejectSoft : Verdict::kAccept;
}

// The first note of a later segment follows the note the previous
// segment ended on: no tritone leap, no parallel fifths or octaves.
bool fitsSegmentSeam(const GeneratorContext& ctx) {
  const LineNote& c = ctx.candidate;
  const int previous = linePitch(ctx, voiceRole(ctx).line, c.beat - 1);
  if (c.beat != ctx.searchStartBeat + 1 || previous <= 0) return true;
  if (!leapAllowed(ctx, previous, c.pitch)) return false;
  const int top = linePitch(ctx, 0, c.beat);
  const int topBefore = linePitch(ctx, 0, c.beat - 1);
  if (top <= 0 || topBefore <= 0) return true;
  const auto perfect = [](int d) { return d % 12 == 0 || d % 12 == 7; };
  const int move = c.pitch - previous;
  const int topMove = top - topBefore;
  const bool similar = (move > 0 && topMove > 0) || (move < 0 && topMove < 0);
  return !(similar && perfect(std::abs(top - c.pitch)) && perfect(std::abs(topBefore - previous)));
}

// Most candidates fail the vertical rules of their own beat, which cost
// little; testing those first gives the same verdicts as the full order.
// Not on the inner cadence's beat, whose test draws from the generator
// before the vertical rules.
bool failsPlaceFirst(GeneratorContext& ctx) {
  if (!fixedEnding(ctx)) return false;
  if (isOuter(ctx)) return !outerPlaceFits(ctx);
  return ctx.candidate.beat != lastBeat(ctx) - 1 && !innerPlaceFits(ctx);
}

Verdict testLowerCandidate(GeneratorContext& ctx) {
  const LineNote& c = ctx.candidate;
  // The outer voices' last notes are set by the cadence; only their
  // approach is checked.
  if (fixedEnding(ctx) && isOuter(ctx) && c.beat == lastBeat(ctx)) {
    if (!leapAllowed(ctx, ctx.current.pitch, c.pitch)) return Verdict::kRejectHard;
    ctx.candidate.motionClass = motionClassOf(c.pitch - ctx.current.pitch);
    return Verdict::kAccept;
  }
  if (failsPlaceFirst(ctx)) return Verdict::kRejectHard;
  const Verdict melodic = testMelodicRules(ctx);
  if (melodic != Verdict::kAccept && melodic != Verdict::kRejectSoft) return melodic;
  if (fixedEnding(ctx) && isInnerRole(ctx) && c.beat == lastBeat(ctx) - 1 && !cadenceAllows(ctx))
    return Verdict::kRejectHard;
  const Verdict vertical = isOuter(ctx) ? testOuterVertical(ctx) : testInnerVertical(ctx);
  // Checked last: the vertical rules may still move the candidate.
  if (inCounterMode(ctx) && (!fitsSegmentSeam(ctx) || ctx.candidate.pitch < ctx.lowestPitch))
    return Verdict::kRejectHard;
  return combine(melodic, vertical);
}

void afterLowerCommit(GeneratorContext& ctx) {
  if (!fixedEnding(ctx) || !isInnerRole(ctx) || ctx.current.beat != lastBeat(ctx) - 1) return;
  ctx.cadenceStep = ctx.pendingCadenceStep;
  if (ctx.flags & kTenorOfFour) {
    ctx.tenorCadenceStep = ctx.cadenceStep;
    ctx.tenorPenultimateCode = ctx.current.degreeCode;
  }
}

bool loweringAllowedForLowerVoice(const GeneratorContext& ctx, int beat, int lowered) {
  return loweredNoteConsonant(ctx, beat, lowered);
}

constexpr SearchPlan kLowerPlan{lowerForcedCandidates, testLowerCandidate, afterLowerCommit,
                                loweringAllowedForLowerVoice, true, LookAhead::kFixedEnding};

// ---- attempts ------------------------------------------------------------

void takeRole(GeneratorContext& ctx, std::uint32_t role) {
  ctx.flags = (ctx.flags & ~kRoleFlags) | role;
  ctx.target = ctx.lines[static_cast<std::size_t>(voiceRole(ctx).line)];
  ctx.plan = kLowerPlan;
  ctx.phase = kPhaseLower;
  ctx.lineFirstBeat = 0;
  ctx.peakBeat = -1;
}

int normalAttempt(GeneratorContext& ctx) {
  resetAttempt(ctx, 0);
  ctx.endBeat = ctx.lineLength;
  if (isOuter(ctx)) fixOuterEnding(ctx);
  std::optional<LineNote> first = chooseFirstNote(ctx);
  if (!first || !firstNoteFits(ctx, *first)) return kSearchFailed;
  first->beat = 0;
  first->motionClass = kStartOfLowerVoice;
  countFirstIntervals(ctx, *first);
  ctx.lowerFirst[static_cast<std::size_t>(voiceRole(ctx).line)] = *first;
  placeBaseNote(ctx, *first, true);
  return runSearch(ctx);
}

// Counter mode starts each segment from the key note, placed by octaves just
// inside the voice's distance below the top voice where the segment begins:
// placed by the song's first note instead, a melody that has moved an octave
// or more since leaves no candidate within reach at the seam.
LineNote counterStartNote(const GeneratorContext& ctx, int segmentStart) {
  int top = -1;
  for (int b = segmentStart; b < ctx.lineLength && top <= 0; ++b) top = linePitch(ctx, 0, b);
  const int gap = isOuter(ctx) ? outerBand(ctx).least + 2 : ((ctx.flags & kTenorOfFour) ? 8 : 4);
  const int pitch = top > 0 ? highestOfClassAtMost(ctx.keyNote, top - gap) : ctx.keyNote - 12;
  LineNote n = degreeNote(ctx, 0, pitch - ctx.keyNote, -1);
  n.motionClass = kStartOfLowerVoice;
  return n;
}

// Rebuilds the committed notes before a later segment from the line.
void rebuildNotesBefore(GeneratorContext& ctx, int segmentStart) {
  const VoiceLine& line = *ctx.target;
  for (int b = 0; b < segmentStart; ++b) {
    const int p = line[static_cast<std::size_t>(b)];
    LineNote n = p > 0 ? noteForPitch(ctx, p, b) : LineNote{};
    if (p > 0 && b > 0 && line[static_cast<std::size_t>(b - 1)] > 0)
      n.motionClass = motionClassOf(p - line[static_cast<std::size_t>(b - 1)]);
    else if (p > 0)
      n.motionClass = kStartOfLowerVoice;
    if (p > 0) countFirstIntervals(ctx, n);
    ctx.notes[static_cast<std::size_t>(b)] = n;
  }
}

int counterAttempt(GeneratorContext& ctx) {
  const int segmentStart = kSegmentBeats * (ctx.segment - 1);
  if (segmentStart >= ctx.lineLength) return kSearchFailed;
  resetAttempt(ctx, segmentStart);
  rebuildNotesBefore(ctx, segmentStart);
  ctx.endBeat = std::min(ctx.lineLength, kSegmentBeats * ctx.segment);
  // Every segment draws from the key note; the run counters and the rules
  // at the seam still see the note the previous segment ended on.
  LineNote base = counterStartNote(ctx, segmentStart);
  base.beat = segmentStart - 1;
  if (segmentStart > 0) {
    const LineNote& previous = ctx.notes[static_cast<std::size_t>(segmentStart - 1)];
    base.intervalRuns = previous.intervalRuns;
    base.perfectCount = previous.perfectCount;
  }
  placeBaseNote(ctx, base, false);
  return runSearch(ctx);
}

int generateLowerVoice(GeneratorContext& ctx, std::uint32_t role) {
  takeRole(ctx, role);
  if (ctx.lineLength < 2 || !holdsWholeRequest(ctx, ctx.target) || !holdsWholeRequest(ctx, ctx.lines[0]))
    return kSearchFailed;
  const int attempts = voiceRole(ctx).attempts;
  for (int a = 0; a < attempts; ++a) {
    if (isCancelled(ctx)) return kSearchCancelled;
    ++ctx.lowerAttempts;
    const int result = inCounterMode(ctx) ? counterAttempt(ctx) : normalAttempt(ctx);
    if (result == kSearchLineComplete) return kSearchSuccess;
    if (result == kSearchCancelled) return kSearchCancelled;
  }
  return kSearchFailed;
}

}  // namespace

int generateSecondVoice(GeneratorContext& ctx) { return generateLowerVoice(ctx, kSecondOfTwo); }

int generateBass(GeneratorContext& ctx) {
  return generateLowerVoice(ctx, effectiveVoices(ctx) == 3 ? kBassOfThree : kBassOfFour);
}

int generateMiddleVoice(GeneratorContext& ctx) { return generateLowerVoice(ctx, kMiddleOfThree); }
int generateTenor(GeneratorContext& ctx) { return generateLowerVoice(ctx, kTenorOfFour); }
int generateAlto(GeneratorContext& ctx) { return generateLowerVoice(ctx, kAltoOfFour); }

}  // namespace quorvel
