// Key chords reach the command table; note keys play once per press.
#include "app/KeyInput.h"

#include <vector>

#include "AppFixture.h"

namespace quorvel {
namespace {

KeyChord ctrl(int key) { return {key, 0, true, false, false}; }
KeyChord ctrlShift(int key) { return {key, 0, true, true, false}; }
KeyChord alt(int key) { return {key, 0, false, false, true}; }
KeyChord plain(int key) { return {key, usLayoutScanCode(key), false, false, false}; }

// The modifier rules and each kind of answer; not every row of the key table.
TEST(KeyDecodeTest, ChordsByModifiers) {
  struct Case {
    KeyChord chord;
    int id, arg;
  };
  const Case cases[] = {
      {ctrl('S'), cmd::kSave, 0},           {ctrlShift('S'), cmd::kSaveAs, 0},
      {ctrlShift('D'), 0, 0},               {alt('8'), cmd::k0toDA, 0},
      {{'D', 0, true, false, true}, 0, 0},  {{'Q', 0, false, true, true}, cmd::kQuantizeToGrid, 0x200},
      {{'S', 0, true, true, true}, cmd::kShuffle, 0x300}, {plain(kKeyDelete), cmd::kDelete, 0},
      {plain(kKeyF8), cmd::kNewNoteLength, 32}, {plain(kKeyF8 + 1), 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chord.key);
    EXPECT_EQ(decodeKey(c.chord).id, c.id);
    EXPECT_EQ(decodeKey(c.chord).arg, c.arg);
  }
}

class KeyInputTest : public test::AppFixture {
 protected:
  void SetUp() override {
    app.ops.noteKeyDown = [this](AppContext&, int offset) { played.push_back(offset); };
    app.ops.noteKeyUp = [this](AppContext&, int offset) { released.push_back(offset); };
  }
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

TEST_F(KeyInputTest, AltShortcutsAreRefusedDuringInfiniteGeneration) {
  addNote(app.score, kSopranoSet, makeMelodyNote(10, 72, 4, kSoprano));
  app.infiniteRunning = true;
  EXPECT_TRUE(handleKeyDown(app, alt('M')));
  EXPECT_EQ(notesIn(kSopranoSet), 1u);
  handleKeyDown(app, alt(kKeyF4));
  EXPECT_EQ(ui.closeRequests(), 1);
  app.infiniteRunning = false;
  handleKeyDown(app, alt('M'));
  EXPECT_TRUE(app.score.noteSets[kSopranoSet].empty());
}

}  // namespace
}  // namespace quorvel
