#pragma once
// One undo step for a command that changes several part and drum sets at
// once (the generation commands): each set it changed gets one replaced step
// (what it put in, what it took out) bearing one command mark, and an undo or
// redo of any of them takes the others along, so one Ctrl+Z gives back the
// whole song as it was before the command and one Ctrl+Y its result.
#include <array>
#include <cstddef>
#include <vector>

#include "model/NoteCode.h"

namespace quorvel {

struct Score;

class CommandUndo {
 public:
  // Remembers the eight sets and their histories as they are now.
  explicit CommandUndo(Score& s);
  // Records the difference of every changed set; the steps the command
  // recorded on its own in those histories give way to it.
  void commit();

 private:
  static constexpr std::size_t kSets = 8;  // melody parts 0..3, drum sets 4..7
  Score& score_;
  std::array<std::vector<NoteCode>, kSets> before_;
  std::array<std::size_t, kSets> cursors_{};
};

}  // namespace quorvel
