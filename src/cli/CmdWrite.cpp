// quorvel-cli write: reads a MIDI file as the program does and saves it again.
#include <iostream>
#include <memory>

#include "cli/Command.h"
#include "cli/SongLoading.h"
#include "cli/UsageError.h"
#include "midifile/SongFiles.h"
#include "model/Score.h"

namespace quorvel::cli {
namespace {

void setOption(Score& s, FileOption o, bool on) { s.settings.file.options[static_cast<std::size_t>(o)] = on ? 10 : 0; }

int runWrite(const Args& args) {
  std::vector<std::string> paths;
  auto score = std::make_unique<Score>();
  setOption(*score, kReadFormat0, false);
  for (const std::string& a : args) {
    if (a == "--format0") setOption(*score, kWriteFormat0, true);
    else if (a == "--drums") setOption(*score, kExportDrums, true);
    else if (a == "--strict") setOption(*score, kExportStrictLines, true);
    else if (!a.starts_with("--")) paths.push_back(a);
    else return usageError("write");
  }
  if (paths.size() != 2) return usageError("write");
  ConsoleUi ui;
  if (loadSong(*score, ui, paths[0]) != 0) return 1;
  score->fileName = paths[1];
  score->setFlag(kFlagModified);
  return saveSong(*score, ui) == 0 ? 0 : 1;
}

const Registration reg("write",
                       "write IN.mid OUT.mid [--format0] [--drums] [--strict]  read IN as \"read\" does and save it "
                       "as OUT (format 0, with the drums, strict lines); exit 1 with the message on stderr when "
                       "IN is rejected or OUT cannot be written",
                       runWrite);

}  // namespace
}  // namespace quorvel::cli
