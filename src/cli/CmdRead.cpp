// quorvel-cli read: the score a MIDI file becomes, one line per note.
#include <iostream>
#include <memory>

#include "cli/Command.h"
#include "cli/SongLoading.h"
#include "cli/UsageError.h"
#include "model/Score.h"

namespace quorvel::cli {
namespace {

void setOption(Score& s, FileOption o, bool on) { s.settings.file.options[static_cast<std::size_t>(o)] = on ? 10 : 0; }

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

int runRead(const Args& args) {
  std::string path;
  auto score = std::make_unique<Score>();
  setOption(*score, kReadFormat0, false);
  setOption(*score, kReadDrumsTrack, false);
  for (const std::string& a : args) {
    if (a == "--format0") setOption(*score, kReadFormat0, true);
    else if (a == "--drums") setOption(*score, kReadDrumsTrack, true);
    else if (a == "--dedupe") setOption(*score, kRemoveDuplicates, true);
    else if (path.empty() && !a.starts_with("--")) path = a;
    else return usageError("read");
  }
  if (path.empty()) return usageError("read");
  ConsoleUi ui;
  if (loadSong(*score, ui, path) != 0) return 1;
  printScore(std::cout, *score);
  return 0;
}

const Registration reg("read",
                       "read FILE.mid [--format0] [--drums] [--dedupe]  print the notes of sets 3,2,1,0,4..7 "
                       "(\"set start key length part\" / \"set start lane length level velocity\"), then tempo, "
                       "key, scale; exit 1 with the reader's message on stderr when the file is rejected",
                       runRead);

}  // namespace
}  // namespace quorvel::cli
