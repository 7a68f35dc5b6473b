#include <array>
#include <mutex>

#include "model/Score.h"
#include "tools/BarTools.h"
#include "tools/ToolSupport.h"
#include "model/TopLine.h"

namespace quorvel {

namespace {

// Takes the top line out of the pool, line by line from Soprano down. A note
// that was cut or resumed stays in the pool under its written code and may
// sound again in a lower line.
std::array<NoteSet, 4> dealLines(NoteSet pool) {
  std::array<NoteSet, 4> lines;
  for (int part : kMelodyPartsHighFirst) {
    if (pool.empty()) break;
    NoteSet& line = lines[static_cast<std::size_t>(part)];
    extractTopLine(pool, line, part, 0, kTopLineKeepParts);
    for (NoteCode c : line) eraseOne(pool, c);
  }
  return lines;
}

}  // namespace

int divideIntoParts(Score& s, Ui& ui) {
  {
    std::lock_guard lock(s.noteMutex);
    NoteSet& view = setAt(s, kMelodyView);
    if (view.empty()) return -2;
    clearAllUndo(s);
    dropSelection(s);
    const std::array<NoteSet, 4> lines = dealLines(view);
    view.clear();
    for (int part : kMelodyPartsHighFirst) {
      NoteSet& set = setAt(s, part);
      set.clear();
      extractTopLine(lines[static_cast<std::size_t>(part)], set, part, 0, kTopLineSetPart);
      view.insert(set.begin(), set.end());
    }
  }
  finishScoreEdit(s, ui);
  return 0;
}

}  // namespace quorvel
