#pragma once
// The complete search of counter lines over a stretch of beats, for when the
// random search gives up: a dynamic programme over every candidate pitch of
// each voice, with the rules that every result must obey as constraints, the
// generator's other hard rules as costs so high that the fewest of them are
// broken, and its preferences as small costs. It finds a line that obeys
// every rule whenever one exists for the voices in their search order.
#include <vector>

#include "generator/GenerationVoices.h"
#include "generator/VoiceRanges.h"

namespace quorvel {

// Hard rules of the generator that the complete search may break at one
// place when nothing else is left there.
enum class RelaxedRule {
  kDistanceToMelody,     // an outer voice outside its distance band, an inner one too close under the melody
  kSpacingBelow,         // an inner voice less than a minor third above the voice under it
  kFourthAgainstMelody,  // the bass or second voice a fourth under the melody
  kFourthAboveBass,      // an inner voice a fourth (or unison) with the bass
  kLowerVoiceClash,      // unison, second or seventh between two inner voices
  kLowerParallels,       // parallel fifths or octaves between two lower voices
};

struct Relaxation {
  int beat = 0;
  int line = 0;
  RelaxedRule rule = RelaxedRule::kDistanceToMelody;
};

struct CounterStretch {
  int voiceCount = 2;
  int from = 0;  // first beat written
  int to = 0;    // end, exclusive
  PitchFrame frame;
};

// Writes lines 1 .. voiceCount - 1 over [from, to) under line 0, continuing
// the notes that stand at from - 1. Answers the rules it had to break, one
// entry per place; empty when the lines obey every rule.
std::vector<Relaxation> searchCounterStretch(VoiceLines& lines, const CounterStretch& stretch);

}  // namespace quorvel
