// quorvel-cli chorales: the four-part chorale corpus (JSON) as four-track
// MIDI files, OUTDIR/train/NNN.mid and OUTDIR/valid/NNN.mid.
#include <iostream>

#include "cli/Command.h"
#include "learning/ChoraleCorpus.h"

namespace quorvel::cli {
namespace {

int runChorales(const Args& args) {
  if (args.size() != 2) {
    std::cerr << "usage: quorvel-cli chorales CORPUS.json OUTDIR\n";
    return 2;
  }
  std::string error;
  const int written = writeChoraleCorpus(args[0], args[1], error);
  if (written < 0) {
    std::cerr << error << "\n";
    return 1;
  }
  std::cout << written << " chorales written\n";
  return 0;
}

const Registration registration("chorales", "chorales CORPUS.json OUTDIR", runChorales);

}  // namespace
}  // namespace quorvel::cli
