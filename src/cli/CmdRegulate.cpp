// quorvel-cli regulate: brings a MIDI file into the regular shape of learning
// material (trim, four lines, key note moved to C3, shortest note a sixteenth).
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "cli/Command.h"
#include "cli/SongLoading.h"
#include "model/Score.h"
#include "tools/KeyTools.h"
#include "tools/RegulateChain.h"

namespace quorvel::cli {
namespace {

struct RegulateOptions {
  std::string in;
  std::string out;
};

void runRegulate(const RegulateOptions& o) {
  Score score;
  ConsoleUi ui;
  ReadOptions read;
  read.merged = true;
  read.readDrums = true;
  readSong(score, ui, o.in, read);
  const auto key = regulateSong(score, ui);
  if (!key) throw CommandFailed(o.in + ": no melody notes");
  writeSong(score, o.out);
  std::cout << keyStatusText(*key) << "\n";
}

void addRegulate(CLI::App& cli) {
  CLI::App* cmd = cli.add_subcommand(
      "regulate", "Write a MIDI file in the regular shape of learning material and print its original key");
  auto o = std::make_shared<RegulateOptions>();
  cmd->add_option("IN", o->in, "the MIDI file to read")->required();
  cmd->add_option("OUT", o->out, "the MIDI file to write")->required();
  cmd->callback([o] { runRegulate(*o); });
}

const Registration kRegulate(addRegulate);

}  // namespace
}  // namespace quorvel::cli
