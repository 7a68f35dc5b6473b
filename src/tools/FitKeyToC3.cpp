#include <mutex>

#include "model/Score.h"
#include "tools/KeyTools.h"
#include "tools/ToolSupport.h"

namespace quorvel {

namespace {

constexpr int kC3 = 60;

// The part moved so that key note d semitones above C3 lands on C3; notes
// that would leave keys 1..121 are dropped.
NoteSet transposedPart(const NoteSet& part, int d) {
  NoteSet moved;
  for (NoteCode c : part) {
    const int key = melodyKey(c) - d;
    if (key >= 1 && key <= 121) moved.insert(c + static_cast<NoteCode>(d) * kMelodyRowDelta);
  }
  return moved;
}

}  // namespace

int fitKeyToC3(Score& s, Ui& ui) {
  const int d = s.settings.melody[kKeyNote] - kC3;
  if (d == 0 || setAt(s, kMelodyView).empty()) return -2;
  clearAllUndo(s);
  clearSelection(s, ui);
  {
    std::lock_guard lock(s.noteMutex);
    for (int part : kMelodyPartsHighFirst) replaceSetContents(s, part, transposedPart(setAt(s, part), d));
  }
  setGeneratorKeyNote(s, kC3);
  finishScoreEdit(s, ui);
  return 0;
}

}  // namespace quorvel
