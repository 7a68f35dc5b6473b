#pragma once
// Per-set edit history of differences (codes added, deleted, moved, replaced),
// with a cursor: steps before it can be undone, steps from it on redone.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/NoteSet.h"

namespace quorvel {

enum UndoKind : std::uint32_t { kUndoEmpty = 0, kUndoAdded = 1, kUndoDeleted = 2, kUndoReplaced = 3 };
// Any other kind value is a move, and the value is the code offset of the move.

struct UndoStep {
  std::uint32_t kind = kUndoEmpty;
  std::vector<NoteCode> codes;   // added/deleted codes, codes after a move, or codes put in
  std::vector<NoteCode> codes2;  // replaced only: codes taken out
  // Non-zero on the steps one command left in several histories: undoing or
  // redoing one of them takes the others along.
  std::uint32_t commandMark = 0;
};

class UndoHistory {
 public:
  // Records the set's codes in ascending order; an empty set records nothing.
  void record(std::uint32_t kind, const NoteSet& set);
  void recordOne(NoteCode deletedCode);
  // Nothing is recorded when either set is empty.
  void recordReplace(const NoteSet& putIn, const NoteSet& takenOut);
  void clear();
  // A replaced step that may have an empty side, for a command's change of the set.
  void recordCommandChange(std::vector<NoteCode> putIn, std::vector<NoteCode> takenOut, std::uint32_t mark);
  // Forgets the steps from `cursor` on (those a command recorded itself
  // before its change was recorded as one step).
  void rewindTo(std::size_t cursor);

  // Moves the cursor and answers the step to revert / re-apply, or nullptr.
  const UndoStep* stepBack();
  const UndoStep* stepForward();

  // The step that stepBack / stepForward would answer, without moving.
  const UndoStep* peekBack() const { return cursor_ > 0 ? &steps_[cursor_ - 1] : nullptr; }
  const UndoStep* peekForward() const { return cursor_ < steps_.size() ? &steps_[cursor_] : nullptr; }

  bool canUndo() const { return cursor_ > 0; }
  bool canRedo() const { return cursor_ < steps_.size(); }
  std::size_t size() const { return steps_.size(); }
  std::size_t cursor() const { return cursor_; }

 private:
  UndoStep& takeStepAtCursor();

  std::vector<UndoStep> steps_;  // steps_[cursor_..] are the redoable ones
  std::size_t cursor_ = 0;
};

}  // namespace quorvel
