#pragma once
// The voice-leading check: the rules a score of up to four parts should obey,
// read from the notes of the parts alone. Each breach says where it is heard,
// which voices make it and which notes, so that a user can find and mend it.
#include <array>
#include <string>
#include <vector>

#include "model/NoteCode.h"

namespace quorvel {

struct Score;

enum class VoiceRule : int {
  kParallelFifths,
  kParallelOctaves,
  kVoiceCrossing,
  kLargeLeap,             // 9 semitones or more
  kTritoneLeap,           // exactly 6 semitones
  kDissonanceWithMelody,  // a second or seventh struck against the Soprano
  kRepeatedNote,          // the Soprano sounds the same key twice in a row
  kUnisonWithMelody,
  kHiddenPerfect,         // outer voices reach a fifth or octave by similar motion
  kFourthAboveBass,       // a fourth against the lowest voice
};
inline constexpr int kVoiceRuleCount = 10;

struct VoiceFinding {
  VoiceRule rule = VoiceRule::kParallelFifths;
  int step = 0;                 // the onset where it is heard
  std::vector<int> parts;       // part sets involved, the upper first
  std::vector<NoteCode> notes;  // the notes that make it, as their parts hold them
};

// The voices a score uses: from the Soprano down to the lowest part with
// notes (0 when no part has any).
int voicesInUse(const Score& s);

// Every breach among the top `voices` parts (1..4, from the Soprano down; the
// lowest of them is the bass), in time order.
std::vector<VoiceFinding> checkVoiceLeading(const Score& s, int voices);

// How many findings break each rule, indexed by VoiceRule.
std::array<int, kVoiceRuleCount> countByRule(const std::vector<VoiceFinding>& findings);

// Where a step is heard, counted from 1: its bar, and its beat as "2", or
// "2.5" for the eighth after beat 2 ("2.25", "2.75" for sixteenths).
int barOf(int step);
std::string beatOf(int step);
// Texts in the user's language: "Soprano, Bass", the rule in plain words.
std::string partsText(const std::vector<int>& parts, int language);
std::string ruleText(VoiceRule rule, int language);
// "bar 3 beat 2.5: Soprano, Bass: parallel fifths"
std::string findingLine(const VoiceFinding& finding, int language);

}  // namespace quorvel
