// Request texts of the encoders, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/Random.h"
#include "netgen/Encoders.h"
#include "netgen/TokenText.h"

namespace quorvel {
namespace {

// Consecutive notes at one key, each `length` steps, `gap` steps apart.
NoteSet run(int count, int firstStep, int length, int gap, int key = 60) {
  NoteSet set;
  for (int i = 0; i < count; ++i) set.insert(makeMelodyNote(firstStep + i * (length + gap), key, length, 3));
  return set;
}

TEST(EncodeContext, KeepsTheLastWTokensOfTheWindow) {
  // A seed whose first draw gives W = 50: 50 + trunc(r / 32767 * 10 - 5).
  std::uint32_t seed = 0;
  for (;; ++seed) {
    Random probe(seed);
    const int r = probe.next();
    if (static_cast<int>(r / 32767.0 * 10.0 - 5.0) == 0) break;
  }
  // 30 notes with a silent step after each: 59 tokens; with F off the
  // context is the last 51 notes at most, here all 30 notes and 29 rests.
  const NoteSet set = run(30, 2, 1, 1);
  Random random(seed);
  const Encoded e = encodeContext(set, false, kSongStartX, random);
  EXPECT_EQ(e.len, 50);
  std::string expected;
  for (int i = 0; i < 25; ++i) expected += "40000+f9f8+";  // the last 25 rests and notes, rest first
  EXPECT_EQ(e.data, expected);
}

TEST(EncodeContext, OverlappingNotesSendNoRestAndBetweenLocatorsTheNotesBeforeTheGenerationPoint) {
  Random random;
  // The third note starts where the second (the previous in set order) ends.
  const NoteSet touching({makeMelodyNote(2, 60, 8, 3), makeMelodyNote(4, 62, 2, 3), makeMelodyNote(6, 64, 1, 3)});
  EXPECT_EQ(encodeContext(touching, false, kSongStartX, random).data, "f9dc+f1f4+e9f8+");

  const NoteSet set = run(6, 2, 4, 0);  // x = 10, 30, ..., 110
  Encoded e = encodeContext(set, true, 50, random);
  EXPECT_EQ(e.data, "f9ec+f9ec+");
  EXPECT_EQ(e.start, 50);
  e = encodeContext(set, true, 10, random);  // the anchor is the first note: no context
  EXPECT_FALSE(e.hasContext);
  EXPECT_EQ(e.data, "");
}

TEST(FindPhrase, NotesTooFarApartNeverMakeAPhraseItEndsBeforeTheNoteThatBreaksItAndIsSentWhole) {
  EXPECT_TRUE(findPhrase(run(8, 2, 4, 32), kSongStartX));  // gaps of 160 x: still a phrase
  EXPECT_TRUE(findPhrase(run(8, 2, 4, 31), kSongStartX));
  const NoteSet apart = run(8, 2, 4, 33);                      // gaps of 165 x
  EXPECT_FALSE(findPhrase(apart, kSongStartX));
  EXPECT_FALSE(encodePhrase(apart, false, 10, 330, kSongStartX).ok);
  NoteSet set = run(5, 2, 4, 0);              // x 10..110, ends at 110
  set.insert(makeMelodyNote(2 + 20 + 40, 60, 4, 3));  // 200 x after the last end
  const auto phrase = findPhrase(set, kSongStartX);
  ASSERT_TRUE(phrase);
  EXPECT_EQ(phrase->startX, 10);
  EXPECT_EQ(phrase->endX, 110);
  const Encoded e = encodePhrase(set, false, 10, 330, kSongStartX);
  EXPECT_EQ(e.len, 5);
  EXPECT_EQ(e.data, "f9ec+f9ec+f9ec+f9ec+f9ec+");

  // 256 one-step notes end within 1281 of the first start; the next breaks the phrase.
  NoteSet longest;
  for (int i = 0; i < 300; ++i) longest.insert(makeMelodyNote(2 + i, 60, 1, 3));
  const Encoded whole = encodePhrase(longest, false, 10, 330, kSongStartX);
  ASSERT_TRUE(whole.ok);
  EXPECT_EQ(whole.len, 256);
  EXPECT_EQ(whole.start, kSongStartX);
  EXPECT_EQ(static_cast<int>(std::count(whole.data.begin(), whole.data.end(), '+')), whole.len);
}

TEST(TokenText, KeepsOnlyWholeTokensAndCountsThem) {
  TokenText text(11);  // 10 characters and the terminating zero
  EXPECT_TRUE(text.add(0xF9EC));
  EXPECT_FALSE(text.add(0xC0000));  // "c0000+" would end at character 11
  EXPECT_FALSE(text.add(0));        // closed once a token did not fit
  EXPECT_EQ(text.text(), "f9ec+");
  EXPECT_EQ(text.count(), 1);
}

TEST(EncodeDrumSteps, MasksPerStepWithEmptyStepsAsZeroAndNothingUnder80Steps) {
  NoteSet drums;
  drums.insert(makeDrumNote(2, 1, 4, 2, 100));  // lane 1 normal: bit 0
  const Encoded tooShort = encodeDrumSteps(drums, false, kSongStartX);
  EXPECT_TRUE(tooShort.ok && tooShort.data.empty());
  EXPECT_FALSE(encodeDrumSteps(NoteSet{}, false, kSongStartX).ok);

  drums.insert(makeDrumNote(2, 3, 4, 3, 127));   // lane 3 accent: bit 14
  drums.insert(makeDrumNote(5, 12, 4, 2, 100));  // lane 12: bit 11
  drums.insert(makeDrumNote(20, 2, 4, 2, 100));
  const Encoded e = encodeDrumSteps(drums, false, kSongStartX);
  EXPECT_TRUE(e.ok);
  EXPECT_EQ(e.start, 5 * 21);
  std::string expected = "4001+0+0+800+";
  for (int i = 6; i < 20; ++i) expected += "0+";
  EXPECT_EQ(e.data, expected + "2+");
  EXPECT_EQ(e.len, 19);
}

TEST(EncodeVoiceSteps, MostlySilentRangesAreRefused) {
  std::array<NoteSet, 4> parts;
  // 128 steps from x = 10: 32 sounding (one note of 32 steps), 96 silent.
  parts[3] = NoteSet({makeMelodyNote(2, 72, 32, 3), makeMelodyNote(2 + 200, 72, 4, 3)});
  const std::array<const NoteSet*, 4> sets{&parts[0], &parts[1], &parts[2], &parts[3]};
  EXPECT_FALSE(encodeVoiceSteps(sets, false, 0, 0, kSongStartX, voiceRangeEnd(sets)).ok);
  parts[3].insert(makeMelodyNote(34, 72, 1, 3));  // one silent step fewer
  EXPECT_TRUE(encodeVoiceSteps(sets, false, 0, 0, kSongStartX, voiceRangeEnd(sets)).ok);
  EXPECT_FALSE(encodeVoiceSteps(sets, true, 10, 85, kSongStartX, 0).ok);  // shorter than 80
}

}  // namespace
}  // namespace quorvel
