#include "playback/NoteStepper.h"

#include <gtest/gtest.h>

#include <memory>

#include "model/Score.h"
#include "playback/PlaybackTestSupport.h"

namespace quorvel {
namespace {

using namespace test;  // message helpers

class NoteStepperTest : public ::testing::Test {
 protected:
  NoteStepperTest() : out(log), stepper(score, out) { stepper.setSettings(settings); }

  // Runs the normal step at every step boundary from x to end (exclusive).
  void playNormal(int from, int to, MuteState mute = {}) {
    for (int x = from; x < to; x += 5) stepper.normalStep(x, kMelodyView, mute);
  }
  void playStrict(int from, int to, int set = kSopranoSet) {
    for (int x = from; x < to; x += 5) stepper.strictStep(x, set);
  }
  std::vector<std::uint32_t> sent() const { return log->messages(); }

  Score score;
  PlaySettings settings;
  std::shared_ptr<MessageLog> log = std::make_shared<MessageLog>();
  RecordingMidiOut out;
  NoteStepper stepper;
};

TEST_F(NoteStepperTest, MelodyNotesSoundOnTheirPartsChannelAndEndAtTheirWrittenEnd) {
  addNote(score, kSopranoSet, makeMelodyNote(10, 60, 4, kSoprano));
  addNote(score, kBassSet, makeMelodyNote(10, 48, 2, kBass));
  addNote(score, kAltoSet, makeMelodyNote(11, 64, 1, kAlto));
  playNormal(10, 100);
  // Steps 10, 11, 12, 14; equal starts go in code order: the higher pitch first.
  EXPECT_EQ(sent(), (Sent{on(0, 60), on(3, 48), on(1, 64), off(1, 64), off(3, 48), off(0, 60)}));
  EXPECT_TRUE(stepper.soundingNotes().empty());
}

TEST_F(NoteStepperTest, DrumReleasesFollowEnableNoteOffAndFullBeatHitsNeverRelease) {
  addNote(score, kDrumSet0 + 2, makeDrumNote(10, 12, 2, 2, 100));  // lane 12: key 36
  addNote(score, kDrumSet0 + 3, makeDrumNote(10, 1, 4, 3, 127));   // lane 1: key 54, a full beat
  playNormal(50, 90);
  EXPECT_EQ(sent(), (Sent{on(9, 54, 127), on(9, 36)}));
  EXPECT_TRUE(stepper.soundingDrums().empty()) << "the release was due and dropped";

  log->clear();
  settings.drumNoteOff = true;
  stepper.setSettings(settings);
  playNormal(50, 90);
  EXPECT_EQ(sent(), (Sent{on(9, 54, 127), on(9, 36), on(9, 36, 1)}));
}

TEST_F(NoteStepperTest, MutingStopsNewNotesButLetsSoundingOnesEnd) {
  addNote(score, kSopranoSet, makeMelodyNote(10, 60, 2, kSoprano));
  addNote(score, kSopranoSet, makeMelodyNote(12, 62, 2, kSoprano));
  addNote(score, kDrumSet0, makeDrumNote(12, 12, 1, 0, 90));
  playNormal(50, 55);
  playNormal(55, 75, {true, true});
  EXPECT_EQ(sent(), (Sent{on(0, 60), off(0, 60)}));
  log->clear();
  playNormal(60, 65, {true, false});
  EXPECT_EQ(sent(), (Sent{on(9, 36, 90)}));
}

// ... but not once its span is over.
TEST_F(NoteStepperTest, StrictLinesLetAHigherNoteCutInAndTheLowerOneComeBack) {
  addNote(score, kSopranoSet, makeMelodyNote(10, 55, 8, kSoprano));  // until step 18
  addNote(score, kSopranoSet, makeMelodyNote(12, 60, 2, kSoprano));  // steps 12..14
  addNote(score, kAltoSet, makeMelodyNote(12, 40, 2, kAlto));        // another part is untouched
  addNote(score, kSopranoSet, makeMelodyNote(30, 60, 4, kSoprano));
  addNote(score, kSopranoSet, makeMelodyNote(31, 55, 3, kSoprano));  // both end at step 34
  playStrict(50, 200, kMelodyView);
  // Cut at step 12 (the alto goes on), resumed at 14, ended at 18.
  EXPECT_EQ(sent(), (Sent{on(0, 55), off(0, 55), on(0, 60), on(1, 40), off(0, 60), off(1, 40), on(0, 55), off(0, 55),
                          on(0, 60), off(0, 60)}));
  EXPECT_TRUE(stepper.strictActive().empty());
}

}  // namespace
}  // namespace quorvel
