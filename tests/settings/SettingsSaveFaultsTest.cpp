// Writing Quorvel.ini when the disk, the folder or the path fails it, and when
// the writing process is killed: the old file stays whole and nothing is left over.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <set>

#include "base/FileIo.h"
#include "model/Score.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsImage.h"
#include "settings/TempFolder.h"
#include "support/ChildProcess.h"
#include "support/FakeUi.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

class SettingsSaveFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::permissions(folder.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                       fs::perms::others_read | fs::perms::others_exec);
    score.tempo() = 100;
    ASSERT_EQ(saveSettings(score, file, ui), 0);
    oldBytes = readWholeFile(file).value_or(Bytes{});
    ASSERT_EQ(oldBytes.size(), kSettingsImageSize);
    score.tempo() = 200;
  }

  std::set<std::string> entries() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder.path())) names.insert(e.path().filename().string());
    return names;
  }
  bool failedWithMessage() const {
    return ui.messages().size() == 1 && ui.messages()[0].text == "INI file could not be created or opened";
  }
  int saveInChildAfter(void (*prepare)()) {
    return resultInChild([&] {
      prepare();
      return saveSettings(score, file, ui) == -1 && failedWithMessage() ? 0 : 1;
    });
  }
  void expectOldFileAlone() {
    EXPECT_EQ(readWholeFile(file).value_or(Bytes{}), oldBytes);
    EXPECT_EQ(entries(), std::set<std::string>{"Quorvel.ini"}) << "no temporary file left behind";
  }

  TempFolder folder;
  fs::path file = folder.path() / "Quorvel.ini";
  Score score;
  FakeUi ui;
  Bytes oldBytes;
};

TEST_F(SettingsSaveFaults, AFullDiskLeavesTheOldFileWhole) {
  EXPECT_EQ(saveInChildAfter([] { limitFileSize(4096); }), 0);
  expectOldFileAlone();
}

TEST_F(SettingsSaveFaults, AReadOnlyFolderLeavesTheOldFileWhole) {
  fs::permissions(folder.path(), fs::perms::owner_write | fs::perms::group_write, fs::perm_options::remove);
  EXPECT_EQ(saveInChildAfter(dropRoot), 0);
  fs::permissions(folder.path(), fs::perms::owner_write, fs::perm_options::add);
  expectOldFileAlone();
}

TEST_F(SettingsSaveFaults, AFolderAtTheTargetOrAPathTooLongFailsCleanly) {
  fs::remove(file);
  fs::create_directory(file);
  EXPECT_EQ(saveSettings(score, file, ui), -1);
  EXPECT_TRUE(failedWithMessage());
  EXPECT_TRUE(fs::is_directory(file));
  EXPECT_EQ(entries(), std::set<std::string>{"Quorvel.ini"});

  ui.clearRecords();
  EXPECT_EQ(saveSettings(score, folder.path() / std::string(256, 'q') / "Quorvel.ini", ui), -1);
  EXPECT_TRUE(failedWithMessage());
  EXPECT_EQ(entries(), std::set<std::string>{"Quorvel.ini"});
}

TEST_F(SettingsSaveFaults, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewFileWhole) {
  const Bytes newBytes = encodeSettingsImage(score.settings);
  const auto saveForever = [&] {
    for (bool second = true;; second = !second) {
      score.tempo() = second ? 200 : 100;
      saveSettings(score, file, ui);
    }
  };
  const auto began = std::chrono::steady_clock::now();
  ASSERT_EQ(saveSettings(score, file, ui), 0);
  const auto oneSave = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - began);
  ASSERT_TRUE(replaceFileContents(file, oldBytes));
  std::mt19937 random(20261208);
  std::uniform_int_distribution<long> delay(0, 200 + 4 * oneSave.count());
  int sawNew = 0;
  for (int kill = 0; kill < 120; ++kill) {
    killWhileRunning(saveForever, delay(random));
    const Bytes now = readWholeFile(file).value_or(Bytes{});
    ASSERT_TRUE(now == oldBytes || now == newBytes) << "kill " << kill << ": a torn file of " << now.size() << " bytes";
    ASSERT_TRUE(decodeSettingsImage(now).has_value());
    sawNew += now == newBytes;
  }
  EXPECT_GT(sawNew, 0) << "the writer never got a save done: the kills came too early to test anything";
}

}  // namespace
}  // namespace quorvel::test
