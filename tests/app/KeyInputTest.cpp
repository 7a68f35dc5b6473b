// Key chords reach the command table; note keys play once per press.
#include <gtest/gtest.h>

#include <vector>

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/KeyInput.h"
#include "support/FakeUi.h"

namespace quorvel {
namespace {

KeyChord ctrl(int key) { return {key, 0, true, false, false}; }
KeyChord ctrlShift(int key) { return {key, 0, true, true, false}; }
KeyChord alt(int key) { return {key, 0, false, false, true}; }
KeyChord plain(int key) { return {key, usLayoutScanCode(key), false, false, false}; }

TEST(KeyDecodeTest, ChordsOfTheKeyboardTable) {
  struct Case {
    KeyChord chord;
    int id;
  };
  const std::vector<Case> cases = {
      {ctrl('N'), cmd::kNew},           {ctrl('O'), cmd::kOpen},
      {ctrl('S'), cmd::kSave},          {ctrlShift('S'), cmd::kSaveAs},
      {ctrl('D'), cmd::kDivideAllBars}, {ctrlShift('D'), 0},
      {ctrl('K'), cmd::kDetectAndApplyKeyNote}, {ctrl('G'), cmd::kZeroToN},
      {ctrl('W'), cmd::kNToN},          {ctrl('1'), cmd::k0to1G},
      {ctrl('2'), cmd::k1to1G},         {ctrl('5'), cmd::k2to1G},
      {ctrl('7'), cmd::k3to1G},         {ctrl('8'), 0},
      {alt('1'), cmd::k0to1A},          {alt('7'), cmd::k1to3A},
      {alt('8'), cmd::k0toDA},          {alt('9'), cmd::kNtoDA},
      {alt('0'), cmd::kNtoDG},          {alt('D'), cmd::k0toDG},
      {alt('M'), cmd::kClearMelodies},  {alt('N'), cmd::kClearDrums},
      {alt(kKeyF4), cmd::kExit},        {{'Q', 0, true, false, true}, cmd::kQuantizeToGrid},
      {{'S', 0, true, false, true}, cmd::kShuffle}, {ctrlShift('F'), cmd::kConvertToLearningSchedule},
      {ctrlShift('G'), cmd::kConvertToRegulatedFormat}, {ctrlShift('B'), cmd::kAnalyseFolder},
      {plain(kKeyDelete), cmd::kDelete}, {plain('H'), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(decodeKey(c.chord).id, c.id) << c.chord.key;
}

TEST(KeyDecodeTest, QuantizeAndShuffleScopes) {
  EXPECT_EQ(decodeKey(alt('Q')).arg, 0);
  EXPECT_EQ(decodeKey({'Q', 0, false, true, true}).arg, 0x200);
  EXPECT_EQ(decodeKey({'S', 0, true, false, true}).arg, 0x100);
  const KeyCommand all = decodeKey({'S', 0, true, true, true});
  EXPECT_EQ(all.id, cmd::kShuffle);
  EXPECT_EQ(all.arg, 0x300);
  EXPECT_EQ(decodeKey({'P', 0, false, true, true}).id, 0);
}

TEST(KeyDecodeTest, FunctionKeysGiveQuarterNoteSteps) {
  EXPECT_EQ(decodeKey(plain(kKeyF1)).arg, 4);
  EXPECT_EQ(decodeKey(plain(kKeyF8)).arg, 32);
  EXPECT_EQ(decodeKey(plain(kKeyF8 + 1)).id, 0);
}

TEST(NoteKeyTest, PhysicalRowsMakeAChromaticScale) {
  const char* keys = "QASEDRFTGHUJIKLP";
  for (int i = 0; keys[i]; ++i) EXPECT_EQ(noteKeyOffset(usLayoutScanCode(keys[i])), i - 9) << keys[i];
  EXPECT_EQ(noteKeyOffset(usLayoutScanCode(';')), 7);
  EXPECT_EQ(noteKeyOffset(usLayoutScanCode('[')), 8);
  EXPECT_EQ(noteKeyOffset(usLayoutScanCode('\'')), 9);
  EXPECT_EQ(noteKeyOffset(usLayoutScanCode(']')), 10);
  EXPECT_EQ(noteKeyOffset(usLayoutScanCode('\\')), 11);
  EXPECT_FALSE(noteKeyOffset(usLayoutScanCode('W')));
  EXPECT_FALSE(noteKeyOffset(usLayoutScanCode('Z')));
}

class KeyInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.ops.noteKeyDown = [this](AppContext&, int offset) { played.push_back(offset); };
    app.ops.noteKeyUp = [this](AppContext&, int offset) { released.push_back(offset); };
  }
  test::FakeUi ui;
  AppContext app{ui};
  std::vector<int> played, released;
};

TEST_F(KeyInputTest, HeldNoteKeyPlaysOnceThroughAutoRepeat) {
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(handleKeyDown(app, plain('H')));
  handleKeyUp(app, plain('H'));
  handleKeyUp(app, plain('H'));
  EXPECT_EQ(played, std::vector<int>{0});
  EXPECT_EQ(released, std::vector<int>{0});
  handleKeyDown(app, plain('H'));
  EXPECT_EQ(played.size(), 2u);
}

TEST_F(KeyInputTest, CtrlLetterIsAShortcutNotANote) {
  KeyChord chord = ctrl('R');
  chord.scanCode = usLayoutScanCode('R');
  handleKeyDown(app, chord);
  EXPECT_TRUE(played.empty());
  EXPECT_FALSE(handleKeyDown(app, plain('W')));
}

TEST_F(KeyInputTest, AltShortcutsAreRefusedDuringInfiniteGeneration) {
  addNote(app.score, kSopranoSet, makeMelodyNote(10, 72, 4, kSoprano));
  app.infiniteRunning = kInfiniteRunning;
  EXPECT_TRUE(handleKeyDown(app, alt('M')));
  EXPECT_EQ(app.score.noteSets[kSopranoSet].size(), 1u);
  handleKeyDown(app, alt(kKeyF4));
  EXPECT_EQ(ui.closeRequests(), 1);
  app.infiniteRunning = 0;
  handleKeyDown(app, alt('M'));
  EXPECT_TRUE(app.score.noteSets[kSopranoSet].empty());
}

TEST_F(KeyInputTest, KeysReachTheTable) {
  handleKeyDown(app, plain(kKeyF1 + 1));
  EXPECT_EQ(app.view.newNoteLength, 8 * kStepPixels);
  handleKeyDown(app, ctrl('Q'));
  EXPECT_EQ(app.view.newNoteLength, 7 * kStepPixels);
}

}  // namespace
}  // namespace quorvel
