// quorvel-cli regulate-all: many MIDI files into the regulated format, named
// by the key they were found in, for corpora of any size.
#include <algorithm>
#include <iostream>
#include <optional>

#include "cli/BatchProgress.h"
#include "cli/Command.h"
#include "learning/RegulatedFormat.h"
#include "model/NoteCode.h"

namespace quorvel::cli {
namespace {

constexpr const char* kUsage = "regulate-all --key-part soprano|alto|tenor|bass [-j N] OUTDIR FILE...";

int usage() {
  std::cerr << "usage: quorvel-cli " << kUsage << "\n";
  return 2;
}

std::optional<int> partNamed(const std::string& name) {
  if (name == "soprano") return kSoprano;
  if (name == "alto") return kAlto;
  if (name == "tenor") return kTenor;
  if (name == "bass") return kBass;
  return std::nullopt;
}

int runRegulateAll(const Args& given) {
  Args args = given;
  bool badJobs = false;
  const auto jobs = takeJobsOption(args, badJobs);
  const auto partAt = std::find(args.begin(), args.end(), "--key-part");
  if (badJobs || partAt == args.end() || std::next(partAt) == args.end()) return usage();
  const auto part = partNamed(*std::next(partAt));
  if (!part) return usage();
  args.erase(partAt, std::next(partAt, 2));
  if (args.size() < 2) return usage();
  const std::string outDir = args.front();
  const std::vector<std::string> inputs(std::next(args.begin()), args.end());
  return batchExitStatus(regulateAll(*part, outDir, inputs, *jobs, consoleObserver()));
}

const Registration registration("regulate-all", kUsage, runRegulateAll);

}  // namespace
}  // namespace quorvel::cli
