// Saving a song when the disk, the folder or the path fails it, and when the
// saving process is killed: the old file stays whole and nothing is left over.
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <set>

#include "base/FileIo.h"
#include "midifile/MidiWriter.h"
#include "midifile/SongFiles.h"
#include "ReaderFixture.h"
#include "settings/TempFolder.h"
#include "support/ChildProcess.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

class SaveFaults : public ReaderFixture {
 protected:
  void SetUp() override {
    fs::permissions(folder.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                       fs::perms::others_read | fs::perms::others_exec);
    for (int i = 0; i < 200; ++i) addNote(*score, i % 4, makeMelodyNote(2 + 4 * i, 50 + i % 30, 4, i % 4));
    score->setFlag(kFlagModified);
    score->fileName = path;
    ASSERT_EQ(saveSong(*score, ui), 0);
    oldBytes = fileBytes(path);
    ASSERT_GT(oldBytes.size(), 1000u);
    addNote(*score, kSopranoSet, kExtraNote);  // the song now differs from the file
    score->setFlag(kFlagModified);
    ui.clearRecords();
  }

  static Raw fileBytes(const std::string& file) { return readWholeFile(file).value_or(Raw{}); }
  std::set<std::string> entries() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder.path())) names.insert(e.path().filename().string());
    return names;
  }
  // The save failed, said so, and the song forgot the file name.
  bool failedWithMessage() const {
    return ui.messages().size() == 1 && ui.messages()[0].text == "File could not be created or opened" &&
           score->fileName.empty() && score->isModified();
  }
  int saveInChildAfter(void (*prepare)()) {
    return resultInChild([&] {
      prepare();
      return saveSong(*score, ui) == -1 && failedWithMessage() ? 0 : 1;
    });
  }
  void expectOldFileAlone() {
    EXPECT_EQ(fileBytes(path), oldBytes);
    EXPECT_EQ(entries(), std::set<std::string>{"song.mid"}) << "no temporary file left behind";
  }

  static constexpr NoteCode kExtraNote = makeMelodyNote(900, 72, 8, 3);
  TempFolder folder;
  std::string path = (folder.path() / "song.mid").string();
  Raw oldBytes;
};

TEST_F(SaveFaults, AFullDiskLeavesTheOldFileWhole) {
  EXPECT_EQ(saveInChildAfter([] { limitFileSize(512); }), 0);
  expectOldFileAlone();
}

TEST_F(SaveFaults, AReadOnlyFolderLeavesTheOldFileWhole) {
  fs::permissions(folder.path(), fs::perms::owner_write | fs::perms::group_write, fs::perm_options::remove);
  EXPECT_EQ(saveInChildAfter(dropRoot), 0);
  fs::permissions(folder.path(), fs::perms::owner_write, fs::perm_options::add);
  expectOldFileAlone();
}

TEST_F(SaveFaults, AFolderAtTheTargetStaysAFolder) {
  const fs::path target = folder.path() / "song.mid.d";
  fs::create_directory(target);
  score->fileName = target.string();
  EXPECT_EQ(saveSong(*score, ui), -1);
  EXPECT_TRUE(failedWithMessage());
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_EQ(entries(), (std::set<std::string>{"song.mid", "song.mid.d"}));
  EXPECT_EQ(fileBytes(path), oldBytes);
}

TEST_F(SaveFaults, ANameTooLongFailsCleanlyAndTheLongestNameSaves) {
  score->fileName = (folder.path() / std::string(256, 'n')).string();
  EXPECT_EQ(saveSong(*score, ui), -1);
  EXPECT_TRUE(failedWithMessage());
  expectOldFileAlone();

  // A name of the longest length a folder allows is a good name: the temporary file must not need more.
  const std::string longest = (folder.path() / std::string(255, 'n')).string();
  score->fileName = longest;
  ASSERT_EQ(saveSong(*score, ui), 0);
  EXPECT_EQ(readMidiBytes(*score, ui, fileBytes(longest), ReadOptions{}, result), 0);
  EXPECT_EQ(entries(), (std::set<std::string>{"song.mid", std::string(255, 'n')}));
}

TEST_F(SaveFaults, ASaverKilledAtAnyMomentLeavesTheOldOrTheNewSongWhole) {
  WriteOptions asSaved = WriteOptions::from(score->settings.file);
  asSaved.partNames = true;
  const Raw newBytes = writeMidi(*score, kSopranoSet, kBassSet, kDrumsView, asSaved);
  // Saves the two versions in turn, the new one first, as fast as it can, until it is killed.
  const auto saveForever = [&] {
    for (bool extra = true;; extra = !extra) {
      removeNote(*score, kSopranoSet, kExtraNote);
      if (extra) addNote(*score, kSopranoSet, kExtraNote);
      score->setFlag(kFlagModified);
      saveSong(*score, ui);
    }
  };
  // Kills land anywhere within the first few saves, however fast this disk is.
  const auto began = std::chrono::steady_clock::now();
  ASSERT_EQ(saveSong(*score, ui), 0);
  const auto oneSave = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - began);
  ASSERT_TRUE(replaceFileContents(path, oldBytes));
  std::mt19937 random(20261207);
  std::uniform_int_distribution<long> delay(0, 200 + 4 * oneSave.count());
  Score reader;
  int sawNew = 0;
  for (int kill = 0; kill < 120; ++kill) {
    killWhileRunning(saveForever, delay(random));
    const Raw now = fileBytes(path);
    ASSERT_TRUE(now == oldBytes || now == newBytes) << "kill " << kill << ": a torn file of " << now.size() << " bytes";
    ASSERT_EQ(readMidiBytes(reader, ui, now, ReadOptions{}, result), 0);
    sawNew += now == newBytes;
  }
  EXPECT_GT(sawNew, 0) << "the saver never got a save done: the kills came too early to test anything";
}

}  // namespace
}  // namespace quorvel::test
