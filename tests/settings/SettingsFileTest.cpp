#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>

#include "base/FileIo.h"
#include "model/Score.h"
#include "settings/RecordingListener.h"
#include "settings/SettingsImage.h"
#include "settings/TempFolder.h"
#include "support/FakeUi.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;
using test::FakeUi;
using test::RecordingListener;
using test::TempFolder;

class SettingsFile : public ::testing::Test {
 protected:
  int load() { return loadSettings(score, file, ui, listener, screens); }

  TempFolder folder;
  fs::path file = folder.path() / "Quorvel.ini";
  Score score;
  FakeUi ui;
  RecordingListener listener;
  std::vector<ScreenRect> screens{{0, 0, 1920, 1080}};
};

TEST_F(SettingsFile, MissingFileIsAQuietFirstStart) {
  EXPECT_EQ(load(), -1);
  EXPECT_TRUE(ui.messages().empty());
}

TEST_F(SettingsFile, FileOneByteShortOrLongIsRefusedAndReplacedAtTheNextSave) {
  for (long delta : {-1L, 1L}) {
    auto bytes = encodeSettingsImage(Settings{});
    bytes[0] = 200;  // a tempo that must not be taken
    bytes.resize(static_cast<std::size_t>(static_cast<long>(bytes.size()) + delta));
    ASSERT_TRUE(replaceFileContents(file, bytes));
    ui.clearRecords();
    EXPECT_EQ(load(), -1);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, "INI file could not be created or opened");
    EXPECT_EQ(score.tempo(), 120);

    EXPECT_EQ(saveSettings(score, file, ui), 0);
    const auto saved = readWholeFile(file);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->size(), 110024u);
    EXPECT_EQ(*saved, encodeSettingsImage(score.settings));
  }
}

TEST_F(SettingsFile, SavedSettingsComeBackButEveryStartBeginsOnSopranoAndLevel3) {
  score.tempo() = 180;
  score.settings.parts.editPart = 0;
  score.settings.drums.drumSet = 4;
  score.settings.melody[kKeyNote] = 60;
  score.settings.file.options[kExportDrums] = 0;  // on in fresh settings: a stored off must stay off
  score.settings.aiTypes[2].count = 3;
  score.clearFlag(kFlagDrumsBand);
  ASSERT_EQ(saveSettings(score, file, ui), 0);

  Score next;
  RecordingListener nextListener;
  ASSERT_EQ(loadSettings(next, file, ui, nextListener, screens), 0);
  EXPECT_EQ((std::array{next.tempo(), next.settings.melody[kKeyNote], next.keyBase, next.settings.aiTypes[2].count}),
            (std::array{180, 60, 60, 3}));
  EXPECT_EQ((std::array{next.editPart(), next.drumSet()}), (std::array{3, 7}));
  EXPECT_FALSE(next.drumsEditMode() || next.hasFlag(kFlagDrumsBand));
  EXPECT_FALSE(next.settings.file.isOn(kExportDrums));
  EXPECT_EQ(nextListener.programs.size(), 4u);
  EXPECT_TRUE(ui.messages().empty());
}

TEST_F(SettingsFile, SaveCreatesItsFolderAndNeverLeavesATemporaryFile) {
  const fs::path nested = folder.path() / "config" / "Quorvel" / "Quorvel.ini";
  EXPECT_EQ(saveSettings(score, nested, ui), 0);
  EXPECT_EQ(fs::file_size(nested), 110024u);
  EXPECT_EQ(std::distance(fs::directory_iterator(nested.parent_path()), fs::directory_iterator()), 1);

  fs::create_directory(file);  // the target name is taken by a folder: the rename fails
  std::ofstream(file / "keep") << "x";
  EXPECT_EQ(saveSettings(score, file, ui), -1);
  ASSERT_EQ(ui.messages().size(), 1u);
  EXPECT_EQ(ui.messages()[0].text, "INI file could not be created or opened");
  EXPECT_TRUE(fs::exists(file / "keep"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

}  // namespace
}  // namespace quorvel
