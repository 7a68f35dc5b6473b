#pragma once
// What a batch over many files tells its caller while it runs.
#include <cstddef>
#include <functional>
#include <string>

namespace quorvel {

struct BatchObserver {
  // After each file, in list order.
  std::function<void(std::size_t done, std::size_t total)> progress;
  // A file that was skipped, with the reason in the user's words.
  std::function<void(const std::string& path, const std::string& reason)> failed;

  void reportProgress(std::size_t done, std::size_t total) const {
    if (progress) progress(done, total);
  }
  void reportFailure(const std::string& path, const std::string& reason) const {
    if (failed) failed(path, reason);
  }
};

struct BatchResult {
  std::size_t converted = 0;
  std::size_t failed = 0;
  std::string error;  // set when the batch could not run at all (an output not writable)
  bool ran() const { return error.empty(); }
};

}  // namespace quorvel
