#include "generator/VerticalRules.h"

#include <cstdlib>

#include "generator/MelodicRules.h"
#include "generator/ScaleNotes.h"
#include "generator/ScaleTable.h"

namespace quorvel {

namespace {

constexpr int kTopGroup = 0;  // group of the top voice for the second voice and bass

int sign(int v) { return (v > 0) - (v < 0); }

bool similarMotion(int a, int b) { return sign(a) != 0 && sign(a) == sign(b); }

void countInterval(LineNote& n, int group, IntervalRun kind) {
  const bool perfect = kind == kRunFifths || kind == kRunOctaves;
  for (int r = 0; r < kRunCount; ++r) {
    const auto run = static_cast<IntervalRun>(r);
    if (run != kind && !(perfect && run == kRunPerfect)) n.run(group, run) = 0;
  }
  ++n.run(group, kind);
  if (perfect) ++n.run(group, kRunPerfect);
}

IntervalRun kindOfInterval(int semitones) {
  switch (semitones % 12) {
    case 3: case 4: return kRunThirds;
    case 8: case 9: return kRunSixths;
    case 7: return kRunFifths;
    case 0: return kRunOctaves;
    default: return kRunFourths;
  }
}

bool isSecondOrSeventh(int i) { return i == 1 || i == 2 || i == 10 || i == 11; }

bool isLeadingTone(const GeneratorContext& ctx, const LineNote& n) {
  return n.degreeCode == modeInfo(ctx.modeIndex).leadingTone && n.marker == 0;
}

void lowerCandidate(GeneratorContext& ctx) {
  ctx.candidate.pitch -= 1;
  ctx.candidate.marker = kMarkerLowered;
  ctx.candidate.degreeCode = degreeCode(ctx.candidate.pitch, ctx.keyNote);
}

void moveByOctaves(GeneratorContext& ctx, int limit) {
  LineNote& c = ctx.candidate;
  const int moved = highestOfClassAtMost(c.pitch, limit);
  c.scaleIndex += 7 * ((moved - c.pitch) / 12);
  c.pitch = moved;
}

// Counter mode: a candidate outside the band after a big leap of the top
// voice is moved by octaves toward it.
bool repairOuterDistance(GeneratorContext& ctx, int top, int topPrevious) {
  if (!inCounterMode(ctx) || topPrevious <= 0 || std::abs(top - topPrevious) < 9) return false;
  const int n = effectiveVoices(ctx);
  int target;
  if (top > topPrevious)
    target = n == 2 ? top - 3 : top - 24;
  else
    target = n == 2 ? top - 1 : (n == 3 ? top - 7 : top - 12);
  moveByOctaves(ctx, target);
  return leapAllowed(ctx, ctx.current.pitch, ctx.candidate.pitch);
}

// Fifths and octaves against the top voice: no parallels, no similar
// approach, and not too many of them in the line.
Verdict outerPerfectRules(GeneratorContext& ctx, int move, int topMove, bool topKnown) {
  LineNote& c = ctx.candidate;
  if (topKnown && similarMotion(move, topMove)) return Verdict::kRejectHard;
  if (c.beat >= 6 && 3 * (ctx.current.perfectCount + 1) >= c.beat) return Verdict::kRejectHard;
  c.perfectCount = ctx.current.perfectCount + 1;
  return Verdict::kAccept;
}

enum class InnerOutcome { kAccept, kSoft, kHard, kLowerAndRetry };

InnerOutcome worse(InnerOutcome a, InnerOutcome b) { return static_cast<int>(a) > static_cast<int>(b) ? a : b; }

struct Partner {
  int group;
  int line;
  bool isBass, isTop;
};

// A fifth or octave of an inner voice with one partner.
InnerOutcome innerPerfectRules(const GeneratorContext& ctx, const Partner& p, IntervalRun kind, int move,
                               int partnerMove, bool partnerKnown) {
  const LineNote& cur = ctx.current;
  const bool similar = partnerKnown && similarMotion(move, partnerMove);
  if (cur.run(p.group, kRunPerfect) > 1) return InnerOutcome::kHard;
  const bool afterOctave = cur.run(p.group, kRunOctaves) > 0;
  const bool afterFifth = cur.run(p.group, kRunFifths) > 0;
  InnerOutcome out = InnerOutcome::kAccept;
  if (kind == kRunOctaves) {
    if (afterOctave) return InnerOutcome::kHard;
    if (afterFifth) out = similar ? InnerOutcome::kHard : InnerOutcome::kSoft;
  } else {
    if (afterFifth && similar) return InnerOutcome::kHard;
    if (afterOctave) out = similar ? InnerOutcome::kHard : InnerOutcome::kSoft;
  }
  if ((p.isBass || p.isTop) && similar && std::abs(move) >= 3 && std::abs(partnerMove) >= 3) {
    if (kind == kRunOctaves) return InnerOutcome::kHard;
    const int otherLine = p.isBass ? 0 : voiceRole(ctx).partners[0];
    const int otherNow = linePitch(ctx, otherLine, ctx.candidate.beat);
    const int otherBefore = linePitch(ctx, otherLine, ctx.candidate.beat - 1);
    const bool otherOpposite = otherNow > 0 && otherBefore > 0 && sign(otherNow - otherBefore) == -sign(move);
    if (!otherOpposite) return InnerOutcome::kHard;
  }
  return out;
}

InnerOutcome innerAgainstPartner(GeneratorContext& ctx, const Partner& p, bool allowLowering) {
  LineNote& c = ctx.candidate;
  const int b = c.beat;
  const int pitch = linePitch(ctx, p.line, b);
  if (pitch <= 0) return InnerOutcome::kAccept;
  const int previous = linePitch(ctx, p.line, b - 1);
  const bool partnerKnown = previous > 0;
  const int move = c.pitch - ctx.current.pitch;
  const int partnerMove = partnerKnown ? pitch - previous : 0;
  const int distance = std::abs(c.pitch - pitch);
  const int i = distance % 12;
  const LineNote& cur = ctx.current;
  InnerOutcome out = InnerOutcome::kAccept;
  if (isSecondOrSeventh(i)) return InnerOutcome::kHard;
  if (i == 5) {
    if (p.isBass) return InnerOutcome::kHard;
    const int run = cur.run(p.group, kRunFourths);
    if (run >= 3) return InnerOutcome::kHard;
    if (run == 2) out = InnerOutcome::kSoft;
    countInterval(c, p.group, kRunFourths);
  } else if (i == 3 || i == 4 || i == 8 || i == 9) {
    const IntervalRun kind = kindOfInterval(i);
    const int run = cur.run(p.group, kind);
    if (run >= 4) return InnerOutcome::kHard;
    if (run == 3) out = InnerOutcome::kSoft;
    countInterval(c, p.group, kind);
  } else if (i == 6) {
    const int bass = linePitch(ctx, voiceRole(ctx).partners[0], b);
    const bool fifthWithBass = bass > 0 && (c.pitch - bass) % 12 == 7;
    if (allowLowering && isLeadingTone(ctx, c) && std::abs(cur.pitch - (c.pitch - 1)) != 6 &&
        (p.isBass || !fifthWithBass))
      return InnerOutcome::kLowerAndRetry;
    out = InnerOutcome::kSoft;
    countInterval(c, p.group, kRunFourths);
  } else {
    const IntervalRun kind = i == 0 ? kRunOctaves : kRunFifths;
    if (i == 0) {
      const int top = linePitch(ctx, 0, b);
      if (p.isBass && top > 0 && (top - pitch) % 12 == 0) return InnerOutcome::kHard;
      if (distance == 0) {
        if (p.isTop) return InnerOutcome::kHard;
        out = inCounterMode(ctx) ? InnerOutcome::kSoft : InnerOutcome::kHard;
        if (out == InnerOutcome::kHard) return out;
      }
    }
    out = worse(out, innerPerfectRules(ctx, p, kind, move, partnerMove, partnerKnown));
    if (out == InnerOutcome::kHard) return out;
    countInterval(c, p.group, kind);
  }
  if (!inCounterMode(ctx) && partnerKnown && std::abs(move) > 4 && std::abs(partnerMove) > 4 &&
      similarMotion(move, partnerMove))
    out = worse(out, InnerOutcome::kSoft);
  return out;
}

InnerOutcome innerIntervals(GeneratorContext& ctx, bool allowLowering) {
  const VoiceRole role = voiceRole(ctx);
  ctx.candidate.intervalRuns = ctx.current.intervalRuns;
  InnerOutcome out = InnerOutcome::kAccept;
  for (int g = 0; g < 3; ++g) {
    const int line = role.partners[static_cast<std::size_t>(g)];
    if (line < 0) continue;
    const Partner p{g, line, g == 0, g == 1};
    out = worse(out, innerAgainstPartner(ctx, p, allowLowering));
    if (out == InnerOutcome::kHard || out == InnerOutcome::kLowerAndRetry) return out;
  }
  return out;
}

// Inner voices keep their distance to the voices above and below.
bool innerDistanceFits(GeneratorContext& ctx) {
  const VoiceRole role = voiceRole(ctx);
  const int b = ctx.candidate.beat;
  const int above = linePitch(ctx, 0, b);
  const int gapAbove = (ctx.flags & kTenorOfFour) ? 7 : 3;
  const int belowLine = (ctx.flags & kAltoOfFour) ? role.partners[2] : role.partners[0];
  const int below = linePitch(ctx, belowLine, b);
  const auto fits = [&] {
    const int c = ctx.candidate.pitch;
    return (above <= 0 || above - c >= gapAbove) && (below <= 0 || c - below >= 3);
  };
  if (fits()) return true;
  if (!inCounterMode(ctx) || above <= 0) return false;
  moveByOctaves(ctx, above - gapAbove);
  return fits() && leapAllowed(ctx, ctx.current.pitch, ctx.candidate.pitch);
}

bool withinOwnRange(const GeneratorContext& ctx, int reference) {
  const int c = ctx.candidate.pitch;
  return c >= reference - 7 && c <= reference + 12;
}

// An outer voice `d` semitones under the top voice: inside its band, and no
// second, seventh or fourth.
bool outerDistanceFits(const GeneratorContext& ctx, int d) {
  const DistanceBand band = outerBand(ctx);
  const int i = d % 12;
  return d >= band.least && d < band.below && !isSecondOrSeventh(i) && i != 5;
}

// An inner voice's pitch at a beat against every partner sounding there: no
// unison, second or seventh, and no fourth above the bass.
bool innerClassesFit(const GeneratorContext& ctx, int pitch, int beat) {
  const VoiceRole role = voiceRole(ctx);
  for (int g = 0; g < 3; ++g) {
    const int p = linePitch(ctx, role.partners[static_cast<std::size_t>(g)], beat);
    if (p <= 0) continue;
    const int distance = std::abs(pitch - p);
    if (distance == 0 || isSecondOrSeventh(distance % 12) || (g == 0 && distance % 12 == 5)) return false;
  }
  return true;
}

}  // namespace

bool outerPlaceFits(const GeneratorContext& ctx) {
  const LineNote& c = ctx.candidate;
  const int top = linePitch(ctx, 0, c.beat);
  if (top <= 0) return true;
  return outerDistanceFits(ctx, top - c.pitch) && withinOwnRange(ctx, ctx.voiceEnding.pitch);
}

bool innerPlaceFits(GeneratorContext& ctx) {
  const VoiceRole role = voiceRole(ctx);
  if (!withinOwnRange(ctx, ctx.lowerFirst[static_cast<std::size_t>(role.line)].pitch) || !innerDistanceFits(ctx))
    return false;
  const LineNote& c = ctx.candidate;
  if (isLeadingTone(ctx, c)) return true;  // lowered, it sounds other intervals
  return innerClassesFit(ctx, c.pitch, c.beat);
}

DistanceBand outerBand(const GeneratorContext& ctx) {
  switch (effectiveVoices(ctx)) {
    case 2: return {3, 22};
    case 3: return {7, 36};
    default: return {12, 36};
  }
}

Verdict testOuterVertical(GeneratorContext& ctx) {
  LineNote& c = ctx.candidate;
  const int b = c.beat;
  const int top = linePitch(ctx, 0, b);
  if (top <= 0) return Verdict::kAccept;
  const int topPrevious = linePitch(ctx, 0, b - 1);
  const DistanceBand band = outerBand(ctx);
  int d = top - c.pitch;
  if (d < band.least || d >= band.below) {
    if (!repairOuterDistance(ctx, top, topPrevious)) return Verdict::kRejectHard;
    d = top - c.pitch;
  }
  if (!inCounterMode(ctx) && !withinOwnRange(ctx, ctx.voiceEnding.pitch))
    return Verdict::kRejectHard;

  const LineNote& cur = ctx.current;
  const int perfectRun = cur.run(kTopGroup, kRunPerfect);
  bool soft = false;
  bool perfect = false;
  const int i = ((d % 12) + 12) % 12;
  switch (i) {
    case 0:
      if (d == 0 || cur.run(kTopGroup, kRunOctaves) > 0 || perfectRun > 1) return Verdict::kRejectHard;
      soft = perfectRun > 0;
      countInterval(c, kTopGroup, kRunOctaves);
      perfect = true;
      break;
    case 3: case 4: case 8: case 9: {
      const IntervalRun kind = kindOfInterval(i);
      const int run = cur.run(kTopGroup, kind);
      if (run > 2 || (run == 2 && ctx.random->r1000() >= 50)) return Verdict::kRejectHard;
      countInterval(c, kTopGroup, kind);
      break;
    }
    case 7:
    case 6:
      if (cur.run(kTopGroup, kRunFifths) > 0 || perfectRun > 1) return Verdict::kRejectHard;
      if (i == 6) {
        if (!isLeadingTone(ctx, c) || std::abs(cur.pitch - (c.pitch - 1)) == 6) return Verdict::kRejectHard;
        lowerCandidate(ctx);
        if (!leapAllowed(ctx, cur.pitch, c.pitch)) return Verdict::kRejectHard;
      }
      soft = perfectRun == 1;
      countInterval(c, kTopGroup, kRunFifths);
      perfect = true;
      break;
    default:
      return Verdict::kRejectHard;
  }
  const int move = c.pitch - cur.pitch;
  const int topMove = topPrevious > 0 ? top - topPrevious : 0;
  if (perfect && outerPerfectRules(ctx, move, topMove, topPrevious > 0) == Verdict::kRejectHard)
    return Verdict::kRejectHard;
  if (!inCounterMode(ctx) && std::abs(topMove) >= 5 && similarMotion(move, topMove) && std::abs(move) > 4)
    return Verdict::kRejectHard;
  return soft ? Verdict::kRejectSoft : Verdict::kAccept;
}

Verdict testInnerVertical(GeneratorContext& ctx) {
  const VoiceRole role = voiceRole(ctx);
  if (!inCounterMode(ctx) && !withinOwnRange(ctx, ctx.lowerFirst[static_cast<std::size_t>(role.line)].pitch))
    return Verdict::kRejectHard;
  if (!innerDistanceFits(ctx)) return Verdict::kRejectHard;
  InnerOutcome out = innerIntervals(ctx, true);
  if (out == InnerOutcome::kLowerAndRetry) {
    lowerCandidate(ctx);
    if (!leapAllowed(ctx, ctx.current.pitch, ctx.candidate.pitch) || !innerDistanceFits(ctx))
      return Verdict::kRejectHard;
    out = innerIntervals(ctx, false);
  }
  switch (out) {
    case InnerOutcome::kAccept: return Verdict::kAccept;
    case InnerOutcome::kSoft: return Verdict::kRejectSoft;
    default: return Verdict::kRejectHard;
  }
}

bool firstNoteFits(const GeneratorContext& ctx, const LineNote& note) {
  const VoiceRole role = voiceRole(ctx);
  const int top = linePitch(ctx, 0, 0);
  if (note.pitch <= 0 || top <= 0) return note.pitch > 0;
  if (!isInnerRole(ctx)) {
    const int d = top - note.pitch;
    return outerDistanceFits(ctx, d) && d % 12 != 6;
  }
  if (!innerClassesFit(ctx, note.pitch, 0)) return false;
  const int gapAbove = (ctx.flags & kTenorOfFour) ? 7 : 3;
  const int belowLine = (ctx.flags & kAltoOfFour) ? role.partners[2] : role.partners[0];
  const int below = linePitch(ctx, belowLine, 0);
  return top - note.pitch >= gapAbove && (below <= 0 || note.pitch - below >= 3);
}

void countFirstIntervals(const GeneratorContext& ctx, LineNote& note) {
  const VoiceRole role = voiceRole(ctx);
  note.intervalRuns.fill(0);
  note.perfectCount = 0;
  for (int g = 0; g < 3; ++g) {
    const int p = linePitch(ctx, role.partners[static_cast<std::size_t>(g)], note.beat);
    if (p <= 0) continue;
    const IntervalRun kind = kindOfInterval(std::abs(note.pitch - p));
    countInterval(note, g, kind);
    if (g == 0 && !isInnerRole(ctx) && (kind == kRunFifths || kind == kRunOctaves)) ++note.perfectCount;
  }
}

bool loweredNoteConsonant(const GeneratorContext& ctx, int beat, int loweredPitch) {
  // Every voice already written at that beat, not only the partners: a
  // bass note lowered in a later segment also sounds against inner voices.
  const int own = voiceRole(ctx).line;
  for (int line = 0; line < 4; ++line) {
    if (line == own) continue;
    const int p = linePitch(ctx, line, beat);
    if (p <= 0) continue;
    const int i = std::abs(loweredPitch - p) % 12;
    if (i != 3 && i != 4 && i != 8 && i != 9) return false;
  }
  const int top = linePitch(ctx, 0, beat);
  return top <= 0 || loweredPitch < top;
}

}  // namespace quorvel
