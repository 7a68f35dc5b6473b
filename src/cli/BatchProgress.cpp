#include "cli/BatchProgress.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>

#include "cli/SongLoading.h"

namespace quorvel::cli {

namespace {

using Clock = std::chrono::steady_clock;

class ProgressLine {
 public:
  void show(std::size_t done, std::size_t total) {
    const auto now = Clock::now();
    if (done < total && now - lastShown_ < std::chrono::milliseconds(200)) return;
    lastShown_ = now;
    const double seconds = std::chrono::duration<double>(now - started_).count();
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
    const double left = rate > 0 ? static_cast<double>(total - done) / rate : 0.0;
    std::fprintf(stderr, "\r%zu/%zu files, %.0f files/s, %.0f s left   ", done, total, rate, left);
    if (done == total) std::fputc('\n', stderr);
    std::fflush(stderr);
  }

 private:
  Clock::time_point started_ = Clock::now();
  Clock::time_point lastShown_{};
};

}  // namespace

std::optional<unsigned> takeJobsOption(std::vector<std::string>& args, bool& bad) {
  bad = false;
  const auto at = std::find(args.begin(), args.end(), "-j");
  if (at == args.end()) return 0u;
  if (std::next(at) == args.end()) {
    bad = true;
    return std::nullopt;
  }
  const auto jobs = intArg(*std::next(at), 1, 4096);
  if (!jobs) {
    bad = true;
    return std::nullopt;
  }
  args.erase(at, std::next(at, 2));
  return static_cast<unsigned>(*jobs);
}

BatchObserver consoleObserver() {
  BatchObserver observer;
  const bool terminal = isatty(STDERR_FILENO) != 0;
  if (terminal) {
    auto line = std::make_shared<ProgressLine>();
    observer.progress = [line](std::size_t done, std::size_t total) { line->show(done, total); };
  }
  observer.failed = [terminal](const std::string& path, const std::string& reason) {
    if (terminal) std::cerr << "\r";
    std::cerr << path << ": " << reason << "\n";
  };
  return observer;
}

int batchExitStatus(const BatchResult& result) {
  if (!result.ran()) {
    std::cerr << result.error << "\n";
    return 1;
  }
  if (result.failed > 0) {
    std::cerr << result.failed << " of " << result.failed + result.converted << " files failed\n";
    return 1;
  }
  return 0;
}

}  // namespace quorvel::cli
