// Pitches take the letters of their key; notes outside it are spelled as a
// reader of that key expects.
#include "notation/KeySpelling.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel::notation {
namespace {

std::string spelled(int key, int keyNote, int mode) {
  const Spelling sp = spell(key, keySignatureOf(keyNote, mode));
  const char* alter[] = {"bb", "b", "", "#", "##"};
  return std::string(stepName(sp.step)) + alter[sp.alter + 2] + std::to_string(sp.octave);
}

TEST(KeySpelling, SignaturesOfMajorMinorAndModes) {
  EXPECT_EQ(keySignatureOf(72, 0).fifths, 0);   // C major
  EXPECT_EQ(keySignatureOf(67, 0).fifths, 1);   // G major
  EXPECT_EQ(keySignatureOf(65, 0).fifths, -1);  // F major
  EXPECT_EQ(keySignatureOf(64, 1).fifths, 1);   // E minor
  EXPECT_EQ(keySignatureOf(60, 1).fifths, -3);  // C minor
  EXPECT_EQ(keySignatureOf(66, 0).fifths, -6);  // F#/Gb major: the flats, as the MIDI writer chooses
  EXPECT_EQ(keySignatureOf(62, 2).fifths, 0);   // D dorian
  EXPECT_EQ(keySignatureOf(67, 5).fifths, 0);   // G mixolydian
  EXPECT_EQ(keySignatureOf(65, 4).fifths, 0);   // F lydian
  EXPECT_EQ(keySignatureOf(71, 6).fifths, 0);   // B locrian
  EXPECT_STREQ(modeName(1), "minor");
  EXPECT_STREQ(modeName(5), "mixolydian");
}

TEST(KeySpelling, NotesOfTheKeyTakeItsSharpsOrFlats) {
  EXPECT_EQ(spelled(66, 67, 0), "F#4");  // G major
  EXPECT_EQ(spelled(70, 65, 0), "Bb4");  // F major
  EXPECT_EQ(spelled(61, 59, 0), "C#4");  // B major
  EXPECT_EQ(spelled(63, 63, 0), "Eb4");  // Eb major
  EXPECT_EQ(spelled(71, 66, 0), "Cb5");  // Gb major: Cb lies a semitone below C5
  EXPECT_EQ(spelled(60, 60, 0), "C4");
}

TEST(KeySpelling, NotesOutsideTheKey) {
  EXPECT_EQ(spelled(71, 65, 0), "B4");   // a natural where F major flats the B
  EXPECT_EQ(spelled(65, 67, 0), "F4");   // and where G major sharps the F
  EXPECT_EQ(spelled(61, 65, 0), "Db4");  // flat keys borrow flats
  EXPECT_EQ(spelled(61, 67, 0), "C#4");  // sharp keys borrow sharps
  EXPECT_EQ(spelled(61, 62, 1), "C#4");  // D minor's leading note is raised, not Db
  EXPECT_EQ(spelled(71, 62, 1), "B4");   // and its raised sixth
  EXPECT_EQ(spelled(66, 67, 1), "F#4");  // G minor's leading note
  EXPECT_EQ(spelled(68, 69, 1), "G#4");  // A minor's leading note
}

}  // namespace
}  // namespace quorvel::notation
