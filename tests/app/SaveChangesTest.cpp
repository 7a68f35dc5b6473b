// The save-changes question and the commands that depend on its answer.
#include "app/SaveChanges.h"

#include <fstream>

#include "AppFixture.h"

namespace quorvel {
namespace {

class SaveChangesTest : public test::AppFixture {
 protected:
  void SetUp() override {
    modify();
    ui.clearRecords();
  }
  // Save stands in with a fixed result so that each answer's path can be followed.
  void saveAnswers(int result) {
    app.commands.bind(cmd::kSave, [this, result](AppContext&, int) {
      ++saves;
      return result;
    });
  }
  int saves = 0;
};

TEST_F(SaveChangesTest, UnmodifiedSongGoesOnWithoutAsking) {
  app.score.clearFlag(kFlagModified);
  EXPECT_EQ(askSaveChanges(app), 0);
  EXPECT_TRUE(ui.messages().empty());
}

TEST_F(SaveChangesTest, AsksWithTheFileNameWithoutItsFolder) {
  app.score.fileName = "/home/user/songs/tune.mid";
  ui.queueAnswer(MsgAnswer::No);
  EXPECT_EQ(askSaveChanges(app), 0);
  ASSERT_EQ(ui.messages().size(), 1u);
  const test::ShownMessage& m = ui.messages()[0];
  EXPECT_EQ(m.text, "\"tune.mid\" has been modified.\nDo you want to Save changes?");
  EXPECT_EQ(m.buttons, MsgButtons::YesNoCancel);
}

TEST_F(SaveChangesTest, CancelOrFailedSaveKeepsTheSongOnNew) {
  ui.queueAnswer(MsgAnswer::Cancel);
  EXPECT_EQ(dispatch(app, cmd::kNew), -2);
  saveAnswers(-1);
  ui.queueAnswer(MsgAnswer::Yes);
  EXPECT_EQ(dispatch(app, cmd::kNew), -1);
  EXPECT_EQ(notesIn(kSopranoSet), 1u);
  EXPECT_TRUE(app.score.isModified());
}

TEST_F(SaveChangesTest, NoDiscardsAndYesWithASuccessfulSaveClears) {
  ui.queueAnswer(MsgAnswer::No);
  EXPECT_EQ(dispatch(app, cmd::kClearMelodies), 0);
  EXPECT_EQ(notesIn(kSopranoSet), 0u);
  EXPECT_EQ(saves, 0);

  addNote(app.score, kDrumSet3, makeDrumNote(10, 2, 1, 3, 100));
  markModified(app.score, ui);
  saveAnswers(0);
  ui.queueAnswer(MsgAnswer::Yes);
  EXPECT_EQ(dispatch(app, cmd::kClearDrums), 0);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(notesIn(kDrumSet3), 0u);
}

TEST_F(SaveChangesTest, YesOnAnUntitledSongRunsTheRealSaveDialog) {
  const auto path = folder.path() / "song.mid";
  ui.queueAnswer(MsgAnswer::Yes);
  ui.queueSavePath(path.string());
  EXPECT_EQ(dispatch(app, cmd::kNew), 0);
  EXPECT_EQ(notesIn(kSopranoSet), 0u);
  char magic[4] = {};
  std::ifstream(path, std::ios::binary).read(magic, 4);
  EXPECT_EQ(std::string(magic, 4), "MThd");
}

}  // namespace
}  // namespace quorvel
