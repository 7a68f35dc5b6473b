// quorvel-cli chorales: the four-part chorale corpus (JSON) as four-track
// MIDI files, OUTDIR/train/NNN.mid and OUTDIR/valid/NNN.mid.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "cli/Command.h"
#include "learning/ChoraleCorpus.h"

namespace quorvel::cli {
namespace {

void runChorales(const std::string& corpus, const std::string& outDir) {
  std::string error;
  const int written = writeChoraleCorpus(corpus, outDir, error);
  if (written < 0) throw CommandFailed(error);
  std::cout << written << " chorales written\n";
}

void addChorales(CLI::App& cli) {
  CLI::App* cmd = cli.add_subcommand("chorales", "Write the chorale corpus (JSON) as four-track MIDI files");
  auto paths = std::make_shared<std::pair<std::string, std::string>>();
  cmd->add_option("CORPUS", paths->first, "the corpus, e.g. data/corpus/chorales-16th-satb.json")->required();
  cmd->add_option("OUTDIR", paths->second, "gets train/NNN.mid and valid/NNN.mid")->required();
  cmd->callback([paths] { runChorales(paths->first, paths->second); });
}

const Registration kChorales(addChorales);

}  // namespace
}  // namespace quorvel::cli
