// The save-changes question and the commands that depend on its answer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/SaveChanges.h"
#include "settings/TempFolder.h"
#include "support/FakeUi.h"

namespace quorvel {
namespace {

class SaveChangesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    addNote(app.score, kSopranoSet, makeMelodyNote(10, 72, 4, kSoprano));
    markModified(app.score, ui);
    ui.clearRecords();
  }
  // Save stands in with a fixed result so that each answer's path can be followed.
  void saveAnswers(int result) {
    app.commands.bind(cmd::kSave, [this, result](AppContext&, int) {
      ++saves;
      return result;
    });
  }

  test::FakeUi ui;
  AppContext app{ui};
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
  EXPECT_EQ(m.caption, "Quorvel");
  EXPECT_EQ(m.icon, MsgIcon::Question);
  EXPECT_EQ(m.buttons, MsgButtons::YesNoCancel);
}

TEST_F(SaveChangesTest, UntitledSongInJapanese) {
  app.score.settings.general.language = 1;
  ui.queueAnswer(MsgAnswer::Cancel);
  EXPECT_EQ(askSaveChanges(app), -2);
  EXPECT_EQ(ui.messages().at(0).text, "\"(無題)\" は変更されています\n保存しますか？");
}

TEST_F(SaveChangesTest, CancelOrFailedSaveKeepsTheSongOnNew) {
  ui.queueAnswer(MsgAnswer::Cancel);
  EXPECT_EQ(dispatch(app, cmd::kNew), -2);
  saveAnswers(-1);
  ui.queueAnswer(MsgAnswer::Yes);
  EXPECT_EQ(dispatch(app, cmd::kNew), -1);
  EXPECT_EQ(app.score.noteSets[kSopranoSet].size(), 1u);
  EXPECT_TRUE(app.score.isModified());
}

TEST_F(SaveChangesTest, NoDiscardsAndYesWithASuccessfulSaveClears) {
  ui.queueAnswer(MsgAnswer::No);
  EXPECT_EQ(dispatch(app, cmd::kClearMelodies), 0);
  EXPECT_TRUE(app.score.noteSets[kSopranoSet].empty());
  EXPECT_EQ(saves, 0);

  addNote(app.score, kDrumSet3, makeDrumNote(10, 2, 1, 3, 100));
  markModified(app.score, ui);
  saveAnswers(0);
  ui.queueAnswer(MsgAnswer::Yes);
  EXPECT_EQ(dispatch(app, cmd::kClearDrums), 0);
  EXPECT_EQ(saves, 1);
  EXPECT_TRUE(app.score.noteSets[kDrumSet3].empty());
}

TEST_F(SaveChangesTest, YesOnAnUntitledSongRunsTheRealSaveDialog) {
  ui.queueAnswer(MsgAnswer::Yes);  // the save dialog is then cancelled: nothing is scripted for it
  EXPECT_EQ(dispatch(app, cmd::kNew), -1);
  EXPECT_EQ(app.score.noteSets[kSopranoSet].size(), 1u);

  const test::TempFolder folder;
  const auto path = folder.path() / "song.mid";
  ui.queueAnswer(MsgAnswer::Yes);
  ui.queueSavePath(path.string());
  EXPECT_EQ(dispatch(app, cmd::kNew), 0);
  EXPECT_TRUE(app.score.noteSets[kSopranoSet].empty());
  std::ifstream written(path, std::ios::binary);
  char magic[4] = {};
  written.read(magic, 4);
  EXPECT_EQ(std::string(magic, 4), "MThd");
}

}  // namespace
}  // namespace quorvel
