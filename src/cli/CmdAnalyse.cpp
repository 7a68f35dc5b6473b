// quorvel-cli analyse: a folder of multi-track MIDI files measured, rewritten
// as four parts and sorted into the output folder tree.
#include <algorithm>
#include <iostream>

#include "cli/BatchProgress.h"
#include "cli/Command.h"
#include "learning/FolderAnalysis.h"

namespace quorvel::cli {
namespace {

constexpr const char* kUsage = "analyse [-j N] INDIR OUTDIR [--table FILE.tsv]";

int usage() {
  std::cerr << "usage: quorvel-cli " << kUsage << "\n";
  return 2;
}

int runAnalyse(const Args& given) {
  Args args = given;
  bool badJobs = false;
  const auto jobs = takeJobsOption(args, badJobs);
  std::string table;
  if (const auto at = std::find(args.begin(), args.end(), "--table"); at != args.end()) {
    if (std::next(at) == args.end()) return usage();
    table = *std::next(at);
    args.erase(at, std::next(at, 2));
  }
  if (badJobs || args.size() != 2) return usage();
  return batchExitStatus(analyseAll(args[0], args[1], table, *jobs, consoleObserver()));
}

const Registration registration("analyse", kUsage, runAnalyse);

}  // namespace
}  // namespace quorvel::cli
