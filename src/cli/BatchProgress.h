#pragma once
// Shared by the batch sub-commands: the progress line on a terminal, the
// report of skipped files, and the exit status of a batch.
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "learning/BatchReport.h"

namespace quorvel::cli {

// "-j N" from the arguments (removed from them); 0 = every core. Nothing when
// N is not a whole number of at least 1.
std::optional<unsigned> takeJobsOption(std::vector<std::string>& args, bool& bad);

// Prints failures to stderr as "path: reason" and, when stderr is a
// terminal, a progress line "done/total files, N files/s, M s left".
BatchObserver consoleObserver();

// 0 all converted, 1 some failed or the batch could not run; prints a summary.
int batchExitStatus(const BatchResult& result);

}  // namespace quorvel::cli
