// The whole corpus (installed General MIDI songs and the chorales) through the
// schedule batch: every file parses back, pair files stay aligned, and a
// parallel run writes exactly what a sequential one writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "FolderFiles.h"
#include "base/FileIo.h"
#include "learning/ScheduleBatch.h"
#include "support/TestData.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> corpus() {
  std::vector<std::string> files = openmsxSongs();
  for (const char* split : {"train", "valid"}) {
    std::vector<std::string> chorales;
    for (const auto& e : fs::directory_iterator(fs::path(QUORVEL_CORPUS_DIR) / "chorales" / split))
      chorales.push_back(e.path().string());
    std::sort(chorales.begin(), chorales.end());
    files.insert(files.end(), chorales.begin(), chorales.end());
  }
  return files;
}

std::size_t sentenceCount(const std::string& schedule) {
  static const std::regex grammar("((0|[1-9a-f][0-9a-f]*) )+\\.\n");
  std::size_t count = 0;
  for (std::size_t at = 0; at < schedule.size();) {
    const std::size_t end = schedule.find(".\n", at);
    if (end == std::string::npos || !std::regex_match(schedule.substr(at, end + 2 - at), grammar)) {
      ADD_FAILURE() << "bad sentence at byte " << at;
      return count;
    }
    ++count;
    at = end + 2;
  }
  return count;
}

class CorpusSchedules : public ::testing::Test {
 protected:
  void SetUp() override {
    files = corpus();
    ASSERT_GT(files.size(), 300u);
  }

  std::vector<std::string> run(LearningType type, const std::string& tag, unsigned jobs,
                               const std::vector<std::string>& inputs, BatchResult& result) {
    std::vector<std::string> outputs;
    for (int i = 0; i < outputCount(type); ++i) outputs.push_back(folder / (tag + std::to_string(i)));
    result = writeScheduleFiles(type, outputs, inputs, jobs, {});
    std::vector<std::string> texts;
    for (const auto& o : outputs) texts.push_back(text(o));
    return texts;
  }

  std::vector<std::string> files;
  TempFolder folder;
};

TEST_F(CorpusSchedules, EveryTypeParsesBackStaysAlignedAndRunsTheSameInParallel) {
  for (int t = 0; t < kLearningTypeCount; ++t) {
    const auto type = static_cast<LearningType>(t);
    BatchResult sequential, parallel;
    const auto one = run(type, "seq", 1, files, sequential);
    const auto three = run(type, "par", 3, files, parallel);
    EXPECT_EQ(sequential.converted, files.size());
    EXPECT_EQ(parallel.failed, 0u);
    EXPECT_EQ(one, three) << "type " << t;
    std::vector<std::size_t> counts;
    for (const auto& schedule : one) counts.push_back(sentenceCount(schedule));
    EXPECT_GT(counts[0], 0u) << "type " << t;
    if (type != LearningType::OnePart) {
      EXPECT_EQ(counts[0], counts[1]) << "type " << t;
    }
  }
}

TEST_F(CorpusSchedules, UnreadableFilesAreReportedSkippedAndCounted) {
  std::vector<std::string> inputs(files.begin(), files.begin() + 5);
  BatchResult clean;
  const auto expected = run(LearningType::OnePart, "clean", 2, inputs, clean);
  inputs.insert(inputs.begin() + 2, folder / "missing.mid");
  inputs.insert(inputs.begin() + 4, QUORVEL_CORPUS_DIR "/chorales-16th-satb.json");
  std::vector<std::string> reported;
  BatchObserver observer;
  observer.failed = [&](const std::string& path, const std::string& reason) { reported.push_back(path + ": " + reason); };
  std::vector<std::string> outputs{folder / "dirty"};
  const BatchResult result = writeScheduleFiles(LearningType::OnePart, outputs, inputs, 2, observer);
  EXPECT_EQ(result.converted, 5u);
  EXPECT_EQ(result.failed, 2u);
  EXPECT_EQ(text(outputs[0]), expected[0]);
  ASSERT_EQ(reported.size(), 2u);
  EXPECT_EQ(reported[0], inputs[2] + ": File could not be created or opened");
  EXPECT_EQ(reported[1], inputs[4] + ": Please check if the file is right");
}

TEST_F(CorpusSchedules, AnOutputThatCannotBeCreatedStopsBeforeAnyInputIsRead) {
  BatchObserver observer;
  std::size_t progressed = 0;
  observer.progress = [&](std::size_t, std::size_t) { ++progressed; };
  const BatchResult result = writeScheduleFiles(LearningType::OnePart, {folder / "no/such/dir"},
                                                files, 1, observer);
  EXPECT_FALSE(result.ran());
  EXPECT_EQ(progressed, 0u);
}

}  // namespace
}  // namespace quorvel::test
