// The lower voices that answer notes played live: one beat of search per
// voice over a four-beat window, with fallbacks so that every played note
// gets an answer.
#include <cstdlib>
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

constexpr int kNewest = kRealtimeWindow - 1;

int sign(int v) { return (v > 0) - (v < 0); }

// Where a note outside its band is moved by octaves: not above the played
// note minus `nearGap`, or minus `farGap` when it lay too far below.
struct OctaveTargets {
  int nearGap;
  int farGap;
};

OctaveTargets octaveTargets(const GeneratorContext& ctx) {
  switch (effectiveVoices(ctx)) {
    case 2: return {3, 9};
    case 3: return {7, 24};
    default: return {12, 24};
  }
}

// The first note keeps closer to the played note than the later search.
DistanceBand firstNoteBand(const GeneratorContext& ctx) {
  const DistanceBand band = outerBand(ctx);
  return {band.least, effectiveVoices(ctx) == 2 ? band.below : 25};
}

bool inBand(const DistanceBand& band, int d) { return d >= band.least && d < band.below; }

int placeInBand(const GeneratorContext& ctx, int pitch, int top, const DistanceBand& band) {
  if (inBand(band, top - pitch)) return pitch;
  const OctaveTargets t = octaveTargets(ctx);
  if (top - pitch >= band.below) {
    const int moved = highestOfClassAtMost(pitch, top - t.farGap);
    if (inBand(band, top - moved)) return moved;
  }
  return highestOfClassAtMost(pitch, top - t.nearGap);
}

int gapBelowTop(const GeneratorContext& ctx) { return (ctx.flags & kTenorOfFour) ? 7 : 3; }

// An inner voice sounds at least its gap below the played note.
int placeUnderTop(const GeneratorContext& ctx, int pitch, int top) {
  const int highest = top - gapBelowTop(ctx);
  return pitch <= highest ? pitch : highestOfClassAtMost(pitch, highest);
}

void moveNoteTo(LineNote& n, int pitch) {
  n.scaleIndex += 7 * ((pitch - n.pitch) / 12);
  n.pitch = pitch;
}

bool harshInterval(int distance) {
  const int i = distance % 12;
  return i == 1 || i == 2 || i == 6 || i == 10 || i == 11;
}

// Whether a pitch sounds acceptably at a beat against every voice already
// there: used for notes that are placed rather than searched.
bool fitsAtBeat(const GeneratorContext& ctx, int pitch, int beat, const DistanceBand& outer) {
  const int top = linePitch(ctx, 0, beat);
  if (pitch <= 0 || top <= 0) return false;
  if (!isInnerRole(ctx)) {
    const int d = top - pitch;
    return inBand(outer, d) && !harshInterval(d) && d % 12 != 5;
  }
  const VoiceRole role = voiceRole(ctx);
  const int belowLine = (ctx.flags & kAltoOfFour) ? role.partners[2] : role.partners[0];
  const int below = linePitch(ctx, belowLine, beat);
  if (top - pitch < gapBelowTop(ctx) || (below > 0 && pitch - below < 3)) return false;
  const int bass = linePitch(ctx, role.partners[0], beat);
  const bool outerOctaves = bass > 0 && (top - bass) % 12 == 0;
  for (int g = 0; g < 3; ++g) {
    const int p = linePitch(ctx, role.partners[static_cast<std::size_t>(g)], beat);
    if (p <= 0) continue;
    const int distance = std::abs(pitch - p);
    if (distance == 0 || harshInterval(distance)) return false;
    if (g == 0 && (distance % 12 == 5 || (outerOctaves && distance % 12 == 0))) return false;
  }
  return true;
}

// The highest scale tone below the top voice that fits at the beat.
std::optional<LineNote> scanForFit(const GeneratorContext& ctx, int beat, const DistanceBand& outer) {
  const int top = linePitch(ctx, 0, beat);
  for (int pitch = top - 1; pitch > top - 36 && pitch > 0; --pitch) {
    LineNote n = noteForPitch(ctx, pitch, beat);
    if (n.marker == 0 && fitsAtBeat(ctx, pitch, beat, outer)) return n;
  }
  return std::nullopt;
}

Verdict combine(Verdict a, Verdict b) {
  if (a != Verdict::kAccept && a != Verdict::kRejectSoft) return a;
  if (b != Verdict::kAccept && b != Verdict::kRejectSoft) return b;
  return (a == Verdict::kRejectSoft || b == Verdict::kRejectSoft) ? Verdict::kRejectSoft : Verdict::kAccept;
}

bool passes(Verdict v) { return v == Verdict::kAccept || v == Verdict::kRejectSoft; }

// A leap of more than 4 semitones in the same direction as a leap of 5 or
// more in a partner voice.
bool leapsWithPartner(const GeneratorContext& ctx, int move) {
  if (std::abs(move) <= 4) return false;
  const int beat = ctx.candidate.beat;
  for (int line : voiceRole(ctx).partners) {
    const int now = linePitch(ctx, line, beat);
    const int before = linePitch(ctx, line, beat - 1);
    if (now <= 0 || before <= 0) continue;
    const int partnerMove = now - before;
    if (std::abs(partnerMove) >= 5 && sign(partnerMove) == sign(move)) return true;
  }
  return false;
}

Verdict testRealtimeCandidate(GeneratorContext& ctx) {
  const Verdict melodic = testMelodicRules(ctx);
  if (!passes(melodic)) return melodic;
  LineNote& c = ctx.candidate;
  if (!isInnerRole(ctx)) moveNoteTo(c, placeInBand(ctx, c.pitch, linePitch(ctx, 0, c.beat), outerBand(ctx)));
  const Verdict vertical = isInnerRole(ctx) ? testInnerVertical(ctx) : testOuterVertical(ctx);
  if (!passes(vertical)) return vertical;
  const int move = c.pitch - ctx.current.pitch;
  c.motionClass = motionClassOf(move);
  if (ctx.realtimeFirstVertical.pitch <= 0) ctx.realtimeFirstVertical = c;
  // Octave moves may have widened the step; the voice must stay singable.
  if (std::abs(move) == 6 || std::abs(move) >= 9) return Verdict::kRejectHard;
  if (leapsWithPartner(ctx, move)) return isInnerRole(ctx) ? Verdict::kRejectSoft : Verdict::kRejectHard;
  return combine(melodic, vertical);
}

// Notes already sounded cannot be changed, so no mend may lower them.
bool noLowering(const GeneratorContext&, int, int) { return false; }

constexpr SearchPlan kRealtimePlan{nullptr, testRealtimeCandidate, nullptr, noLowering, true};

std::uint32_t roleAt(int voices, int order) {
  static constexpr std::uint32_t kTwo[1]{kSecondOfTwo};
  static constexpr std::uint32_t kThree[2]{kBassOfThree, kMiddleOfThree};
  static constexpr std::uint32_t kFour[3]{kBassOfFour, kTenorOfFour, kAltoOfFour};
  if (voices == 2) return kTwo[order];
  return voices == 3 ? kThree[order] : kFour[order];
}

// Real-time voices follow the player's line the way counter lines follow
// a given melody: distances are repaired by octaves, no ending is fixed.
void takeRealtimeRole(GeneratorContext& ctx, std::uint32_t role) {
  ctx.flags = (ctx.flags & ~kRoleFlags) | role | kCounterMode;
  ctx.target = ctx.lines[static_cast<std::size_t>(voiceRole(ctx).line)];
  ctx.plan = kRealtimePlan;
  ctx.phase = kPhaseLower;
  ctx.lineFirstBeat = -1;
  ctx.peakBeat = -1;
}

bool usableWindow(const GeneratorContext& ctx) {
  const int n = effectiveVoices(ctx);
  if (n < 2 || n > 4) return false;
  for (int l = 0; l < n; ++l) {
    const VoiceLine* line = ctx.lines[static_cast<std::size_t>(l)];
    if (!line || line->size() < static_cast<std::size_t>(kRealtimeWindow)) return false;
  }
  return true;
}

VoiceLine& lineAt(GeneratorContext& ctx, int l) { return *ctx.lines[static_cast<std::size_t>(l)]; }

// Placed or held notes start their run counters afresh; a searched
// candidate keeps the ones its test counted.
void storeNewest(GeneratorContext& ctx, int l, LineNote note, bool recount) {
  note.beat = kNewest;
  if (recount && note.pitch > 0) countFirstIntervals(ctx, note);
  lineAt(ctx, l)[kNewest] = note.pitch;
  ctx.realtimeNotes[static_cast<std::size_t>(l)] = note;
}

// ---- the first played note ------------------------------------------------

std::optional<LineNote> placedFirstNote(GeneratorContext& ctx, int played) {
  std::optional<LineNote> first = chooseFirstNote(ctx);
  if (!first) return std::nullopt;
  moveNoteTo(*first, isInnerRole(ctx) ? placeUnderTop(ctx, first->pitch, played)
                                      : placeInBand(ctx, first->pitch, played, firstNoteBand(ctx)));
  first->degreeCode = degreeCode(first->pitch, ctx.keyNote);
  if (!fitsAtBeat(ctx, first->pitch, 0, firstNoteBand(ctx))) return std::nullopt;
  return first;
}

bool startVoice(GeneratorContext& ctx, std::uint32_t role, int played) {
  takeRealtimeRole(ctx, role);
  const int l = voiceRole(ctx).line;
  if (!isInnerRole(ctx)) ctx.voiceEnding = degreeNote(ctx, 0, -12, 1);  // the bass's last pitch
  std::optional<LineNote> first = placedFirstNote(ctx, played);
  if (!first) first = scanForFit(ctx, 0, firstNoteBand(ctx));
  LineNote note = first.value_or(LineNote{});
  note.beat = 0;
  note.motionClass = kStartOfLowerVoice;
  VoiceLine& line = lineAt(ctx, l);
  line[0] = line[1] = note.pitch;
  if (note.pitch > 0) countFirstIntervals(ctx, note);
  ctx.lowerFirst[static_cast<std::size_t>(l)] = note;
  storeNewest(ctx, l, note, true);
  return first.has_value();
}

// ---- every further note ----------------------------------------------------

void shiftLowerLines(GeneratorContext& ctx) {
  for (int l = 1; l < effectiveVoices(ctx); ++l) {
    VoiceLine& line = lineAt(ctx, l);
    for (int b = 0; b < kNewest; ++b) line[static_cast<std::size_t>(b)] = line[static_cast<std::size_t>(b + 1)];
    line[kNewest] = -1;
  }
}

// The committed notes the rules look back on, rebuilt from the window;
// the newest keeps its run counters.
void rebuildWindowNotes(GeneratorContext& ctx, const LineNote& previous) {
  const VoiceLine& line = *ctx.target;
  for (int b = 0; b < kNewest - 1; ++b) {
    const int p = line[static_cast<std::size_t>(b)];
    LineNote n = p > 0 ? noteForPitch(ctx, p, b) : LineNote{};
    const int before = b > 0 ? line[static_cast<std::size_t>(b - 1)] : -1;
    if (p > 0) n.motionClass = before > 0 ? motionClassOf(p - before) : kStartOfLowerVoice;
    ctx.notes[static_cast<std::size_t>(b)] = n;
  }
  ctx.notes[kNewest - 1] = previous;
}

// No candidate sounded right: keep the previous pitch, an inner voice
// lifted by octaves when it has sunk far below the played note.
LineNote heldNote(const GeneratorContext& ctx, const LineNote& previous, int played) {
  LineNote held = previous;
  if (isInnerRole(ctx)) {
    // The alto may rise two octaves, else one like the other inner voices.
    const int lifts[2]{(ctx.flags & kAltoOfFour) ? 24 : 12, 12};
    for (int lift : lifts) {
      const bool sunk = played - previous.pitch >= lift;
      if (sunk && previous.pitch + lift <= played - gapBelowTop(ctx)) {
        moveNoteTo(held, previous.pitch + lift);
        break;
      }
    }
  }
  held.motionClass = motionClassOf(held.pitch - previous.pitch);
  held.degreeCode = degreeCode(held.pitch, ctx.keyNote);
  return held;
}

// 1: the voice found a note obeying its rules; 0: it fell back; or kSearchCancelled.
int nextVoiceBeat(GeneratorContext& ctx, std::uint32_t role) {
  takeRealtimeRole(ctx, role);
  const int l = voiceRole(ctx).line;
  LineNote previous = ctx.realtimeNotes[static_cast<std::size_t>(l)];
  previous.beat = kNewest - 1;
  if (previous.pitch <= 0) {
    const std::optional<LineNote> placed = scanForFit(ctx, kNewest, outerBand(ctx));
    LineNote note = placed.value_or(LineNote{});
    note.motionClass = kStartOfLowerVoice;
    storeNewest(ctx, l, note, true);
    return placed ? 1 : 0;
  }
  resetAttempt(ctx, kNewest);
  rebuildWindowNotes(ctx, previous);
  ctx.endBeat = kRealtimeWindow;
  ctx.realtimeFirstVertical = LineNote{};
  placeBaseNote(ctx, previous, false);
  const int result = runSearch(ctx);
  if (result == kSearchCancelled) return kSearchCancelled;
  if (result == kSearchLineComplete) {
    ctx.realtimeNotes[static_cast<std::size_t>(l)] = ctx.current;
    return 1;
  }
  const bool vertical = ctx.realtimeFirstVertical.pitch > 0;
  storeNewest(ctx, l, vertical ? ctx.realtimeFirstVertical : heldNote(ctx, previous, linePitch(ctx, 0, kNewest)),
              !vertical);
  return 0;
}

}  // namespace

int startRealtimeVoices(GeneratorContext& ctx, int playedPitch) {
  if (!usableWindow(ctx) || playedPitch < 1 || playedPitch > 127) return kSearchFailed;
  if (isCancelled(ctx)) return kSearchCancelled;
  const int n = effectiveVoices(ctx);
  VoiceLine& top = lineAt(ctx, 0);
  top[0] = top[1] = top[kNewest] = playedPitch;
  top[2] = -1;
  for (int l = 1; l < n; ++l)
    for (int b = 0; b < kRealtimeWindow; ++b) lineAt(ctx, l)[static_cast<std::size_t>(b)] = -1;
  sizeBeatRecords(ctx, kRealtimeWindow);
  ctx.realtimeNotes.fill(LineNote{});
  ctx.realtimeStarted = true;
  bool clean = true;
  for (int order = 0; order < n - 1; ++order) clean = startVoice(ctx, roleAt(n, order), playedPitch) && clean;
  return clean ? kSearchSuccess : kSearchFailed;
}

int nextRealtimeBeat(GeneratorContext& ctx) {
  if (!ctx.realtimeStarted || !usableWindow(ctx)) return kSearchFailed;
  const int played = linePitch(ctx, 0, kNewest);
  if (played <= 0 || played > 127) return kSearchFailed;
  if (isCancelled(ctx)) return kSearchCancelled;
  const int n = effectiveVoices(ctx);
  shiftLowerLines(ctx);
  bool clean = true;
  for (int order = 0; order < n - 1; ++order) {
    const int outcome = nextVoiceBeat(ctx, roleAt(n, order));
    if (outcome == kSearchCancelled) return kSearchCancelled;
    clean = outcome == 1 && clean;
  }
  return clean ? kSearchSuccess : kSearchFailed;
}

}  // namespace quorvel
