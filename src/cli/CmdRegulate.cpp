// quorvel-cli regulate: brings a MIDI file into the regular shape of learning
// material (trim, four lines, key note moved to C3, shortest note a sixteenth).
#include <iostream>

#include "base/Ui.h"
#include "cli/Command.h"
#include "cli/SongLoading.h"
#include "base/FileIo.h"
#include "midifile/MidiReader.h"
#include "midifile/MidiWriter.h"
#include "model/Score.h"
#include "tools/RegulateChain.h"

namespace quorvel::cli {
namespace {


int runRegulate(const Args& args) {
  if (args.size() != 2) {
    std::cerr << "usage: quorvel-cli regulate IN.mid OUT.mid\n";
    return 2;
  }
  const auto bytes = readWholeFile(args[0]);
  Score score;
  ConsoleUi ui;
  ReadOptions readOptions;
  readOptions.merged = true;
  readOptions.readDrums = true;
  ImportResult result;
  if (!bytes || readMidiBytes(score, ui, *bytes, readOptions, result) != 0) {
    std::cerr << args[0] << ": not a readable MIDI file\n";
    return 1;
  }
  clipToTimeline(score);
  const auto key = regulateSong(score, ui);
  if (!key) {
    std::cerr << args[0] << ": no melody notes\n";
    return 1;
  }
  WriteOptions writeOptions;
  writeOptions.drums = true;
  if (!replaceFileContents(args[1], writeMidi(score, kSopranoSet, kBassSet, kDrumsView, writeOptions))) {
    std::cerr << args[1] << ": could not be written\n";
    return 1;
  }
  std::cout << keyStatusText(*key) << "\n";
  return 0;
}

const Registration registration("regulate", "regulate IN.mid OUT.mid", runRegulate);

}  // namespace
}  // namespace quorvel::cli
