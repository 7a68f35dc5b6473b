// quorvel-cli schedule: learning schedules from MIDI files, as the converter
// dialog writes them, for corpora of any size.
#include <algorithm>
#include <iostream>

#include "cli/BatchProgress.h"
#include "cli/Command.h"
#include "cli/SongLoading.h"
#include "learning/ScheduleBatch.h"

namespace quorvel::cli {
namespace {

constexpr const char* kUsage = "schedule --type 0..4 [-j N] -o OUT1 [OUT2 [OUT3]] FILE...";

int usage() {
  std::cerr << "usage: quorvel-cli " << kUsage
            << "\n  type 0: one file; 1..3: two files (phrase pairs); 4: three files (voices, drums, drums alone)\n";
  return 2;
}

int runSchedule(const Args& given) {
  Args args = given;
  bool badJobs = false;
  const auto jobs = takeJobsOption(args, badJobs);
  const auto typeAt = std::find(args.begin(), args.end(), "--type");
  if (badJobs || typeAt == args.end() || std::next(typeAt) == args.end()) return usage();
  const auto typeValue = intArg(*std::next(typeAt), 0, kLearningTypeCount - 1);
  if (!typeValue) return usage();
  args.erase(typeAt, std::next(typeAt, 2));
  const auto type = static_cast<LearningType>(*typeValue);

  const auto outAt = std::find(args.begin(), args.end(), "-o");
  const auto outputs = static_cast<std::ptrdiff_t>(outputCount(type));
  if (outAt == args.end() || std::distance(outAt, args.end()) <= outputs) return usage();
  const std::vector<std::string> outputPaths(std::next(outAt), std::next(outAt, outputs + 1));
  args.erase(outAt, std::next(outAt, outputs + 1));
  if (args.empty()) return usage();

  return batchExitStatus(writeScheduleFiles(type, outputPaths, args, *jobs, consoleObserver()));
}

const Registration registration("schedule", kUsage, runSchedule);

}  // namespace
}  // namespace quorvel::cli
