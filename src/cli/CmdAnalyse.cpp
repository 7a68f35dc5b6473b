// quorvel-cli analyse: a folder of multi-track MIDI files measured, rewritten
// as four parts and sorted into the output folder tree.
#include <CLI/CLI.hpp>
#include <memory>

#include "cli/BatchProgress.h"
#include "cli/Command.h"
#include "learning/FolderAnalysis.h"

namespace quorvel::cli {
namespace {

struct AnalyseOptions {
  std::string inDir, outDir, table;
  unsigned jobs = 0;
};

void addAnalyse(CLI::App& cli) {
  CLI::App* cmd = cli.add_subcommand("analyse", "Analyse a folder of MIDI files into four-part learning material");
  auto o = std::make_shared<AnalyseOptions>();
  cmd->add_option("INDIR", o->inDir, "folder of *.mid* files")->required()->check(CLI::ExistingDirectory);
  cmd->add_option("OUTDIR", o->outDir, "folder for the L/N class tree and the combination files")->required();
  cmd->add_option("--table", o->table, "also write every file's measures as tab-separated rows");
  addJobsOption(*cmd, o->jobs);
  cmd->callback([o] { finishBatch(analyseAll(o->inDir, o->outDir, o->table, o->jobs, consoleObserver())); });
}

const Registration kAnalyse(addAnalyse);

}  // namespace
}  // namespace quorvel::cli
