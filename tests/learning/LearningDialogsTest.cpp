// The dialog forms of the schedule converter and the folder analysis on the
// current song, with a scripted user.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "LineBuilder.h"
#include "FolderFiles.h"
#include "learning/FolderAnalysis.h"
#include "learning/ScheduleDialog.h"
#include "support/FakeUi.h"
#include "support/TestData.h"

namespace quorvel::test {
namespace {

std::vector<std::vector<NoteCode>> partsAndDrums(const Score& s) {
  std::vector<std::vector<NoteCode>> out;
  for (int set = kBassSet; set <= kDrumsView; ++set)
    out.emplace_back(s.noteSets[static_cast<std::size_t>(set)].begin(), s.noteSets[static_cast<std::size_t>(set)].end());
  return out;
}

// The first `count` installed songs copied into `folder`.
std::vector<std::string> copySongs(const TempFolder& folder, std::size_t count) {
  auto songs = openmsxSongs();
  EXPECT_GE(songs.size(), count);
  songs.resize(std::min(songs.size(), count));
  for (const auto& song : songs)
    std::filesystem::copy_file(song, folder / std::filesystem::path(song).filename().string());
  return songs;
}

class LearningDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    for (NoteCode c : run(2, 12, 2)) s->noteSets[kSopranoSet].insert(c), s->noteSets[kMelodyView].insert(c);
    s->noteSets[kDrumsView].insert(makeDrumNote(4, 12, 1, 2, 90));
  }
  std::unique_ptr<Score> s = std::make_unique<Score>();
  FakeUi ui;
  TempFolder folder;
};

TEST_F(LearningDialogs, ScheduleConversionWritesEveryFileInListOrderAndLeavesTheSongAlone) {
  const auto before = partsAndDrums(*s);
  const auto songs = openmsxSongs();
  ASSERT_GE(songs.size(), 2u);
  const std::vector<std::string> files{songs[0], folder / "missing.mid", songs[1]};
  for (const char* name : {"voices.txt", "drums.txt", "alone.txt"}) ui.queueSavePath(folder / name);
  EXPECT_EQ(convertLearningSchedules(*s, ui, files, LearningType::Drums), 0);
  EXPECT_EQ(partsAndDrums(*s), before);

  ScheduleTexts first, second;
  auto work = std::make_unique<Score>();
  ASSERT_EQ(convertToSchedule(*work, *readWholeFile(songs[0]), LearningType::Drums, first), 0);
  ASSERT_EQ(convertToSchedule(*work, *readWholeFile(songs[1]), LearningType::Drums, second), 0);
  EXPECT_EQ(text(folder / "voices.txt"), first.files[0] + second.files[0]);
  EXPECT_EQ(text(folder / "drums.txt"), first.files[1] + second.files[1]);
  EXPECT_EQ(text(folder / "alone.txt"), first.files[2] + second.files[2]);
  // The missing file is reported in each of the two passes, with its path as caption.
  ASSERT_EQ(ui.messages().size(), 2u);
  EXPECT_EQ(ui.messages()[0].caption, files[1]);
  EXPECT_EQ(ui.messages()[0].text, "File could not be created or opened");
}

TEST_F(LearningDialogs, CancellingASaveDialogStopsBeforeAnyFileIsRead) {
  ui.queueSavePath(folder / "upper.txt");
  EXPECT_EQ(convertLearningSchedules(*s, ui, {folder / "missing.mid"}, LearningType::TwoParts), -1);
  EXPECT_TRUE(ui.messages().empty());
  EXPECT_EQ(text(folder / "upper.txt"), "");
}

TEST_F(LearningDialogs, FolderAnalysisShowsATableForEachFileSavesItAndClearsTheSong) {
  TempFolder in, out;
  const auto songs = copySongs(in, 2);
  ASSERT_EQ(songs.size(), 2u);
  const FileSettings options = s->settings.file;
  ui.queueFolder(in.path().string());
  ui.queueFolder(out.path().string());
  EXPECT_EQ(analyseFolder(*s, ui), 0);
  ASSERT_EQ(ui.tableDialogs().size(), 2u);
  EXPECT_EQ(ui.tableDialogs()[0].rows.size(), 33u);
  EXPECT_TRUE(ui.tableDialogs()[1].clipboardText.starts_with(in / std::filesystem::path(songs[1]).filename().string()));
  EXPECT_EQ(ui.messages().back().text, "Analysis Completed.");
  EXPECT_EQ(s->settings.file.options, options.options);
  EXPECT_FALSE(s->hasFlag(kFlagAnalysing));
  EXPECT_TRUE(s->noteSets[kSopranoSet].empty());
  std::size_t songFiles = 0;
  for (const auto& [name, bytes] : contents(out)) songFiles += (name.starts_with("L/") || name.starts_with("N/")) ? 1 : 0;
  EXPECT_EQ(songFiles, 2u);
}

TEST_F(LearningDialogs, FolderAnalysisBatchIsTheSameInParallelAndReportsBadFiles) {
  TempFolder in, one, two;
  ASSERT_EQ(copySongs(in, 10).size(), 10u);
  ASSERT_TRUE(replaceFileContents(in / "broken.midi", Bytes{'n', 'o', 't', ' ', 'M', 'I', 'D', 'I'}));
  std::vector<std::string> failed;
  BatchObserver observer;
  observer.failed = [&](const std::string& path, const std::string&) { failed.push_back(path); };
  const BatchResult a = analyseAll(in.path().string(), one.path().string(), one / "table.tsv", 1, observer);
  const BatchResult b = analyseAll(in.path().string(), two.path().string(), two / "table.tsv", 3, {});
  EXPECT_EQ(a.converted, 10u);
  EXPECT_EQ(b.failed, 1u);
  EXPECT_EQ(failed, std::vector<std::string>{in / "broken.midi"});
  EXPECT_EQ(contents(one), contents(two));
  const std::string table = text(one / "table.tsv");
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 1 + 10 * 33);
}

}  // namespace
}  // namespace quorvel::test
