#include <algorithm>
#include <mutex>

#include "model/Score.h"
#include "tools/BarTools.h"
#include "tools/ToolSupport.h"

namespace quorvel {

namespace {

int shortestLength(const NoteSet& notes) {
  int shortest = kMaxMelodyLength;
  for (NoteCode c : notes) shortest = std::min(shortest, melodyLength(c));
  return shortest;
}

// Step k goes to step k / 2 and every length to its rounded-up half; of the
// notes that land on one start only the first (the highest) is kept.
NoteSet halved(const NoteSet& part) {
  NoteSet out;
  int lastStart = -1;
  for (NoteCode c : part) {
    const int x = (positionOf(c) / 2) + kSongStartX;
    const int start = x / kStepPixels;
    if (start == lastStart) continue;
    lastStart = start;
    out.insert(withMelodyLength(withStart(c, start), (melodyLength(c) + 1) / 2));
  }
  return out;
}

}  // namespace

int reduceNoteValues(Score& s, Ui& ui) {
  bool reduced = false;
  {
    std::lock_guard lock(s.noteMutex);
    const NoteSet& edited = setAt(s, s.editPart());
    while (!edited.empty() && shortestLength(edited) > 1) {
      clearAllUndo(s);
      dropSelection(s);
      for (int part : kMelodyPartsHighFirst) replaceSetContents(s, part, halved(setAt(s, part)));
      reduced = true;
    }
  }
  if (!reduced) return -2;
  finishScoreEdit(s, ui);
  return 0;
}

}  // namespace quorvel
