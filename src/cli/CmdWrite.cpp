// quorvel-cli write: reads a MIDI file as the program does and saves it again.
#include <CLI/CLI.hpp>
#include <memory>

#include "cli/Command.h"
#include "cli/SongLoading.h"
#include "midifile/SongFiles.h"
#include "model/Score.h"

namespace quorvel::cli {
namespace {

struct WriteCommandOptions {
  std::string in;
  std::string out;
  bool format0 = false;
  bool drums = false;
  bool strict = false;
};

void runWrite(const WriteCommandOptions& o) {
  auto score = std::make_unique<Score>();
  setFileOption(*score, kReadFormat0, false);
  if (o.format0) setFileOption(*score, kWriteFormat0, true);
  setFileOption(*score, kExportDrums, o.drums);  // the command line says, whatever the settings start with
  if (o.strict) setFileOption(*score, kExportStrictLines, true);
  ConsoleUi ui;
  openSong(*score, ui, o.in);
  score->fileName = o.out;
  score->setFlag(kFlagModified);
  if (saveSong(*score, ui) != 0) throw CommandFailed(o.out + ": could not be written");
}

void addWrite(CLI::App& cli) {
  CLI::App* cmd = cli.add_subcommand("write", "Read a MIDI file as \"read\" does and save it again");
  auto o = std::make_shared<WriteCommandOptions>();
  cmd->add_option("IN", o->in, "the MIDI file to read")->required();
  cmd->add_option("OUT", o->out, "the MIDI file to write")->required();
  cmd->add_flag("--format0", o->format0, "write format 0");
  cmd->add_flag("--drums", o->drums, "write the drums");
  cmd->add_flag("--strict", o->strict, "write strict lines (no overlaps within a part)");
  cmd->callback([o] { runWrite(*o); });
}

const Registration kWrite(addWrite);

}  // namespace
}  // namespace quorvel::cli
