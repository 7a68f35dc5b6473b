#pragma once
// Shared by the batch sub-commands: the -j option, the progress line on a
// terminal, the report of skipped files, and how a batch ends.
#include "learning/BatchReport.h"

namespace CLI {
class App;
}

namespace quorvel::cli {

// Adds "-j N" (threads; 0, the default, uses every core).
void addJobsOption(CLI::App& command, unsigned& jobs);

// Prints failures to stderr as "path: reason" and, when stderr is a
// terminal, a progress line "done/total files, N files/s, M s left".
BatchObserver consoleObserver();

// Throws CommandFailed when the batch could not run or some files failed.
void finishBatch(const BatchResult& result);

}  // namespace quorvel::cli
