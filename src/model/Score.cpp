#include "model/Score.h"

#include <algorithm>
#include <vector>

#include "base/Ui.h"

namespace quorvel {

namespace {

RedrawTarget viewOf(int setIndex) {
  return setIndex <= kSopranoSet ? RedrawTarget::Melody : RedrawTarget::Drums;
}

void insertBoth(Score& s, int setIndex, NoteCode code) {
  s.noteSets[static_cast<std::size_t>(setIndex)].insert(code);
  s.noteSets[static_cast<std::size_t>(viewSetOf(setIndex))].insert(code);
}

void clearSets(Score& s, int first, int last) {
  for (int i = first; i <= last; ++i) s.noteSets[static_cast<std::size_t>(i)].clear();
}

// Shortens or drops the notes of one set that run past the timeline's end.
void clipSet(Score& s, int setIndex) {
  const bool drum = setIndex >= kDrumSet0;
  NoteSet& set = setAt(s, setIndex);
  std::vector<NoteCode> shortened;
  std::vector<NoteCode> doomed;
  for (NoteCode c : set) {
    const int start = noteStart(c);
    const int length = drum ? drumLength(c) : melodyLength(c);
    if (start >= kTimelineEndStep) {
      doomed.push_back(c);
    } else if (start + length > kTimelineEndStep) {
      doomed.push_back(c);
      const int kept = kTimelineEndStep - start;
      shortened.push_back(drum ? withDrumLength(c, kept) : withMelodyLength(c, kept));
    }
  }
  doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
  NoteSet& view = setAt(s, viewSetOf(setIndex));
  for (NoteCode c : doomed) {
    set.erase(c);
    view.erase(c);
  }
  for (NoteCode c : shortened) insertBoth(s, setIndex, c);
}

void removeListed(Score& s, int setIndex, const std::vector<NoteCode>& codes) {
  for (NoteCode c : codes) removeNote(s, setIndex, c);
  setAt(s, kSelection).clear();
}

void restoreListed(Score& s, int setIndex, const std::vector<NoteCode>& codes) {
  for (NoteCode c : codes) insertBoth(s, setIndex, c);
}

void selectCodes(Score& s, const std::vector<NoteCode>& codes) {
  NoteSet& sel = setAt(s, kSelection);
  sel.clear();
  sel.insert(codes.begin(), codes.end());
}

void revert(Score& s, int set, const UndoStep& step) {
  switch (step.kind) {
    case kUndoAdded: removeListed(s, set, step.codes); break;
    case kUndoDeleted: setAt(s, kSelection).clear(); restoreListed(s, set, step.codes); break;
    case kUndoReplaced:
      removeListed(s, set, step.codes);
      restoreListed(s, set, step.codes2);
      selectCodes(s, step.codes2);
      break;
    default: {
      std::vector<NoteCode> movedBack;
      for (NoteCode c : step.codes) {
        removeNote(s, set, c);
        movedBack.push_back(c - step.kind);
        insertBoth(s, set, c - step.kind);
      }
      selectCodes(s, movedBack);
    }
  }
}

void reapply(Score& s, int set, const UndoStep& step) {
  switch (step.kind) {
    case kUndoAdded: setAt(s, kSelection).clear(); restoreListed(s, set, step.codes); break;
    case kUndoDeleted: removeListed(s, set, step.codes); break;
    case kUndoReplaced:
      removeListed(s, set, step.codes2);
      restoreListed(s, set, step.codes);
      selectCodes(s, step.codes);
      break;
    default:
      for (NoteCode c : step.codes) {
        removeNote(s, set, c - step.kind);
        insertBoth(s, set, c);
      }
      selectCodes(s, step.codes);
  }
}

void afterHistoryStep(Score& s, int set, Ui& ui) {
  ui.redraw(viewOf(set));
  s.selectionBounds = computeSelectionBounds(s);
  markModified(s, ui);
}

// The sets besides `active` whose next step to undo (or redo) belongs to the
// same command. A set edited since the command keeps its later edits on top,
// and its part of the command stays until those are undone there.
std::vector<int> otherSetsOfCommand(const Score& s, int active, std::uint32_t mark,
                                    const UndoStep* (UndoHistory::*next)() const) {
  std::vector<int> sets;
  for (int i = kBassSet; i <= kDrumSet3; ++i) {
    if (i == active) continue;
    const UndoStep* step = (s.undo[static_cast<std::size_t>(i)].*next)();
    if (step && step->commandMark == mark) sets.push_back(i);
  }
  return sets;
}

// The caller holds the note lock.
void eraseMelodies(Score& s) {
  clearSets(s, kBassSet, kSopranoSet);
  for (int i = kBassSet; i <= kSopranoSet; ++i) s.undo[static_cast<std::size_t>(i)].clear();
  setAt(s, kMelodyView).clear();
  clearSets(s, kDragSet, kWorkSetLast);
  s.moveScratch.clear();
}

void eraseDrums(Score& s) {
  clearSets(s, kDrumSet0, kDrumSet3);
  for (int i = kDrumSet0; i <= kDrumSet3; ++i) s.undo[static_cast<std::size_t>(i)].clear();
  clearSets(s, kDrumsView, kWorkSetLast);
  s.moveScratch.clear();
}

}  // namespace

Score::Score() = default;

void addNote(Score& s, int setIndex, NoteCode code) {
  std::lock_guard lock(s.noteMutex);
  insertBoth(s, setIndex, code);
}

void removeNote(Score& s, int setIndex, NoteCode code) {
  std::lock_guard lock(s.noteMutex);
  eraseOne(setAt(s, setIndex), code);
  eraseOne(setAt(s, viewSetOf(setIndex)), code);
}

void removeSet(Score& s, int setIndex) {
  std::lock_guard lock(s.noteMutex);
  if (setIndex == kSelection) {
    const int active = s.activeSet();
    for (NoteCode c : setAt(s, kSelection)) {
      eraseOne(setAt(s, active), c);
      eraseOne(setAt(s, viewSetOf(active)), c);
    }
    return;
  }
  NoteSet& view = setAt(s, viewSetOf(setIndex));
  for (NoteCode c : setAt(s, setIndex)) eraseOne(view, c);
  setAt(s, setIndex).clear();
}

void moveSelection(Score& s, std::uint32_t delta, int targetSet, Ui& ui) {
  {
    std::lock_guard lock(s.noteMutex);
    const int view = (targetSet & 4) ? kDrumsView : kMelodyView;
    for (NoteCode c : setAt(s, kSelection)) {
      const NoteCode moved = c + delta;
      s.moveScratch.insert(moved);
      setAt(s, targetSet).insert(moved);
      setAt(s, view).insert(moved);
    }
    setAt(s, kSelection) = s.moveScratch;
    s.moveScratch.clear();
  }
  s.selectionBounds = computeSelectionBounds(s);
  ui.redraw(viewOf(targetSet));
}

void clearSelection(Score& s, Ui& ui) {
  NoteSet& sel = setAt(s, kSelection);
  if (sel.empty()) return;
  ui.redraw(s.drumsEditMode() ? RedrawTarget::Drums : RedrawTarget::Melody);
  sel.clear();
  s.selectionBounds = Bounds{};
}

Bounds computeSelectionBounds(const Score& s) {
  Bounds b;
  for (NoteCode c : s.noteSets[kSelection]) {
    const NoteRect r = decodeNote(c, isDrumCode(c));
    b.left = std::min(b.left, r.x);
    b.top = std::min(b.top, r.y);
    b.right = std::max(b.right, r.x + r.width);
    b.bottom = std::max(b.bottom, r.y + 5);
  }
  return b;
}

void copySelection(Score& s) {
  if (setAt(s, kSelection).empty()) return;
  s.clipboard = setAt(s, kSelection);
}

void cutSelection(Score& s, Ui& ui) {
  copySelection(s);
  deleteSelection(s, ui);
}

void paste(Score& s) {
  const int lowBits = s.drumsEditMode() ? s.drumSet() : s.editPart();
  NoteSet& drag = setAt(s, kDragSet);
  drag.clear();
  for (NoteCode c : s.clipboard) drag.insert(withLowBits(c, lowBits));
}

void deleteSelection(Score& s, Ui& ui) {
  NoteSet& sel = setAt(s, kSelection);
  if (sel.empty()) return;
  const int active = s.activeSet();
  removeSet(s, kSelection);
  s.undo[static_cast<std::size_t>(active)].record(kUndoDeleted, sel);
  sel.clear();
  s.selectionBounds = Bounds{};
  ui.redraw(viewOf(active));
  markModified(s, ui);
}

void clearMelodies(Score& s, Ui& ui) {
  {
    std::lock_guard lock(s.noteMutex);
    eraseMelodies(s);
  }
  ui.redraw(RedrawTarget::Melody);
}

void clearDrums(Score& s, Ui& ui) {
  {
    std::lock_guard lock(s.noteMutex);
    eraseDrums(s);
  }
  ui.redraw(RedrawTarget::Drums);
}

void newSong(Score& s, int mask, Ui& ui) {
  {
    std::lock_guard lock(s.noteMutex);
    if (mask & kClearMelodies) eraseMelodies(s);
    if (mask & kClearDrums) eraseDrums(s);
    clearSets(s, kWorkSetFirst, kImportedTrackFirst);
    s.trackInfo = {};
    s.fileName.clear();
    s.clearFlag(kFlagModified);
  }
  if (mask & kClearMelodies) ui.redraw(RedrawTarget::Melody);
  if (mask & kClearDrums) ui.redraw(RedrawTarget::Drums);
  ui.songStateChanged({"", false, s.settings.general.language});
}

void clearAll(Score& s, Ui& ui) {
  {
    std::lock_guard lock(s.noteMutex);
    clearSets(s, kBassSet, kWorkSetLast);
    s.moveScratch.clear();
    s.selectionBounds = Bounds{};
    clearAllUndo(s);
    s.stateFlags.fetch_and(kFlagDrumsBand);
  }
  ui.redraw(RedrawTarget::All);
}

void markModified(Score& s, Ui& ui) {
  if (!s.isModified()) {
    s.setFlag(kFlagModified);
    ui.songStateChanged({s.fileName, true, s.settings.general.language});
  }
  ui.setStatus(2, "");
  s.clearFlag(kFlagUntouchedResult);
  ui.redraw(RedrawTarget::KeyNote);
  ui.setStatus(1, " ");
}

void markSaved(Score& s, const std::string& fileName, const std::string& statusText, Ui& ui) {
  s.fileName = fileName;
  s.clearFlag(kFlagModified);
  ui.songStateChanged({fileName, false, s.settings.general.language});
  ui.setStatus(2, statusText);
}

void clipToTimeline(Score& s) {
  std::lock_guard lock(s.noteMutex);
  setAt(s, kSelection).clear();
  s.selectionBounds = Bounds{};
  for (int set : {3, 2, 1, 0, 7, 6, 5, 4}) clipSet(s, set);
}

void undo(Score& s, Ui& ui) {
  const int set = s.activeSet();
  const UndoStep* step = s.undo[static_cast<std::size_t>(set)].peekBack();
  if (!step) return;
  // The other sets of the same command first: the active set's step sets the selection last.
  if (step->commandMark != 0) {
    for (int other : otherSetsOfCommand(s, set, step->commandMark, &UndoHistory::peekBack)) {
      {
        std::lock_guard lock(s.noteMutex);
        revert(s, other, *s.undo[static_cast<std::size_t>(other)].stepBack());
      }
      afterHistoryStep(s, other, ui);
    }
  }
  {
    std::lock_guard lock(s.noteMutex);
    revert(s, set, *s.undo[static_cast<std::size_t>(set)].stepBack());
  }
  afterHistoryStep(s, set, ui);
}

void redo(Score& s, Ui& ui) {
  const int set = s.activeSet();
  const UndoStep* step = s.undo[static_cast<std::size_t>(set)].peekForward();
  if (!step) return;
  if (step->commandMark != 0) {
    for (int other : otherSetsOfCommand(s, set, step->commandMark, &UndoHistory::peekForward)) {
      {
        std::lock_guard lock(s.noteMutex);
        reapply(s, other, *s.undo[static_cast<std::size_t>(other)].stepForward());
      }
      afterHistoryStep(s, other, ui);
    }
  }
  {
    std::lock_guard lock(s.noteMutex);
    reapply(s, set, *s.undo[static_cast<std::size_t>(set)].stepForward());
  }
  afterHistoryStep(s, set, ui);
}

void clearAllUndo(Score& s) {
  for (auto& h : s.undo) h.clear();
}

}  // namespace quorvel
