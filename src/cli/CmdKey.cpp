// quorvel-cli key: the detected key of a MIDI file, as the status bar shows it.
#include <iostream>

#include "base/Ui.h"
#include "cli/Command.h"
#include "cli/SongLoading.h"
#include "base/FileIo.h"
#include "midifile/MidiReader.h"
#include "model/Score.h"
#include "tools/KeyTools.h"

namespace quorvel::cli {
namespace {


int runKey(const Args& args) {
  if (args.size() != 1) {
    std::cerr << "usage: quorvel-cli key FILE.mid\n";
    return 2;
  }
  const auto bytes = readWholeFile(args[0]);
  Score score;
  ConsoleUi ui;
  ReadOptions options;
  options.merged = true;
  ImportResult result;
  if (!bytes || readMidiBytes(score, ui, *bytes, options, result) != 0) {
    std::cerr << args[0] << ": not a readable MIDI file\n";
    return 1;
  }
  clipToTimeline(score);
  const auto key = detectKey(score, ui, false);
  if (!key) {
    std::cerr << args[0] << ": no melody notes\n";
    return 1;
  }
  std::cout << keyStatusText(*key) << "\n";
  return 0;
}

const Registration registration("key", "key FILE.mid", runKey);

}  // namespace
}  // namespace quorvel::cli
