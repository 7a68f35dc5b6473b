#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <vector>

#include "model/Score.h"
#include "settings/RecordingListener.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsImage.h"
#include "settings/TempFolder.h"
#include "settings/Utf16.h"
#include "support/FakeUi.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;
using test::FakeUi;
using test::RecordingListener;
using test::TempFolder;

std::vector<std::uint8_t> fileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

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
    writeBytes(file, bytes);
    ui.clearRecords();
    EXPECT_EQ(load(), -1);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, "INI file could not be created or opened");
    EXPECT_EQ(score.tempo(), 120);

    EXPECT_EQ(saveSettings(score, file, ui), 0);
    const auto saved = fileBytes(file);
    EXPECT_EQ(saved.size(), 110024u);
    EXPECT_EQ(saved, encodeSettingsImage(score.settings));
  }
}

TEST_F(SettingsFile, SavedSettingsComeBackButEveryStartBeginsOnSopranoAndLevel3) {
  score.tempo() = 180;
  score.settings.parts.editPart = 0;
  score.settings.drums.drumSet = 4;
  score.settings.melody[kKeyNote] = 60;
  score.settings.file.options[kExportDrums] = 10;
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
  EXPECT_TRUE(next.settings.file.isOn(kExportDrums));
  EXPECT_EQ(nextListener.programs.size(), 4u);
  EXPECT_TRUE(ui.messages().empty());
}

TEST_F(SettingsFile, OutOfRangeFieldsInAWellSizedFileKeepTheirDefaults) {
  Settings stored;
  stored.general.tempo = 241;
  stored.general.volume = 90;
  stored.drums.drumKeys[4] = 88;
  stored.drums.drumVelocity = 64;
  writeBytes(file, encodeSettingsImage(stored));
  EXPECT_EQ(load(), 0);
  EXPECT_EQ(score.tempo(), 120);
  EXPECT_EQ(score.settings.general.volume, 90);
  EXPECT_EQ(score.settings.drums.drumKeys, DrumSettings{}.drumKeys);
  EXPECT_EQ(score.settings.drums.drumVelocity, 64);
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

TEST_F(SettingsFile, DefaultsAfterAFailedLoadRestoreEveryTab) {
  score.tempo() = 200;
  score.settings.window.left = 5;
  score.settings.parts.editPart = 1;
  score.settings.melody[kMode] = 3;
  score.settings.counterNn.kind = 2;
  score.clearFlag(kFlagDrumsBand);
  restoreAllDefaults(score, listener);
  EXPECT_EQ((std::array{score.tempo(), score.settings.window.left, score.editPart(), score.settings.melody[kMode],
                        score.settings.counterNn.kind}),
            (std::array{120, 250, 3, 0, 0}));
  EXPECT_TRUE(score.hasFlag(kFlagDrumsBand));
  for (const AiTypeList& list : score.settings.aiTypes) {
    EXPECT_EQ(list.count, 1);
    EXPECT_EQ(slotText(list.entries[0]), "000_default");
  }
  EXPECT_EQ(restoreDefaults(score, kOptionsTabCount, listener), -1);
}

}  // namespace
}  // namespace quorvel
