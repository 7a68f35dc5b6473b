// quorvel-cli regulate-all: many MIDI files into the regulated format, named
// by the key they were found in, for corpora of any size.
#include <CLI/CLI.hpp>
#include <map>
#include <memory>

#include "cli/BatchProgress.h"
#include "cli/Command.h"
#include "learning/RegulatedFormat.h"
#include "model/NoteCode.h"

namespace quorvel::cli {
namespace {

struct RegulateAllOptions {
  int keyPart = kSoprano;
  std::string outDir;
  std::vector<std::string> files;
  unsigned jobs = 0;
};

void addRegulateAll(CLI::App& cli) {
  CLI::App* cmd = cli.add_subcommand("regulate-all", "Bring MIDI files into the regulated format of learning material");
  auto o = std::make_shared<RegulateAllOptions>();
  const std::map<std::string, int> parts{{"soprano", kSoprano}, {"alto", kAlto}, {"tenor", kTenor}, {"bass", kBass}};
  cmd->add_option("--key-part", o->keyPart, "the part the tools work on: soprano, alto, tenor or bass")
      ->required()
      ->transform(CLI::CheckedTransformer(parts, CLI::ignore_case));
  addJobsOption(*cmd, o->jobs);
  cmd->add_option("OUTDIR", o->outDir, "folder for the regulated files")->required()->check(CLI::ExistingDirectory);
  cmd->add_option("FILE", o->files, "MIDI files")->required();
  cmd->callback([o] { finishBatch(regulateAll(o->keyPart, o->outDir, o->files, o->jobs, consoleObserver())); });
}

const Registration kRegulateAll(addRegulateAll);

}  // namespace
}  // namespace quorvel::cli
