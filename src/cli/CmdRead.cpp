// quorvel-cli read: the score a MIDI file becomes, one line per note.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "cli/Command.h"
#include "cli/SongLoading.h"
#include "model/Score.h"

namespace quorvel::cli {
namespace {

struct ReadCommandOptions {
  std::string path;
  bool format0 = false;
  bool drums = false;
  bool dedupe = false;
};

void printNote(std::ostream& out, int set, NoteCode c) {
  out << set << ' ' << noteStart(c) << ' ';
  if (isDrumCode(c)) out << drumRow(c) << ' ' << drumLength(c) << ' ' << drumLevel(c) << ' ' << drumVelocity(c);
  else out << melodyKey(c) << ' ' << melodyLength(c) << ' ' << melodyPart(c);
  out << '\n';
}

void printScore(std::ostream& out, const Score& s) {
  for (int set : {3, 2, 1, 0, 4, 5, 6, 7})
    for (NoteCode c : s.noteSets[static_cast<std::size_t>(set)]) printNote(out, set, c);
  out << "tempo " << s.settings.general.tempo << '\n';
  out << "key " << s.settings.melody[kKeyNote] << '\n';
  out << "scale " << s.settings.melody[kMode] << '\n';
}

void runRead(const ReadCommandOptions& o) {
  auto score = std::make_unique<Score>();
  setFileOption(*score, kReadFormat0, o.format0);
  setFileOption(*score, kReadDrumsTrack, o.drums);
  if (o.dedupe) setFileOption(*score, kRemoveDuplicates, true);
  ConsoleUi ui;
  openSong(*score, ui, o.path);
  printScore(std::cout, *score);
}

void addRead(CLI::App& cli) {
  CLI::App* cmd = cli.add_subcommand(
      "read",
      "Print the score a MIDI file becomes: the notes of sets 3,2,1,0,4..7, one a line (\"set start key "
      "length part\", drums \"set start lane length level velocity\"), then tempo, key and scale");
  auto o = std::make_shared<ReadCommandOptions>();
  cmd->add_option("FILE", o->path, "the MIDI file")->required();
  cmd->add_flag("--format0", o->format0, "read all tracks merged, as format 0");
  cmd->add_flag("--drums", o->drums, "read the drums track (with --format0)");
  cmd->add_flag("--dedupe", o->dedupe, "remove duplicate notes");
  cmd->callback([o] { runRead(*o); });
}

const Registration kRead(addRead);

}  // namespace
}  // namespace quorvel::cli
