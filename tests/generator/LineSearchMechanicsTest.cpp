// The engine's mechanics with fixed seeds: tabu list, repeat fallback,
// dead-end limit, and the melody's own guarantees.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include "generator/GenerationVoices.h"
#include "generator/LineSearch.h"
#include "generator/ScaleNotes.h"
#include "generator/ScaleTable.h"
#include "generator/SearchEngine.h"

namespace quorvel {
namespace {

struct Fixture {
  explicit Fixture(int length, int voices = 1, std::uint32_t seed = 1) : lines(emptyLines(length)), random(seed) {
    MelodySettings s;
    s[kKeyNote] = 60;
    prepareContext(*ctx, s, length, linePointers(lines), voices, random);
  }
  // Starts a bare search on line 0 from the tonic at beat 0.
  void startBareSearch(const SearchPlan& plan) {
    ctx->plan = plan;
    ctx->target = &lines[0];
    ctx->endBeat = ctx->lineLength;
    resetAttempt(*ctx, 0);
    LineNote start;
    start.beat = 0;
    start.pitch = 60;
    start.scaleIndex = ctx->tonicIndex;
    start.motionClass = 5;
    placeBaseNote(*ctx, start, true);
  }
  VoiceLines lines;
  Random random;
  std::unique_ptr<GeneratorContext> ctx = std::make_unique<GeneratorContext>();
};

int largestTabu = 0;

// Accepts beat 1, rejects everything at beat 2: every dead end backs up to
// beat 1 and makes its pitch tabu.
Verdict rejectBeatTwo(GeneratorContext& ctx) {
  largestTabu = std::max(largestTabu, ctx.tabuCount);
  return ctx.candidate.beat == 2 ? Verdict::kRejectHard : Verdict::kAccept;
}

TEST(SearchEngine, TabuListHoldsAtMostTenPitchesAndDeadEndsEndTheAttempt) {
  Fixture f(8);
  largestTabu = 0;
  f.startBareSearch(SearchPlan{nullptr, rejectBeatTwo, nullptr, nullptr, false});
  EXPECT_EQ(runSearch(*f.ctx), kSearchFailed);
  EXPECT_EQ(largestTabu, kMaxTabuPitches);
  EXPECT_EQ(f.ctx->deadEnds, kDeadEndLimit + 1);
  EXPECT_EQ(f.lines[0][2], -1);  // nothing of the abandoned beats stays on the line
}

// Once a note falls below the start the line can never rise again, yet the
// last beat must stand at the start or above: a trap that the three notes of
// history cannot back out of once it lies further back.
Verdict trapBelowStart(GeneratorContext& ctx) {
  const LineNote& c = ctx.candidate;
  if (c.pitch < 48 || c.pitch > 84) return Verdict::kRejectHard;
  if (ctx.current.pitch < 60 && c.pitch >= 60) return Verdict::kRejectHard;
  if (c.beat == ctx.endBeat - 1 && c.pitch < 60) return Verdict::kRejectHard;
  return Verdict::kAccept;
}

// Runs one bare search per seed 1..30 and counts those that complete;
// `check` looks at each completed one.
template <typename Check>
int completedSearches(int length, const SearchPlan& plan, Check check) {
  int completed = 0;
  for (std::uint32_t seed = 1; seed <= 30; ++seed) {
    Fixture f(length, 1, seed);
    f.startBareSearch(plan);
    if (runSearch(*f.ctx) != kSearchLineComplete) continue;
    ++completed;
    check(f);
  }
  return completed;
}

void anyLine(const Fixture&) {}

TEST(SearchEngine, CompletionCheckKeepsTheSearchOutOfStatesThatCannotEnd) {
  const auto staysAtTheStartOrAbove = [](const Fixture& f) {
    EXPECT_GE(*std::min_element(f.lines[0].begin(), f.lines[0].end()), 60);
  };
  EXPECT_EQ(completedSearches(24, SearchPlan{nullptr, trapBelowStart, nullptr, nullptr, false, LookAhead::kWholeLine},
                              staysAtTheStartOrAbove),
            30);
  EXPECT_LT(completedSearches(24, SearchPlan{nullptr, trapBelowStart, nullptr, nullptr, false, LookAhead::kNone}, anyLine),
            20);
}

// A closing like an outer voice's: a fixed penultimate note that may be
// arrived at once per attempt, reachable only from the step above it.
int fixedClosing(GeneratorContext& ctx, int beat, std::array<LineNote, 2>& out) {
  if (beat < ctx.endBeat - 2) return 0;
  if (beat == ctx.endBeat - 2 && ++ctx.penultimateArrivals > 1) return -1;
  out[0] = noteForPitch(ctx, beat == ctx.endBeat - 2 ? 62 : 60, beat);
  return 1;
}

Verdict penultimateFromAbove(GeneratorContext& ctx) {
  const LineNote& c = ctx.candidate;
  if (c.pitch < 55 || c.pitch > 72) return Verdict::kRejectHard;
  if (c.beat == ctx.endBeat - 2 && ctx.current.pitch != 64) return Verdict::kRejectHard;
  return Verdict::kAccept;
}

TEST(SearchEngine, LowerVoiceLooksThroughItsFixedClosingBeforeArrivingOnce) {
  const auto arrivesOnceFromAbove = [](const Fixture& f) {
    EXPECT_EQ(f.lines[0][9], 64);
    EXPECT_EQ(f.ctx->penultimateArrivals, 1);
  };
  EXPECT_EQ(completedSearches(12, SearchPlan{fixedClosing, penultimateFromAbove, nullptr, nullptr, true,
                                             LookAhead::kFixedEnding},
                              arrivesOnceFromAbove),
            30);
  EXPECT_LT(completedSearches(12, SearchPlan{fixedClosing, penultimateFromAbove, nullptr, nullptr, true, LookAhead::kNone},
                              anyLine),
            5);
}

int candidatesTested = 0;
int tenthColumn = -1;

Verdict rejectAll(GeneratorContext& ctx) {
  if (++candidatesTested == kStepColumns) tenthColumn = ctx.drawnIndex;
  return Verdict::kRejectHard;
}

struct FallbackCount {
  int eligible = 0;      // runs whose last rejected column was not the repeat
  int fallbacks = 0;     // runs where the repeat was offered once more
  int ineligibleFallbacks = 0;
};

// One beat with every candidate rejected: the ten columns, plus the repeat
// once more when the fallback offers it.
FallbackCount countFallbacks(bool lowerVoice) {
  FallbackCount n;
  for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
    Fixture f(2, lowerVoice ? 2 : 1, seed);
    candidatesTested = 0;
    f.startBareSearch(SearchPlan{nullptr, rejectAll, nullptr, nullptr, lowerVoice});
    EXPECT_EQ(runSearch(*f.ctx), kSearchFailed);
    const bool fallback = candidatesTested == kStepColumns + 1;
    if (tenthColumn != kRepeatColumn) {
      ++n.eligible;
      n.fallbacks += fallback;
    } else {
      n.ineligibleFallbacks += fallback;
    }
  }
  return n;
}

TEST(SearchEngine, LowerVoicesFallBackToTheRepeatHalfTheTimeUnlessItWasRejectedLast) {
  const FallbackCount n = countFallbacks(true);
  ASSERT_GT(n.eligible, 100);
  EXPECT_GT(n.fallbacks, n.eligible * 35 / 100);
  EXPECT_LT(n.fallbacks, n.eligible * 65 / 100);
  EXPECT_EQ(n.ineligibleFallbacks, 0);
  const FallbackCount melody = countFallbacks(false);
  EXPECT_EQ(melody.fallbacks + melody.ineligibleFallbacks, 0) << "the melody never falls back";
}

TEST(SearchEngine, SoftRejectionsLetTheLastCandidateThrough) {
  Fixture f(3);
  f.startBareSearch(SearchPlan{nullptr, [](GeneratorContext&) { return Verdict::kRejectSoft; }, nullptr, nullptr,
                               false});
  EXPECT_EQ(runSearch(*f.ctx), kSearchLineComplete);
  EXPECT_GT(f.lines[0][2], 0);
}

TEST(Melody, PeakBeatStaysClearOfTheEnding) {
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    const int length = 8 + static_cast<int>(seed % 40);
    Fixture f(length, 1, seed);
    ASSERT_EQ(generateMelody(*f.ctx), kSearchSuccess);
    const int highPeak = f.ctx->peak.scaleIndex - f.ctx->tonicIndex >= 5;
    EXPECT_GE(f.ctx->peakBeat, 1);
    EXPECT_LE(f.ctx->peakBeat, length - (highPeak ? 4 : 5)) << "seed " << seed;
    EXPECT_EQ(f.lines[0][static_cast<std::size_t>(f.ctx->peakBeat)], f.ctx->peak.pitch);
  }
}

// Every formula must leave the bass a place under the melody's penultimate,
// or the tries that draw it are lost whatever the bass does.
TEST(Melody, EveryEndingFormulaLeavesTheBassRoomUnderThePenultimate) {
  for (int voices : {3, 4}) {
    std::set<int> formulas;
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
      Fixture f(16, voices, seed * 2654435761u);
      ASSERT_EQ(generateMelody(*f.ctx), kSearchSuccess);
      formulas.insert(f.ctx->endingFormula);
      const int gap = f.ctx->penultimate.pitch - f.ctx->bassPenultimate.pitch;
      EXPECT_GE(gap, voices == 4 ? 12 : 7) << "formula " << f.ctx->endingFormula << ", seed " << seed;
      EXPECT_GE(f.ctx->ending.pitch - f.ctx->bassEnding.pitch, voices == 4 ? 12 : 7);
    }
    EXPECT_EQ(formulas.size(), 8u) << voices << " voices";
  }
}

TEST(Melody, LinesShorterThanTheRequestAreRefusedNotOverrun) {
  Fixture f(16, 2);
  f.lines[0].resize(8);
  EXPECT_EQ(generateMelody(*f.ctx), kSearchFailed);
  f.lines[0].assign(16, -1);
  ASSERT_EQ(generateMelody(*f.ctx), kSearchSuccess);
  f.lines[1].resize(3);
  EXPECT_EQ(generateSecondVoice(*f.ctx), kSearchFailed);
}

TEST(Melody, ValidationRejectsEachKindOfFault) {
  Fixture f(6);
  const VoiceLine good{60, 62, 64, 65, 62, 60};
  EXPECT_EQ(validateMelody(*f.ctx, good, 6), 0);
  EXPECT_EQ(validateMelody(*f.ctx, VoiceLine{60, 62, 62, 65, 62, 60}, 6), -1);  // repeat
  EXPECT_EQ(validateMelody(*f.ctx, VoiceLine{60, 65, 64, 65, 62, 60}, 6), -1);  // peak twice
  EXPECT_EQ(validateMelody(*f.ctx, VoiceLine{64, 62, 64, 65, 62, 60}, 6), -1);  // first note
  EXPECT_EQ(validateMelody(*f.ctx, VoiceLine{60, 66, 64, 67, 62, 60}, 6), -1);  // tritone leap
  EXPECT_EQ(validateMelody(*f.ctx, VoiceLine{55, 64, 62, 65, 62, 60}, 6), -1);  // leap of 9
  EXPECT_EQ(validateMelody(*f.ctx, VoiceLine{60, 62, -1, 65, 62, 60}, 6), -1);  // empty beat
}

// Moves near the table's edges must neither read past it nor break the
// octave pattern.
TEST(ScaleTable, SemitonesContinuePastTheTable) {
  EXPECT_EQ(scaleSemitones(-1), -24);
  EXPECT_EQ(scaleSemitones(-7), scaleSemitones(0) - 12);
  EXPECT_EQ(scaleSemitones(28), 26);
}

}  // namespace
}  // namespace quorvel
