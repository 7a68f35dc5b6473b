#include "settings/SettingsApply.h"

#include <gtest/gtest.h>

#include <utility>

#include "model/NoteCode.h"
#include "model/Score.h"
#include "settings/RecordingListener.h"
#include "settings/Utf16.h"

namespace quorvel {
namespace {

using test::RecordingListener;

class SettingsApply : public ::testing::Test {
 protected:
  Score score;
  RecordingListener listener;
};

TEST_F(SettingsApply, TempoOutsideItsRangeKeepsTheLiveValue) {
  GeneralSettings g;
  g.volume = 90;  // taken even when the tempo is not
  for (const auto& [tempo, live] : {std::pair{241, 120}, {59, 120}, {240, 240}, {60, 60}}) {
    g.tempo = tempo;
    applyGeneral(score, g, listener);
    EXPECT_EQ(score.tempo(), live) << tempo;
  }
  EXPECT_EQ(listener.playerChanges, 3);  // the volume once, then each tempo taken
  EXPECT_EQ(score.settings.general.volume, 90);
}

TEST_F(SettingsApply, DrumKeyOutsideGmPercussionLeavesAllTwelveAndANewDrumSetEntersDrumsEditMode) {
  DrumSettings d;
  d.drumKeys = {35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 88};
  d.drumVelocity = 80;
  EXPECT_EQ(applyDrums(score, d, listener), -1);
  EXPECT_EQ(score.settings.drums.drumKeys, DrumSettings{}.drumKeys);
  EXPECT_EQ(score.settings.drums.drumVelocity, 80);
  d.drumKeys[11] = 87;
  d.drumKeys[0] = 27;
  d.drumSet = 5;
  score.noteSets[kSelection].insert(encodeNote(100, 22, 20, kSopranoSet, 0, false));
  EXPECT_EQ(applyDrums(score, d, listener), 0);
  EXPECT_EQ(score.settings.drums.drumKeys, d.drumKeys);
  EXPECT_TRUE(score.drumsEditMode());
  EXPECT_TRUE(score.noteSets[kSelection].empty());
  d.drumSet = 8;
  applyDrums(score, d, listener);
  EXPECT_EQ(score.drumSet(), 5);
  EXPECT_EQ(listener.selectedDrumSets, std::vector<int>{5});
}

// A program number above 127 would reach the synth as a status byte.
TEST_F(SettingsApply, InstrumentAbove127RejectsTheInstrumentsOnly) {
  PartSettings p;
  p.editPart = 0;
  p.instruments = {1, 2, 128, 4};
  EXPECT_EQ(applyParts(score, p, listener), -1);
  EXPECT_EQ(score.settings.parts.instruments, PartSettings{}.instruments);
  EXPECT_EQ(score.editPart(), 0);
  EXPECT_TRUE(listener.programs.empty());
}

TEST_F(SettingsApply, GenerationValuesSkipUnsetAndOutOfRangeEntries) {
  MelodySettings m;
  m.values = {-1, 7, 64, -1, 10, 10, 0, 0, 0, 10, 0, 0, 6};
  applyMelody(score, m);
  const MelodySettings& live = score.settings.melody;
  EXPECT_EQ((std::array{live[kKeyNote], live[kMode], live[kMelodyLength]}), (std::array{72, 0, 64}));
  m[kKeyNote] = 47;
  applyMelody(score, m);
  m[kKeyNote] = 85;  // out of range: 47 stays
  applyMelody(score, m);
  EXPECT_EQ((std::array{live[kKeyNote], score.keyBase}), (std::array{47, 36}));
  CounterNnSettings c;
  c.kind = 7;  // unknown: nothing taken
  c.quantizeRate[0] = 0.9;
  EXPECT_EQ(applyCounterNn(score, c), -1);
  EXPECT_EQ(score.settings.counterNn.quantizeRate[0], 0.05);
}

TEST_F(SettingsApply, AiTypeListsAreKeptWithinTheirSlots) {
  std::array<AiTypeList, kAiTypeLists> lists{};
  lists[1].count = 5000;
  lists[2].count = 1;
  lists[2].selected = 9;
  lists[3].entries[0].fill(u'x');  // no terminating zero
  applyAiTypes(score, lists);
  const auto& live = score.settings.aiTypes;
  EXPECT_EQ(live[1].count, kAiTypeEntries);
  EXPECT_EQ(live[2].selected, 0);
  EXPECT_EQ(slotText(live[3].entries[0]).size(), 63u);
}

}  // namespace
}  // namespace quorvel
