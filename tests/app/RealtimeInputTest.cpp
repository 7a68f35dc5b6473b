// The note keys, "Choose Learning Type" and the partner voices, through the
// spine as the window drives them, over a recording sink.
#include "app/RealtimeInput.h"

#include <algorithm>
#include <memory>

#include "AppFixture.h"
#include "app/KeyInput.h"
#include "playback/RecordingMidiOut.h"

namespace quorvel {
namespace {

using test::AppFixture;

constexpr int kScanH = 0x23, kScanJ = 0x24, kScanK = 0x25;

int statusOf(std::uint32_t m) { return static_cast<int>(m & 0xFF); }
int keyOf(std::uint32_t m) { return static_cast<int>((m >> 8) & 0x7F); }
int velocityOf(std::uint32_t m) { return static_cast<int>((m >> 16) & 0x7F); }

class RealtimeInputTest : public AppFixture {
 protected:
  RealtimeInputTest() {
    app.score.keyBase = 60;
    app.score.settings.melody[kKeyNote] = 60;
    wireRealtimeInput(app, preview);
  }
  void down(int scanCode) { handleKeyDown(app, KeyChord{0, scanCode, false, false, false}); }
  void up(int scanCode) { handleKeyUp(app, KeyChord{0, scanCode, false, false, false}); }
  std::vector<std::uint32_t> sent() const { return log->messages(); }
  std::vector<std::uint32_t> noteOnsOn(int channel) const {
    std::vector<std::uint32_t> ons;
    for (std::uint32_t m : sent())
      if (statusOf(m) == 0x90 + channel) ons.push_back(m);
    return ons;
  }

  std::shared_ptr<MessageLog> log = std::make_shared<MessageLog>();
  RecordingMidiOut sink{log};
  Random random{12345};
  GeneratorPartners partners{app.score, random};
  NotePreview preview{app.score, ui, {[this](std::uint32_t m) { sink.send(m); }, {}}, &partners};
};

TEST_F(RealtimeInputTest, TheLearningTypeMayNotReachBelowTheBass) {
  app.score.settings.parts.editPart = kTenor;
  EXPECT_EQ(realtimeChoiceRefusal({1, false, false}, kTenor), "");
  EXPECT_EQ(realtimeChoiceRefusal({2, false, false}, kTenor), "You can't generate lines with selecting part");
}

TEST_F(RealtimeInputTest, RecordingAsksToSaveAModifiedSongAndCancelLeavesTheModeOff) {
  modify();
  ui.queueAnswer(MsgAnswer::Cancel);
  EXPECT_EQ(startRealtimeMode(app, preview, {1, true, false}), -2);
  EXPECT_EQ(preview.realtimeMode(), 0);
  EXPECT_EQ(notesIn(kSopranoSet), 1u);

  ui.queueAnswer(MsgAnswer::No);
  EXPECT_EQ(startRealtimeMode(app, preview, {1, true, false}), 0);
  EXPECT_EQ(preview.realtimeMode(), kRealtimeOn | kRealtimeRecord);
  EXPECT_EQ(notesIn(kSopranoSet), 0u);
}

// Three partners answer every press on the channels of the three parts below
// the Soprano, lowest line first, and stop when the next press replaces them.
TEST_F(RealtimeInputTest, PartnerVoicesSoundOnTheirChannelsAndAreRecordedIntoTheirParts) {
  ASSERT_EQ(startRealtimeMode(app, preview, {3, true, false}), 0);
  const int keys[] = {kScanH, kScanJ, kScanK, kScanJ, kScanH};
  int x = 10;
  for (int scan : keys) {
    app.score.cueIndicator = x;
    down(scan);
    x += 20;
    app.score.cueIndicator = x;
    up(scan);
  }
  for (int channel = 1; channel <= 3; ++channel) {
    SCOPED_TRACE(channel);
    const auto ons = noteOnsOn(channel);
    ASSERT_EQ(ons.size(), 5u);
    for (std::uint32_t m : ons) {
      EXPECT_LT(keyOf(m), 64);  // below the played notes
      EXPECT_EQ(velocityOf(m), 100);
    }
  }
  // The first answer: line 3 (Bass, channel 3) first, line 1 (Alto, channel 1) last.
  const auto all = sent();
  EXPECT_EQ(statusOf(all[1]), 0x93);
  EXPECT_EQ(statusOf(all[3]), 0x91);

  app.score.cueIndicator = x;
  stopRealtimeMode(app, preview);
  for (int part : {kAlto, kTenor, kBass}) {
    const NoteSet& set = app.score.noteSets[static_cast<std::size_t>(part)];
    ASSERT_EQ(set.size(), 5u);
    int start = 2;
    for (NoteCode c : set) {
      EXPECT_EQ(noteStart(c), start);
      EXPECT_EQ(melodyLength(c), 4);  // each sounds until the next press
      EXPECT_EQ(melodyPart(c), part);
      start += 4;
    }
  }
  EXPECT_EQ(notesIn(kSopranoSet), 5u);
  EXPECT_EQ(preview.realtimeMode(), 0);
  // Every note that started has stopped.
  int sounding = 0;
  for (std::uint32_t m : sent()) sounding += (statusOf(m) & 0xF0) == 0x90 ? 1 : -1;
  EXPECT_EQ(sounding, 0);
}

}  // namespace
}  // namespace quorvel
