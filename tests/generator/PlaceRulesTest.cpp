// The lower voices test the rules of a candidate's own beat before the
// melodic rules. Whatever those early checks turn away, the full vertical
// tests must turn away too, or the search would lose lines it may write.
#include <gtest/gtest.h>

#include <memory>

#include "generator/GenerationVoices.h"
#include "generator/LineSearch.h"
#include "generator/ScaleNotes.h"
#include "generator/VerticalRules.h"

namespace quorvel {
namespace {

constexpr int kBeats = 4;
constexpr int kBass = 43, kTenor = 52;

struct Voices {
  Voices() {
    MelodySettings settings;
    settings[kKeyNote] = 60;
    prepareContext(*ctx, settings, kBeats, linePointers(lines), 4, random);
    ctx->voiceEnding = noteForPitch(*ctx, 48, kBeats - 1);
    ctx->lowerFirst[2] = noteForPitch(*ctx, 55, 0);
    ctx->lowerFirst[1] = noteForPitch(*ctx, 64, 0);
  }
  // Places the candidate at beat 1 after a note two semitones above it.
  void propose(std::uint32_t role, int pitch) {
    ctx->flags = (ctx->flags & ~kRoleFlags) | role;
    ctx->current = noteForPitch(*ctx, pitch + 2, 0);
    ctx->candidate = noteForPitch(*ctx, pitch, 1);
  }
  VoiceLines lines = emptyLines(kBeats);
  Random random{7};
  std::unique_ptr<GeneratorContext> ctx = std::make_unique<GeneratorContext>();
};

TEST(PlaceRules, WhatTheyTurnAwayTheFullVerticalTestsTurnAway) {
  Voices v;
  int turnedAway = 0, letThrough = 0;
  for (int top = 62; top <= 81; ++top) {
    v.lines[0][0] = v.lines[0][1] = top;
    for (std::uint32_t role : {kBassOfFour, kTenorOfFour, kAltoOfFour}) {
      const bool bass = role == kBassOfFour;
      v.lines[3][1] = bass ? -1 : kBass;
      v.lines[2][1] = role == kAltoOfFour ? kTenor : -1;
      for (int pitch = 28; pitch <= top; ++pitch) {
        v.propose(role, pitch);
        const bool fits = bass ? outerPlaceFits(*v.ctx) : innerPlaceFits(*v.ctx);
        v.propose(role, pitch);
        const Verdict full = bass ? testOuterVertical(*v.ctx) : testInnerVertical(*v.ctx);
        if (fits) {
          ++letThrough;
          continue;
        }
        ++turnedAway;
        EXPECT_EQ(full, Verdict::kRejectHard) << "role " << role << " top " << top << " pitch " << pitch;
      }
    }
  }
  EXPECT_GT(turnedAway, 1000);
  EXPECT_GT(letThrough, 100);
}

}  // namespace
}  // namespace quorvel
