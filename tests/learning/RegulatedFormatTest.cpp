// The regulated format: output names, the batch over real songs, and the
// dialog form on the current song.
#include <gtest/gtest.h>

#include "FolderFiles.h"
#include "learning/RegulatedFormat.h"
#include "model/Score.h"
#include "support/FakeUi.h"
#include "support/TestData.h"

namespace quorvel::test {
namespace {

TEST(RegulatedFileName, KeepsAllButTheLastExtensionAndSpellsKeyModeAndRate) {
  const KeyEstimate fLydian{5, 4, 85.5, std::nullopt};
  EXPECT_EQ(regulatedFileName("/music/song.mid", fLydian), "song_F_Lydian)_85.50%.midi");
  EXPECT_EQ(regulatedFileName("a.b.mid", fLydian), "a.b_F_Lydian)_85.50%.midi");
  EXPECT_EQ(regulatedFileName("dir.d/noext", KeyEstimate{10, 1, 100.0, 70}), "noext_A#(Bb)_Minor_100.00%.midi");
}

std::vector<std::string> someSongs(std::size_t count) {
  auto songs = openmsxSongs();
  songs.resize(std::min(songs.size(), count));
  return songs;
}

TEST(RegulateAll, ParallelRunWritesWhatASequentialRunWritesAndSkipsBadFiles) {
  auto inputs = someSongs(8);
  ASSERT_EQ(inputs.size(), 8u);
  TempFolder one, three;
  inputs.insert(inputs.begin() + 3, one / "missing.mid");
  std::vector<std::string> failures;
  BatchObserver observer;
  observer.failed = [&](const std::string& path, const std::string&) { failures.push_back(path); };
  const BatchResult sequential = regulateAll(kBassSet, one.path().string(), inputs, 1, observer);
  const BatchResult parallel = regulateAll(kBassSet, three.path().string(), inputs, 3, {});
  EXPECT_EQ(sequential.converted, 8u);
  EXPECT_EQ(parallel.failed, 1u);
  EXPECT_EQ(failures, std::vector<std::string>{inputs[3]});
  const auto written = contents(three);
  EXPECT_EQ(written.size(), 8u);
  EXPECT_EQ(written, contents(one));
  for (const auto& [name, bytes] : written) EXPECT_TRUE(name.ends_with("%.midi")) << name;
}

TEST(RegulateFiles, DialogFormChangesNothingWithoutAFolderAndStopsAtAFileThatCannotBeOpened) {
  TempFolder out;
  auto s = std::make_unique<Score>();
  FakeUi ui;
  EXPECT_EQ(regulateFiles(*s, ui, someSongs(1), kSopranoSet), -1);  // no folder chosen
  EXPECT_TRUE(ui.messages().empty());

  s->settings.parts.editPart = kAltoSet;
  s->settings.file.options[kReadFormat0] = 0;
  const FileSettings before = s->settings.file;
  auto files = someSongs(3);
  files.insert(files.begin() + 2, out / "missing.mid");
  ui.queueFolder(out.path().string());
  EXPECT_EQ(regulateFiles(*s, ui, files, kBassSet), 0);
  EXPECT_EQ(contents(out).size(), 2u);
  EXPECT_EQ(s->settings.file.options, before.options);
  EXPECT_EQ(s->settings.parts.editPart, kAltoSet);
  ASSERT_FALSE(ui.messages().empty());
  EXPECT_EQ(ui.messages().back().text, "Regularization Completed.");
}

}  // namespace
}  // namespace quorvel::test
