#include "playback/NotePreview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "model/Score.h"
#include "playback/PlaybackTestSupport.h"
#include "playback/Player.h"
#include "support/FakeUi.h"

namespace quorvel {
namespace {

using namespace test;

constexpr std::uint32_t previewOff(int channel, int key) { return msg(0x80 | channel, key, 1); }

// The preview over a recording sink, with the cue moved by hand.
class NotePreviewTest : public ::testing::Test {
 protected:
  NotePreviewTest() { score.keyBase = 60; }

  void at(int cueX) { score.cueIndicator = cueX; }
  void pressAt(int cueX, int offset) {
    at(cueX);
    preview.keyPressed(offset, kSourceKeyboard);
  }
  void releaseAt(int cueX, int offset) {
    at(cueX);
    preview.keyReleased(offset, kSourceKeyboard);
  }
  std::vector<NoteCode> written() {
    preview.writeFinishedNotes();
    const NoteSet& set = score.noteSets[kSopranoSet];
    return {set.begin(), set.end()};
  }

  Score score;
  FakeUi ui;
  std::shared_ptr<MessageLog> log = std::make_shared<MessageLog>();
  RecordingMidiOut sink{log};
  int playStarts = 0;
  NotePreview preview{score, ui, {[this](std::uint32_t m) { sink.send(m); }, [this] { ++playStarts; }}};
};

TEST_F(NotePreviewTest, PreviewSoundsAHeldKeyOnceOnTheEditPartAndReleasesWithVelocityOne) {
  score.settings.parts.editPart = kAlto;
  preview.keyPressed(0, kSourceKeyboard);
  preview.keyPressed(0, kSourceKeyboard);  // already held
  preview.keyPressed(4, kSourceMidiInput, 33);
  EXPECT_EQ(ui.status(1), "note: 64");
  preview.keyReleased(0, kSourceKeyboard);
  preview.keyReleased(0, kSourceKeyboard);  // no longer held
  EXPECT_EQ(log->messages(), (Sent{on(1, 60), on(1, 64, 33), previewOff(1, 60)}));
  EXPECT_EQ(preview.soundingKeys(), std::vector<int>{64});

  // The mouse releases the key it pressed, wherever it is let go.
  log->clear();
  preview.keyPressed(-3, kSourceMouse);
  preview.keyReleased(7, kSourceMouse);
  EXPECT_EQ(log->messages(), (Sent{on(1, 57), previewOff(1, 57)}));
}

TEST_F(NotePreviewTest, DrumLanesPlayTheirKeysOutsideRealTimeModeOnly) {
  preview.previewDrum(12);  // lane 12 plays key 36 by default
  EXPECT_EQ(ui.status(1), "note: 36");
  preview.releaseDrum();
  EXPECT_EQ(ui.status(1), "");
  score.settings.drums.drumKeys[0] = 90;  // not a percussion key
  preview.previewDrum(1);
  preview.startRealtime(0, kRealtimeOn);
  preview.previewDrum(12);
  EXPECT_EQ(log->messages(), (Sent{on(9, 36), on(9, 36, 1)}));
}

// Lengths stay between one step and the longest note.
TEST_F(NotePreviewTest, PolyphonicRecordingWritesOverlappingNotesRoundedToTheNearestStep) {
  preview.startRealtime(0, kRealtimeOn | kRealtimeRecord);
  pressAt(12, 0);  // nearest step 2
  EXPECT_EQ(playStarts, 1);
  EXPECT_TRUE(score.isModified());
  pressAt(33, 4);  // step 7
  EXPECT_EQ(playStarts, 1);
  releaseAt(57, 0);  // step 11
  releaseAt(62, 4);  // step 12
  pressAt(100, 1);
  releaseAt(100 + 5 * 200, 1);
  pressAt(1500, 0);
  releaseAt(1502, 0);  // less than half a step later: still step 300
  EXPECT_EQ(written(), (std::vector<NoteCode>{makeMelodyNote(2, 60, 9, kSoprano), makeMelodyNote(7, 64, 5, kSoprano),
                                              makeMelodyNote(20, 61, 127, kSoprano), makeMelodyNote(300, 60, 1, kSoprano)}));
}

// Stopping real-time mode closes the take at the cue.
TEST_F(NotePreviewTest, MonophonicRecordingEndsTheFirstNoteAtTheSecondPressAndStoppingAtTheCue) {
  preview.startRealtime(0, kRealtimeOn | kRealtimeRecord | kRealtimeMonophonic);
  pressAt(10, 0);
  pressAt(30, 2);
  releaseAt(50, 0);  // ended already
  releaseAt(50, 2);
  pressAt(70, 0);
  at(110);
  preview.stopRealtime();
  EXPECT_EQ(preview.realtimeMode(), 0);
  EXPECT_EQ(written(), (std::vector<NoteCode>{makeMelodyNote(2, 60, 4, kSoprano), makeMelodyNote(6, 62, 4, kSoprano),
                                              makeMelodyNote(14, 60, 8, kSoprano)}));
  preview.keyReleased(0, kSourceKeyboard);  // the key is let go after the take: nothing more
  EXPECT_EQ(log->messages(), (Sent{on(0, 60), previewOff(0, 60), on(0, 62), previewOff(0, 62), on(0, 60),
                                   previewOff(0, 60)}));
}

// The real player ends the take on its own thread when it stops at the end indicator.
TEST(NotePreviewWithPlayer, APlayerThatStopsAtTheEndClosesTheTakeThere) {
  Score score;
  score.settings.general.tempo = 240;
  score.keyBase = 60;
  score.endIndicator = 50;
  FakeUi ui;
  RecordingCatalog catalog;
  Player player(score, catalog);
  ASSERT_EQ(player.startOutputThread(), 0);
  player.startPlayerThread();
  NotePreview preview(score, ui, {[&](std::uint32_t m) { player.postShortMessage(m); }, [&] { player.play(); }});
  player.setNotePreview(&preview);

  preview.startRealtime(0, kRealtimeOn | kRealtimeRecord);
  preview.keyPressed(0, kSourceKeyboard);
  // The window thread keeps playing while the player runs, well before the end.
  ASSERT_TRUE(eventually([&] {
    preview.keyPressed(2, kSourceKeyboard);
    preview.keyReleased(2, kSourceKeyboard);
    return score.cueIndicator.load() >= 35;
  }));
  std::optional<NoteCode> held;
  ASSERT_TRUE(eventually([&] {
    preview.writeFinishedNotes();
    std::lock_guard lock(score.noteMutex);
    for (NoteCode c : score.noteSets[kSopranoSet])
      if (melodyKey(c) == 60) held = c;
    return held.has_value();
  }));
  // The output thread sends the take's note-off on its own time.
  EXPECT_TRUE(eventually([&] {
    const auto sent = catalog.log->messages();
    return std::find(sent.begin(), sent.end(), previewOff(0, 60)) != sent.end();
  }));
  player.setNotePreview(nullptr);
  player.shutdown();
  EXPECT_EQ(noteStart(*held), 2);
  EXPECT_EQ(noteStart(*held) + melodyLength(*held), 10);  // the end indicator's step
}

}  // namespace
}  // namespace quorvel
