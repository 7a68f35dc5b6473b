// quorvel-cli schedule: learning schedules from MIDI files, as the converter
// dialog writes them, for corpora of any size.
#include <CLI/CLI.hpp>
#include <memory>

#include "cli/BatchProgress.h"
#include "cli/Command.h"
#include "learning/ScheduleBatch.h"

namespace quorvel::cli {
namespace {

struct ScheduleOptions {
  int type = 0;
  std::vector<std::string> outputs;
  std::vector<std::string> files;
  unsigned jobs = 0;
};

// -o is followed by as many paths as the type writes, then usually by the
// input files, which CLI11 hands to -o as well.
void runSchedule(ScheduleOptions o) {
  const auto type = static_cast<LearningType>(o.type);
  const auto count = static_cast<std::size_t>(outputCount(type));
  if (o.outputs.size() < count)
    throw CLI::ValidationError("-o", "learning type " + std::to_string(o.type) + " writes " + std::to_string(count) + " files");
  o.files.insert(o.files.begin(), o.outputs.begin() + static_cast<std::ptrdiff_t>(count), o.outputs.end());
  o.outputs.resize(count);
  if (o.files.empty()) throw CLI::ValidationError("FILE", "no MIDI files given");
  finishBatch(writeScheduleFiles(type, o.outputs, o.files, o.jobs, consoleObserver()));
}

void addSchedule(CLI::App& cli) {
  CLI::App* cmd = cli.add_subcommand("schedule", "Write learning schedules (token corpora) from MIDI files");
  auto o = std::make_shared<ScheduleOptions>();
  cmd->add_option("--type", o->type, "0 one part, 1..3 phrase pairs of the top line with line 2, 3 or 4, 4 drums")
      ->required()
      ->check(CLI::Range(0, kLearningTypeCount - 1));
  cmd->add_option("-o", o->outputs,
                  "schedule files: one for type 0, two for 1..3, three for 4; the MIDI files may follow them")
      ->required();
  addJobsOption(*cmd, o->jobs);
  cmd->add_option("FILE", o->files, "MIDI files, converted in this order");
  cmd->callback([o] { runSchedule(*o); });
}

const Registration kSchedule(addSchedule);

}  // namespace
}  // namespace quorvel::cli
