#include "playback/NotePreview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "model/Score.h"
#include "playback/PlaybackTestSupport.h"
#include "playback/Player.h"
#include "support/FakeUi.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;
using namespace test;

constexpr std::uint32_t previewOff(int channel, int key) { return msg(0x80 | channel, key, 1); }

// The preview over a recording sink, with the cue moved by hand.
class NotePreviewTest : public ::testing::Test {
 protected:
  NotePreviewTest() { score.keyBase = 60; }

  void at(int cueX) { score.cueIndicator = cueX; }
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

TEST_F(NotePreviewTest, MonophonicPreviewReleasesThePreviousKeyFirst) {
  preview.startRealtime(0, kRealtimeOn | kRealtimeMonophonic);
  preview.keyPressed(0, kSourceKeyboard);
  preview.keyPressed(2, kSourceKeyboard);
  preview.keyReleased(0, kSourceKeyboard);  // already silent
  preview.keyReleased(2, kSourceKeyboard);
  EXPECT_EQ(log->messages(), (Sent{on(0, 60), previewOff(0, 60), on(0, 62), previewOff(0, 62)}));
}

TEST_F(NotePreviewTest, PolyphonicRecordingWritesOverlappingNotesRoundedToTheNearestStep) {
  preview.startRealtime(0, kRealtimeOn | kRealtimeRecord);
  at(12);  // nearest step 2
  preview.keyPressed(0, kSourceKeyboard);
  EXPECT_EQ(playStarts, 1);
  EXPECT_TRUE(score.isModified());
  at(33);  // step 7
  preview.keyPressed(4, kSourceKeyboard);
  EXPECT_EQ(playStarts, 1);
  at(57);  // step 11
  preview.keyReleased(0, kSourceKeyboard);
  at(62);  // step 12
  preview.keyReleased(4, kSourceKeyboard);
  EXPECT_EQ(written(), (std::vector<NoteCode>{makeMelodyNote(2, 60, 9, kSoprano), makeMelodyNote(7, 64, 5, kSoprano)}));
}

TEST_F(NotePreviewTest, MonophonicRecordingEndsTheFirstNoteAtTheSecondPress) {
  preview.startRealtime(0, kRealtimeOn | kRealtimeRecord | kRealtimeMonophonic);
  at(10);
  preview.keyPressed(0, kSourceKeyboard);
  at(30);
  preview.keyPressed(2, kSourceKeyboard);
  at(50);
  preview.keyReleased(0, kSourceKeyboard);  // ended already
  preview.keyReleased(2, kSourceKeyboard);
  EXPECT_EQ(written(), (std::vector<NoteCode>{makeMelodyNote(2, 60, 4, kSoprano), makeMelodyNote(6, 62, 4, kSoprano)}));
}

TEST_F(NotePreviewTest, RecordedLengthsStayBetweenOneStepAndTheLongestNote) {
  preview.startRealtime(0, kRealtimeOn | kRealtimeRecord);
  at(10);
  preview.keyPressed(0, kSourceKeyboard);
  at(12);  // less than half a step later: still step 2
  preview.keyReleased(0, kSourceKeyboard);
  at(100);
  preview.keyPressed(1, kSourceKeyboard);
  at(100 + 5 * 200);
  preview.keyReleased(1, kSourceKeyboard);
  EXPECT_EQ(written(), (std::vector<NoteCode>{makeMelodyNote(2, 60, 1, kSoprano), makeMelodyNote(20, 61, 127, kSoprano)}));
}

TEST_F(NotePreviewTest, StoppingRealTimeModeClosesTheTakeAtTheCue) {
  preview.startRealtime(0, kRealtimeOn | kRealtimeRecord);
  at(20);
  preview.keyPressed(0, kSourceKeyboard);
  at(60);
  preview.stopRealtime();
  EXPECT_EQ(preview.realtimeMode(), 0);
  EXPECT_EQ(written(), std::vector<NoteCode>{makeMelodyNote(4, 60, 8, kSoprano)});
  preview.keyReleased(0, kSourceKeyboard);  // the key is let go after the take: nothing more
  EXPECT_EQ(log->messages(), (Sent{on(0, 60), previewOff(0, 60)}));
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
  const auto deadline = std::chrono::steady_clock::now() + 3s;
  // The window thread keeps playing while the player runs, well before the end.
  while (score.cueIndicator.load() < 35 && std::chrono::steady_clock::now() < deadline) {
    preview.keyPressed(2, kSourceKeyboard);
    preview.keyReleased(2, kSourceKeyboard);
    std::this_thread::sleep_for(2ms);
  }
  const auto heldNoteWritten = [&] {
    preview.writeFinishedNotes();
    std::lock_guard lock(score.noteMutex);
    const NoteSet& set = score.noteSets[kSopranoSet];
    return std::any_of(set.begin(), set.end(), [](NoteCode c) { return melodyKey(c) == 60; });
  };
  while (!heldNoteWritten() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
  // The output thread sends the take's note-off on its own time.
  const auto noteOffSent = [&] {
    const auto sent = catalog.log->messages();
    return std::find(sent.begin(), sent.end(), previewOff(0, 60)) != sent.end();
  };
  while (!noteOffSent() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
  player.setNotePreview(nullptr);
  player.shutdown();

  const NoteSet& set = score.noteSets[kSopranoSet];
  ASSERT_TRUE(std::any_of(set.begin(), set.end(), [](NoteCode c) { return melodyKey(c) == 60; }));
  const NoteCode held = *std::find_if(set.begin(), set.end(), [](NoteCode c) { return melodyKey(c) == 60; });
  EXPECT_EQ(melodyKey(held), 60);
  EXPECT_EQ(noteStart(held), 2);
  EXPECT_EQ(noteStart(held) + melodyLength(held), 10);  // the end indicator's step
  EXPECT_TRUE(noteOffSent());
}

}  // namespace
}  // namespace quorvel
