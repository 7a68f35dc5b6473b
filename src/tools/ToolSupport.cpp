#include "tools/ToolSupport.h"

#include <utility>

#include "base/Ui.h"

namespace quorvel {

void replaceSetContents(Score& s, int setIndex, NoteSet contents) {
  NoteSet& view = setAt(s, viewSetOf(setIndex));
  NoteSet& set = setAt(s, setIndex);
  for (NoteCode c : set) eraseOne(view, c);
  set = std::move(contents);
  for (NoteCode c : set) view.insert(c);
}

void dropSelection(Score& s) {
  setAt(s, kSelection).clear();
  s.selectionBounds = Bounds{};
}

void setGeneratorKeyNote(Score& s, int key) {
  s.settings.melody[kKeyNote] = key;
  s.keyBase = (key / 12) * 12;
}

void finishScoreEdit(Score& s, Ui& ui) {
  ui.redraw(RedrawTarget::Melody);
  ui.redraw(RedrawTarget::Drums);
  markModified(s, ui);
}

}  // namespace quorvel
