#include "learning/ScheduleBatch.h"

#include <cstdio>
#include <memory>

#include "base/FileIo.h"
#include "learning/OrderedBatch.h"
#include "model/Score.h"

namespace quorvel {

namespace {

struct FileOutcome {
  int status = 0;  // 0 converted, -1 not readable, -2 rejected by the reader
  ScheduleTexts texts;
};

const char* reasonOf(int status) {
  return status == -1 ? "File could not be created or opened" : "Please check if the file is right";
}

class OutputFiles {
 public:
  ~OutputFiles() {
    for (std::FILE* f : files_) std::fclose(f);
  }
  bool open(const std::vector<std::string>& paths, std::string& error) {
    for (const std::string& path : paths) {
      std::FILE* f = std::fopen(path.c_str(), "wb");
      if (!f) {
        error = path + ": File could not be created or opened";
        return false;
      }
      files_.push_back(f);
      paths_.push_back(path);
    }
    return true;
  }
  void append(const ScheduleTexts& texts) {
    for (std::size_t i = 0; i < files_.size(); ++i)
      if (!texts.files[i].empty() && std::fwrite(texts.files[i].data(), 1, texts.files[i].size(), files_[i]) != texts.files[i].size())
        failedWrite_ = i + 1;
  }
  // Answers the path of a file whose writing failed, or empty.
  std::string close() {
    for (std::size_t i = 0; i < files_.size(); ++i)
      if (std::fclose(files_[i]) != 0 && failedWrite_ == 0) failedWrite_ = i + 1;
    files_.clear();
    return failedWrite_ ? paths_[failedWrite_ - 1] : std::string{};
  }

 private:
  std::vector<std::FILE*> files_;
  std::vector<std::string> paths_;
  std::size_t failedWrite_ = 0;  // 1-based index of a failed file
};

}  // namespace

BatchResult writeScheduleFiles(LearningType type, const std::vector<std::string>& outputs,
                               const std::vector<std::string>& inputs, unsigned jobs, const BatchObserver& observer) {
  BatchResult result;
  if (static_cast<int>(outputs.size()) != outputCount(type)) {
    result.error = "this learning type writes " + std::to_string(outputCount(type)) + " files";
    return result;
  }
  OutputFiles files;
  if (!files.open(outputs, result.error)) return result;

  const unsigned threads = batchThreads(jobs);
  std::vector<std::unique_ptr<Score>> scratch;
  for (unsigned i = 0; i < threads; ++i) scratch.push_back(std::make_unique<Score>());

  OrderedBatch<FileOutcome>::run(
      inputs.size(), threads,
      [&](std::size_t index, unsigned worker) {
        FileOutcome outcome;
        const auto bytes = readWholeFile(inputs[index]);
        if (!bytes) outcome.status = -1;
        else if (convertToSchedule(*scratch[worker], *bytes, type, outcome.texts) != 0) outcome.status = -2;
        return outcome;
      },
      [&](std::size_t index, FileOutcome& outcome) {
        if (outcome.status == 0) {
          files.append(outcome.texts);
          ++result.converted;
        } else {
          ++result.failed;
          observer.reportFailure(inputs[index], reasonOf(outcome.status));
        }
        observer.reportProgress(index + 1, inputs.size());
      });
  if (const std::string failed = files.close(); !failed.empty()) result.error = failed + ": could not be written";
  return result;
}

}  // namespace quorvel
