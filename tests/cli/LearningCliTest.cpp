// The learning-data batch commands as a shell runs them: exit codes, skipped
// files, and the schedule files the server trains on.
#include <gtest/gtest.h>

#include <filesystem>

#include "CliRun.h"
#include "base/FileIo.h"
#include "support/TestData.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

std::string text(const std::string& path) {
  const auto bytes = readWholeFile(path);
  return bytes ? std::string(bytes->begin(), bytes->end()) : "(missing)";
}

TEST(LearningCli, ScheduleTakesAsManyOutputsAsTheTypeWritesAndTheRestAsInputs) {
  const std::string folder = scratchFolder("learning-schedule");
  const auto songs = openmsxSongs();
  ASSERT_GE(songs.size(), 2u);
  const CliRun run = runCli({"schedule", "--type", "1", "-j", "2", "-o", folder + "/u.txt", folder + "/l.txt", songs[0],
                             songs[1]});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::string upper = text(folder + "/u.txt"), lower = text(folder + "/l.txt");
  EXPECT_FALSE(upper.empty());
  EXPECT_EQ(std::count(upper.begin(), upper.end(), '\n'), std::count(lower.begin(), lower.end(), '\n'));

  const CliRun tooFew = runCli({"schedule", "--type", "4", "-o", folder + "/a.txt", folder + "/b.txt"});
  EXPECT_EQ(tooFew.exitCode, 2);
  EXPECT_NE(tooFew.err.find("quorvel-cli schedule: "), std::string::npos) << tooFew.err;
}

TEST(LearningCli, ABadFileIsReportedTheBatchGoesOnAndTheExitStatusSaysSo) {
  const std::string folder = scratchFolder("learning-bad-file");
  const auto songs = openmsxSongs();
  ASSERT_FALSE(songs.empty());
  const CliRun run =
      runCli({"schedule", "--type", "0", "-o", folder + "/m.txt", folder + "/missing.mid", songs[0]});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find(folder + "/missing.mid: File could not be created or opened"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("1 of 2 files could not be converted"), std::string::npos) << run.err;
  EXPECT_FALSE(text(folder + "/m.txt").empty());
}

TEST(LearningCli, RegulateAllAndAnalyseRunOnRealSongs) {
  const std::string folder = scratchFolder("learning-regulate-analyse");
  const auto songs = openmsxSongs();
  ASSERT_GE(songs.size(), 3u);
  fs::create_directories(folder + "/reg");
  const CliRun regulate = runCli({"regulate-all", "--key-part", "bass", folder + "/reg", songs[0], songs[1], songs[2]});
  EXPECT_EQ(regulate.exitCode, 0) << regulate.err;
  EXPECT_EQ(std::distance(fs::directory_iterator(folder + "/reg"), fs::directory_iterator{}), 3);

  const CliRun analyse = runCli({"analyse", folder + "/reg", folder + "/out", "--table", folder + "/t.tsv"});
  EXPECT_EQ(analyse.exitCode, 0) << analyse.err;
  EXPECT_TRUE(fs::is_directory(folder + "/out/L"));
  const std::string table = text(folder + "/t.tsv");
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 1 + 3 * 33);

  EXPECT_EQ(runCli({"regulate-all", "--key-part", "treble", folder, songs[0]}).exitCode, 2);
}

}  // namespace
}  // namespace quorvel::test
