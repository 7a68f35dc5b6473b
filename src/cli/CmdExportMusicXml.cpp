// quorvel-cli export-musicxml: reads a MIDI file as the program's Open does
// and writes its song as a MusicXML score, in the file's key, or in the key
// its notes show when the file names none.
#include <CLI/CLI.hpp>
#include <memory>

#include "base/FileIo.h"
#include "cli/Command.h"
#include "cli/SongLoading.h"
#include "model/Score.h"
#include "notation/MusicXmlExport.h"
#include "tools/KeyTools.h"

namespace quorvel::cli {
namespace {

struct ExportMusicXmlOptions {
  std::string in;
  std::string out;
  int staves = 4;
};

// Whether the file carries a key signature of its own.
bool namesItsKey(const std::string& path) {
  auto scratch = std::make_unique<Score>();
  ConsoleUi ui;
  const auto bytes = readWholeFile(path);
  ImportResult imported;
  return bytes && readMidiBytes(*scratch, ui, *bytes, ReadOptions{}, imported) == 0 && imported.info.keyNote() >= 0;
}

void runExportMusicXml(const ExportMusicXmlOptions& o) {
  auto score = std::make_unique<Score>();
  ConsoleUi ui;
  setFileOption(*score, kReadFormat0, false);
  openSong(*score, ui, o.in);
  // Without a key signature in the file, the key its notes show is the one to notate.
  if (!namesItsKey(o.in)) detectKey(*score, ui, true);
  const notation::NotationOptions options{o.staves, notation::titleOfPath(o.in)};
  if (!notation::writeMusicXmlFile(*score, options, o.out)) throw CommandFailed(o.out + ": could not be written");
}

void addExportMusicXml(CLI::App& cli) {
  CLI::App* cmd = cli.add_subcommand("export-musicxml", "Write a MIDI file's song as a MusicXML score");
  auto o = std::make_shared<ExportMusicXmlOptions>();
  cmd->add_option("IN", o->in, "the MIDI file to read")->required();
  cmd->add_option("OUT", o->out, "the MusicXML file to write")->required();
  cmd->add_option("--staves", o->staves, "4: a staff per voice; 2: Soprano with Alto, Tenor with Bass")
      ->check(CLI::IsMember({2, 4}));
  cmd->callback([o] { runExportMusicXml(*o); });
}

const Registration kExportMusicXml(addExportMusicXml);

}  // namespace
}  // namespace quorvel::cli
