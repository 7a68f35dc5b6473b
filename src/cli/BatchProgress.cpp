#include "cli/BatchProgress.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>

#include "cli/Command.h"

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

void addJobsOption(CLI::App& command, unsigned& jobs) {
  command.add_option("-j,--jobs", jobs, "threads to convert on (default: every core)")->check(CLI::NonNegativeNumber);
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

void finishBatch(const BatchResult& result) {
  if (!result.ran()) throw CommandFailed(result.error);
  if (result.failed > 0)
    throw CommandFailed(std::to_string(result.failed) + " of " + std::to_string(result.failed + result.converted) +
                        " files could not be converted");
}

}  // namespace quorvel::cli
