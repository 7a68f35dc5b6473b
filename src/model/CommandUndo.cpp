#include "model/CommandUndo.h"

#include <algorithm>
#include <iterator>
#include <mutex>

#include "model/Score.h"

namespace quorvel {

namespace {

// Codes of `from` not matched one for one in `minus` (both sorted).
std::vector<NoteCode> difference(const std::vector<NoteCode>& from, const std::vector<NoteCode>& minus) {
  std::vector<NoteCode> out;
  std::set_difference(from.begin(), from.end(), minus.begin(), minus.end(), std::back_inserter(out));
  return out;
}

}  // namespace

CommandUndo::CommandUndo(Score& s) : score_(s) {
  std::lock_guard lock(s.noteMutex);
  for (std::size_t i = 0; i < kSets; ++i) {
    before_[i].assign(s.noteSets[i].begin(), s.noteSets[i].end());
    cursors_[i] = s.undo[i].cursor();
  }
}

void CommandUndo::commit() {
  std::lock_guard lock(score_.noteMutex);
  const std::uint32_t mark = ++score_.lastCommandMark;
  for (std::size_t i = 0; i < kSets; ++i) {
    const std::vector<NoteCode> after(score_.noteSets[i].begin(), score_.noteSets[i].end());
    std::vector<NoteCode> putIn = difference(after, before_[i]);
    std::vector<NoteCode> takenOut = difference(before_[i], after);
    UndoHistory& history = score_.undo[i];
    history.rewindTo(cursors_[i]);
    if (putIn.empty() && takenOut.empty()) continue;
    history.recordCommandChange(std::move(putIn), std::move(takenOut), mark);
  }
}

}  // namespace quorvel
