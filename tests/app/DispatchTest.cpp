// The command table: the refusal rules and the spine's own commands.
#include "AppFixture.h"

namespace quorvel {
namespace {

class DispatchTest : public test::AppFixture {
 protected:
  void SetUp() override {
    addNote(app.score, kSopranoSet, makeMelodyNote(10, 72, 4, kSoprano));
    addNote(app.score, kDrumSet3, makeDrumNote(10, 2, 1, 3, 100));
  }
};

TEST_F(DispatchTest, UnknownAndUnbuiltCommandsDoNothing) {
  EXPECT_EQ(dispatch(app, 12345), -2);
  EXPECT_EQ(dispatch(app, cmd::kTest), -1);
  EXPECT_EQ(notesIn(kSopranoSet), 1u);
  EXPECT_TRUE(ui.messages().empty());
}

TEST_F(DispatchTest, BusyAndInfiniteGenerationRefuseTheirCommandsSilently) {
  app.score.setFlag(kFlagGenerating);
  app.score.setFlag(kFlagModified);
  for (int id : {cmd::kNew, cmd::kOpen, cmd::kSave, cmd::kSaveAs, cmd::kClearMelodies, cmd::kClearDrums,
                 cmd::kUndo, cmd::kRedo, cmd::kDelete, cmd::kQuantizeToGrid, cmd::kShuffle, cmd::kInfinite})
    EXPECT_EQ(dispatch(app, id), -2) << id;
  EXPECT_EQ(notesIn(kSopranoSet), 1u);
  EXPECT_EQ(notesIn(kDrumSet3), 1u);
  EXPECT_TRUE(ui.messages().empty());
  // Choosing another part stays possible during a run.
  EXPECT_EQ(dispatch(app, cmd::kAlto), 0);
  EXPECT_EQ(app.score.editPart(), kAlto);
  app.score.clearFlag(kFlagGenerating);

  // Infinite generation refuses generation and clearing; plain file commands pass.
  app.infiniteRunning = true;
  for (int id : {cmd::k0to1A, cmd::k1to3G, cmd::kZeroToN, cmd::kNToN, cmd::k0toDA, cmd::kClearMelodies,
                 cmd::kClearDrums, cmd::kShuffle, cmd::kQuantizeToOtherPart, cmd::kInfinite})
    EXPECT_EQ(dispatch(app, id), -2) << id;
  EXPECT_EQ(notesIn(kSopranoSet), 1u);
  app.score.clearFlag(kFlagModified);
  EXPECT_EQ(dispatch(app, cmd::kNew), 0);
  EXPECT_EQ(notesIn(kSopranoSet), 0u);
}

TEST_F(DispatchTest, NewAndClearCommandsRemoveTheirNotesAndForgetTheFile) {
  struct Case {
    int id;
    std::size_t soprano, drums;
  };
  for (const Case& c : {Case{cmd::kNew, 0, 0}, {cmd::kClearMelodies, 0, 1}, {cmd::kClearDrums, 1, 0}}) {
    SCOPED_TRACE(c.id);
    removeSet(app.score, kSopranoSet);
    removeSet(app.score, kDrumSet3);
    SetUp();
    app.score.fileName = "/tmp/song.mid";
    EXPECT_EQ(dispatch(app, c.id), 0);
    EXPECT_EQ(app.score.noteSets[kMelodyView].size(), c.soprano);
    EXPECT_EQ(notesIn(kDrumSet3), c.drums);
    EXPECT_TRUE(app.score.fileName.empty());
  }
}

TEST_F(DispatchTest, SelectAllTakesTheActiveSetAndDeleteRemovesIt) {
  addNote(app.score, kSopranoSet, makeMelodyNote(20, 74, 4, kSoprano));
  dispatch(app, cmd::kSelectAll);
  EXPECT_EQ(app.score.noteSets[kSelection].size(), 2u);
  dispatch(app, cmd::kDelete);
  EXPECT_EQ(notesIn(kSopranoSet), 0u);
  EXPECT_TRUE(app.score.isModified());
  dispatch(app, cmd::kUndo);
  EXPECT_EQ(notesIn(kSopranoSet), 2u);
  EXPECT_EQ(app.score.noteSets[kMelodyView].size(), 2u);
  EXPECT_TRUE(app.score.noteSets[kSelection].empty()) << "undoing a delete does not reselect";
}

TEST_F(DispatchTest, LocalGenerationRunsThroughTheTable) {
  app.score.clearFlag(kFlagModified);
  app.random.seed(7);
  dispatch(app, cmd::kAlto);
  EXPECT_EQ(dispatch(app, cmd::k0to1A), 0);
  EXPECT_FALSE(app.score.noteSets[kAltoSet].empty());
  EXPECT_FALSE(app.busy());
  EXPECT_TRUE(app.score.isModified());
  dispatch(app, cmd::k0toDA);
  EXPECT_TRUE(app.score.drumsEditMode());
}

}  // namespace
}  // namespace quorvel
