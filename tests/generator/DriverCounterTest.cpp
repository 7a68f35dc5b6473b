#include "DriverFixture.h"
#include "generator/CounterMelody.h"
#include "generator/GenerationCommands.h"

namespace quorvel {
namespace {

using test::DriverTest;

// A singable line in C major of `count` notes with varied lengths and rests.
std::vector<std::array<int, 3>> melodyOf(int count) {
  static const int keys[] = {60, 62, 64, 65, 67, 65, 64, 62, 64, 67, 69, 67, 65, 64, 62, 60};
  static const int lengths[] = {4, 4, 8, 2, 2, 4, 6, 2};
  std::vector<std::array<int, 3>> notes;
  int step = 6;  // a rest before the first note
  for (int i = 0; i < count; ++i) {
    const int length = lengths[i % 8];
    notes.push_back({step, keys[i % 16], length});
    step += length + (i % 5 == 4 ? 4 : 0);  // and a rest now and then
  }
  return notes;
}

class DriverCounter : public DriverTest {
 protected:
  void SetUp() override { score.settings.melody[kKeyNote] = 60; }
};

// The parts below are replaced, not added to: an old alto note goes.
TEST_F(DriverCounter, EveryVoiceKeepsTheMelodysRhythmNoteForNoteInPlaceOfWhatWasThere) {
  writeMelody(kSopranoSet, melodyOf(12));
  writeMelody(kAltoSet, {{500, 50, 4}});
  score.setFlag(kFlagUntouchedResult);
  ASSERT_EQ(generateOneToThreeA(env), 0);
  const auto melody = notesOf(kSopranoSet);
  for (int part : {kAltoSet, kTenorSet, kBassSet}) {
    const auto voice = notesOf(part);
    ASSERT_EQ(voice.size(), melody.size()) << "part " << part;
    for (std::size_t i = 0; i < voice.size(); ++i) {
      EXPECT_EQ(noteStart(voice[i]), noteStart(melody[i]));
      EXPECT_EQ(melodyLength(voice[i]), melodyLength(melody[i]));
      EXPECT_EQ(melodyPart(voice[i]), part);
    }
  }
  EXPECT_EQ(melody.size(), 12u);  // the melody itself stays
  EXPECT_TRUE(score.hasFlag(kFlagUntouchedResult));
  EXPECT_FALSE(score.hasFlag(kFlagGenerating));
}

TEST_F(DriverCounter, RefusalsShowTheirMessages) {
  EXPECT_EQ(generateOneToOneA(env), -1);
  EXPECT_EQ(messageTexts(), std::vector<std::string>{"Selecting part is empty"});

  ui.clearRecords();
  writeMelody(kSopranoSet, melodyOf(7));
  EXPECT_EQ(generateOneToOneA(env), -1);
  EXPECT_EQ(messageTexts(), std::vector<std::string>{"Selecting part is too short"});
  EXPECT_TRUE(notesOf(kAltoSet).empty());

  ui.clearRecords();
  score.settings.parts.editPart = kTenorSet;
  writeMelody(kTenorSet, melodyOf(10));
  EXPECT_EQ(generateOneToThreeA(env), -2);
  EXPECT_EQ(messageTexts(), std::vector<std::string>{"You can't generate counter lines with selecting part"});
  EXPECT_FALSE(score.hasFlag(kFlagGenerating));
  EXPECT_FALSE(score.hasFlag(kFlagUntouchedResult));
}

TEST_F(DriverCounter, FortyNotesRunInTwoSegments) {
  useSlowClock();
  writeMelody(kSopranoSet, melodyOf(40));
  ASSERT_EQ(generateOneToOneA(env), 0);
  ASSERT_EQ(ui.progressOpenings().size(), 2u);  // one window per segment
  EXPECT_EQ(ui.progressOpenings()[0].second, 40);
  EXPECT_EQ(ui.progressCloses(), 2);
  EXPECT_EQ(notesOf(kAltoSet).size(), 40u);
}

TEST_F(DriverCounter, CancelWritesNothing) {
  useSlowClock();
  ui.cancelProgressWhenOpen();
  writeMelody(kSopranoSet, melodyOf(40));
  writeMelody(kAltoSet, {{500, 50, 4}});
  EXPECT_EQ(generateOneToTwoA(env), -1);
  EXPECT_TRUE(ui.messages().empty());
  EXPECT_EQ(notesOf(kAltoSet), std::vector<NoteCode>{makeMelodyNote(500, 50, 4, 2)});
  EXPECT_TRUE(notesOf(kTenorSet).empty());
  EXPECT_FALSE(ui.progressOpen());
  EXPECT_EQ(state.running, nullptr);
}

TEST_F(DriverCounter, OptionsCounterRequestMayAddDrums) {
  writeMelody(kSopranoSet, melodyOf(12));
  score.settings.melody[kCounterLines] = 3;  // "1:2"
  score.settings.melody[kDrumsAfterCounter] = 10;
  ASSERT_EQ(generateNToN(env), 0);
  EXPECT_EQ(notesOf(kTenorSet).size(), 12u);
  EXPECT_FALSE(score.noteSets[kDrumsView].empty());
  score.settings.melody[kCounterLines] = 1;  // "2:1" is for the remote generator
  EXPECT_EQ(generateNToN(env), -2);
}

// The top line read from the user's part (rests and timing are judged by the
// driver tests above): chords give their top note, leaps are narrowed.
NoteSet part(const std::vector<std::array<int, 3>>& notes) {
  NoteSet set;
  for (const auto& n : notes) set.insert(makeMelodyNote(n[0], n[1], n[2], 3));
  return set;
}

TEST(DriverCounterMelody, ChordsKeepTheirTopNoteAndOverlapsAreCut) {
  const CounterMelody m = readCounterMelody(part({{2, 60, 8}, {2, 64, 8}, {2, 55, 8}, {6, 62, 4}}), 60);
  EXPECT_EQ(m.pitches(), (std::vector<int>{64, 62}));
  const auto places = m.notePlaces();
  ASSERT_EQ(places.size(), 2u);
  EXPECT_EQ(places[0].x, 10);
  EXPECT_EQ(places[0].duration, 20);  // cut where the next note begins
  EXPECT_EQ(places[1].x, 30);
}

TEST(DriverCounterMelody, LeapsAreNarrowedByOctaves) {
  // The earlier note lies farther from the key: it moves.
  std::vector<int> p{96, 60};
  limitLeaps(p, 60);
  EXPECT_EQ(p, (std::vector<int>{72, 60}));
  // The later note lies farther: it moves, and the walk goes on from it.
  p = {62, 90, 40};
  limitLeaps(p, 60);
  EXPECT_EQ(p, (std::vector<int>{62, 78, 64}));
  // A tie moves the earlier note; 20 semitones stay.
  p = {40, 80, 60, 80};
  limitLeaps(p, 60);
  EXPECT_EQ(p, (std::vector<int>{64, 80, 60, 80}));
}

}  // namespace
}  // namespace quorvel
