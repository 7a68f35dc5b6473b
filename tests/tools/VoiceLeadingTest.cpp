// The voice-leading check on small hand-made scores: each rule once broken,
// and the near misses it must leave alone. Lines are compared whole, so a
// finding too many fails as surely as one too few.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "model/Score.h"
#include "tools/VoiceLeading.h"

namespace quorvel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kRest = 0;

class VoiceLeadingTest : public ::testing::Test {
 protected:
  // One note a beat from the song's beginning; kRest leaves a beat silent.
  void beats(int part, std::initializer_list<int> keys) {
    int beat = 0;
    for (int key : keys) {
      if (key != kRest) note(part, beat * 4, key, 4);
      ++beat;
    }
  }
  // A note at `step` steps into the song.
  NoteCode note(int part, int step, int key, int length) {
    const NoteCode c = makeMelodyNote(kSongStartStep + step, key, length, part);
    addNote(score, part, c);
    return c;
  }
  std::vector<std::string> lines(int voices = 0, int language = 0) const {
    std::vector<std::string> out;
    for (const VoiceFinding& f : checkVoiceLeading(score, voices ? voices : voicesInUse(score)))
      out.push_back(findingLine(f, language));
    return out;
  }

  Score score;
};

TEST_F(VoiceLeadingTest, ParallelFifthsIncludingCompoundOnesButNotContraryOrAcrossARest) {
  beats(kSopranoSet, {67, 69, 79, 81, kRest, kRest, 67, kRest, 69});
  beats(kBassSet, {60, 62, 60, 62, kRest, kRest, 60, kRest, 62});
  EXPECT_THAT(lines(), ElementsAre("bar 1 beat 2: Soprano, Bass: parallel fifths",
                                   "bar 1 beat 3: Soprano: leap of 9 semitones or more",
                                   "bar 1 beat 4: Soprano, Bass: parallel fifths"));
  // Only the Soprano and the Alto: the bass is not looked at.
  EXPECT_THAT(lines(2), ElementsAre("bar 1 beat 3: Soprano: leap of 9 semitones or more"));
}

TEST_F(VoiceLeadingTest, ParallelOctavesButNotOctavesReachedByContraryMotion) {
  beats(kSopranoSet, {72, 74, kRest, kRest, 72, 79});
  beats(kBassSet, {60, 62, kRest, kRest, 60, 55});
  EXPECT_THAT(lines(), ElementsAre("bar 1 beat 2: Soprano, Bass: parallel octaves"));
}

TEST_F(VoiceLeadingTest, ParallelsBetweenInnerVoicesCountToo) {
  beats(kSopranoSet, {76, 77});
  beats(kAltoSet, {67, 69});
  beats(kTenorSet, {60, 62});
  beats(kBassSet, {48, 41});
  EXPECT_THAT(lines(), ElementsAre("bar 1 beat 2: Alto, Tenor: parallel fifths"));
}

TEST_F(VoiceLeadingTest, VoiceCrossingOnceWhereStruckAndPastARestingVoice) {
  note(kSopranoSet, 0, 64, 8);
  note(kAltoSet, 0, 67, 8);
  beats(kTenorSet, {55, 57});
  // Bar 2: the alto rests, the tenor still may not rise above the soprano.
  note(kSopranoSet, 16, 60, 4);
  note(kTenorSet, 16, 64, 4);
  EXPECT_THAT(lines(3), ElementsAre("bar 1 beat 1: Soprano, Alto: voice crossing",
                                    "bar 2 beat 1: Soprano, Tenor: voice crossing"));
}

TEST_F(VoiceLeadingTest, LeapsOfNineOrMoreButNotEightNorAcrossABeatOfRest) {
  beats(kSopranoSet, {60, 69, 61, 73, kRest, 60, 52});
  EXPECT_THAT(lines(), ElementsAre("bar 1 beat 2: Soprano: leap of 9 semitones or more",
                                   "bar 1 beat 4: Soprano: leap of 9 semitones or more"));
}

TEST_F(VoiceLeadingTest, TritoneLeapsInAnyVoice) {
  beats(kSopranoSet, {76, 75, 72, 74});
  beats(kAltoSet, {60, 66, 64, 58});
  EXPECT_THAT(lines(), ElementsAre("bar 1 beat 2: Alto: tritone leap", "bar 1 beat 4: Alto: tritone leap"));
}

TEST_F(VoiceLeadingTest, SecondsAndSeventhsAgainstTheMelodyWhereStruck) {
  beats(kSopranoSet, {72});
  note(kSopranoSet, 4, 74, 8);
  beats(kAltoSet, {71, 64, 65});
  // Beat 3: the soprano holds its D against a new F, a sixth.
  EXPECT_THAT(lines(), ElementsAre("bar 1 beat 1: Soprano, Alto: second or seventh against the melody",
                                   "bar 1 beat 2: Soprano, Alto: second or seventh against the melody"));
}

TEST_F(VoiceLeadingTest, SecondsBetweenLowerVoicesAndAFourthAboveTheTenorPass) {
  beats(kSopranoSet, {79});
  beats(kAltoSet, {64});
  beats(kTenorSet, {62});
  beats(kBassSet, {48});
  EXPECT_THAT(lines(), IsEmpty());
}

TEST_F(VoiceLeadingTest, AHeldDissonanceIsHeardOnceWhileAnotherVoiceMoves) {
  note(kSopranoSet, 0, 72, 8);
  note(kAltoSet, 0, 71, 8);
  beats(kTenorSet, {64, 60});
  EXPECT_THAT(lines(), ElementsAre("bar 1 beat 1: Soprano, Alto: second or seventh against the melody"));
}

TEST_F(VoiceLeadingTest, RepeatedNotesInTheMelodyOnly) {
  beats(kSopranoSet, {67, 67, kRest, 67});
  beats(kAltoSet, {60, 60, kRest, 60});
  EXPECT_THAT(lines(), ElementsAre("bar 1 beat 2: Soprano: repeated note in the melody"));
}

TEST_F(VoiceLeadingTest, UnisonWithTheMelodyExceptTheEndOfATwoVoiceSong) {
  beats(kSopranoSet, {67, 69, 67});
  beats(kAltoSet, {67, 65, 67});
  EXPECT_THAT(lines(), ElementsAre("bar 1 beat 1: Soprano, Alto: unison with the melody"));
  EXPECT_THAT(lines(3), ElementsAre("bar 1 beat 1: Soprano, Alto: unison with the melody",
                                    "bar 1 beat 3: Soprano, Alto: unison with the melody"));
}

TEST_F(VoiceLeadingTest, HiddenFifthsAndOctavesInTheOuterVoicesOnly) {
  beats(kSopranoSet, {64, 67, kRest, kRest, 64, 67});
  beats(kAltoSet, {kRest, kRest, kRest, kRest, 55, 60});
  beats(kBassSet, {55, 60, kRest, kRest, 48, 48});
  // Bar 2: the alto, an inner voice, reaches the fifth under the soprano in
  // similar motion while the bass keeps its key.
  EXPECT_THAT(lines(), ElementsAre(
                           "bar 1 beat 2: Soprano, Bass: fifth or octave reached by similar motion in the outer voices"));
}

TEST_F(VoiceLeadingTest, FourthsAgainstTheLowestVoiceNotBetweenUpperVoices) {
  beats(kSopranoSet, {72, kRest, 72});
  beats(kAltoSet, {65, kRest, 67});
  beats(kTenorSet, {60, kRest, 60});
  beats(kBassSet, {48, kRest, 48});
  EXPECT_THAT(lines(), ElementsAre("bar 1 beat 1: Alto, Bass: fourth against the lowest voice"));
  // With three voices the tenor is the lowest.
  EXPECT_THAT(lines(3), ElementsAre("bar 1 beat 1: Alto, Tenor: fourth against the lowest voice"));
}

TEST_F(VoiceLeadingTest, FindingsNameTheirNotesAndPlaceInBothLanguages) {
  const NoteCode s1 = note(kSopranoSet, 38, 67, 2);
  const NoteCode s2 = note(kSopranoSet, 40, 69, 2);
  const NoteCode b1 = note(kBassSet, 38, 60, 2);
  const NoteCode b2 = note(kBassSet, 40, 62, 2);
  const auto findings = checkVoiceLeading(score, 4);
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].parts, (std::vector<int>{kSopranoSet, kBassSet}));
  EXPECT_THAT(findings[0].notes, ::testing::UnorderedElementsAre(s1, s2, b1, b2));
  EXPECT_EQ(findingLine(findings[0], 0), "bar 3 beat 3: Soprano, Bass: parallel fifths");
  EXPECT_EQ(findingLine(findings[0], 1), "3小節 3拍目: ソプラノ, バス: 連続5度");
  EXPECT_EQ(beatOf(kSongStartStep + 38), "2.5");
  EXPECT_EQ(beatOf(kSongStartStep + 13), "4.25");
  EXPECT_EQ(countByRule(findings)[static_cast<int>(VoiceRule::kParallelFifths)], 1);
}

TEST_F(VoiceLeadingTest, VoicesInUseRunFromTheSopranoToTheLowestPartWithNotes) {
  EXPECT_EQ(voicesInUse(score), 0);
  EXPECT_THAT(lines(4), IsEmpty());
  beats(kTenorSet, {60});
  EXPECT_EQ(voicesInUse(score), 3);
  beats(kSopranoSet, {64});
  EXPECT_EQ(voicesInUse(score), 3);
}

}  // namespace
}  // namespace quorvel
