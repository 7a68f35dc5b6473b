#include "model/UndoHistory.h"

#include <utility>

namespace quorvel {

UndoStep& UndoHistory::takeStepAtCursor() {
  // A new record discards whatever was undone ahead of the cursor.
  steps_.resize(cursor_);
  steps_.emplace_back();
  ++cursor_;
  return steps_.back();
}

void UndoHistory::record(std::uint32_t kind, const NoteSet& set) {
  if (set.empty()) return;
  UndoStep& step = takeStepAtCursor();
  step.kind = kind;
  step.codes.assign(set.begin(), set.end());
}

void UndoHistory::recordOne(NoteCode deletedCode) {
  UndoStep& step = takeStepAtCursor();
  step.kind = kUndoDeleted;
  step.codes.push_back(deletedCode);
}

void UndoHistory::recordReplace(const NoteSet& putIn, const NoteSet& takenOut) {
  if (putIn.empty() || takenOut.empty()) return;
  UndoStep& step = takeStepAtCursor();
  step.kind = kUndoReplaced;
  step.codes.assign(putIn.begin(), putIn.end());
  step.codes2.assign(takenOut.begin(), takenOut.end());
}

void UndoHistory::recordCommandChange(std::vector<NoteCode> putIn, std::vector<NoteCode> takenOut,
                                      std::uint32_t mark) {
  UndoStep& step = takeStepAtCursor();
  step.kind = kUndoReplaced;
  step.codes = std::move(putIn);
  step.codes2 = std::move(takenOut);
  step.commandMark = mark;
}

void UndoHistory::rewindTo(std::size_t cursor) {
  if (cursor >= cursor_) return;
  steps_.resize(cursor);
  cursor_ = cursor;
}

void UndoHistory::clear() {
  steps_.clear();
  cursor_ = 0;
}

const UndoStep* UndoHistory::stepBack() {
  if (cursor_ == 0) return nullptr;
  return &steps_[--cursor_];
}

const UndoStep* UndoHistory::stepForward() {
  if (cursor_ >= steps_.size()) return nullptr;
  return &steps_[cursor_++];
}

}  // namespace quorvel
