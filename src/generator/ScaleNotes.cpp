#include "generator/ScaleNotes.h"

#include "generator/ScaleTable.h"

namespace quorvel {

namespace {

int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// Scale index whose pitch is exactly `pitch`, or -1000 when it is no scale tone.
int exactScaleIndex(const GeneratorContext& ctx, int pitch) {
  const int offset = pitch - ctx.keyNote + scaleSemitones(ctx.tonicIndex);
  const int octave = floorDiv(offset, 12);
  for (int i = 7 * octave - 7; i <= 7 * octave + 21; ++i)
    if (scaleSemitones(i) == offset) return i;
  return -1000;
}

}  // namespace

LineNote degreeNote(const GeneratorContext& ctx, int degree, int semitoneShift, int beat) {
  LineNote n;
  n.beat = beat;
  n.scaleIndex = ctx.tonicIndex + degree + 7 * floorDiv(semitoneShift, 12);
  n.pitch = ctx.keyNote + scaleSemitones(ctx.tonicIndex + degree) - scaleSemitones(ctx.tonicIndex) + semitoneShift;
  n.degreeCode = degreeCode(n.pitch, ctx.keyNote);
  return n;
}

LineNote stepFrom(const GeneratorContext& ctx, const LineNote& from, int steps, int beat) {
  LineNote n;
  n.beat = beat;
  n.scaleIndex = from.scaleIndex + steps;
  n.pitch = movePitch(from.pitch, from.scaleIndex, n.scaleIndex) + (from.marker == kMarkerLowered ? 1 : 0);
  if (steps == 0) {
    n.pitch = from.pitch;
    n.marker = from.marker;
  }
  n.degreeCode = degreeCode(n.pitch, ctx.keyNote);
  return n;
}

LineNote noteForPitch(const GeneratorContext& ctx, int pitch, int beat) {
  LineNote n;
  n.beat = beat;
  n.pitch = pitch;
  n.degreeCode = degreeCode(pitch, ctx.keyNote);
  n.scaleIndex = exactScaleIndex(ctx, pitch);
  if (n.scaleIndex == -1000) {
    n.scaleIndex = exactScaleIndex(ctx, pitch + 1);
    n.marker = kMarkerLowered;
  }
  return n;
}

int highestOfClassAtMost(int pitch, int limit) {
  const int pitchClass = ((pitch % 12) + 12) % 12;
  const int limitClass = ((limit % 12) + 12) % 12;
  return limit - ((limitClass - pitchClass + 12) % 12);
}

}  // namespace quorvel
