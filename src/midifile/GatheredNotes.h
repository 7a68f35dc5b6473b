#pragma once
// Notes read from a file, gathered per note set in order and stored at the
// end: a track's notes interleave with the previous tracks' notes in time,
// and inserting them into the tree as they come would search it for each.
#include <array>
#include <vector>

#include "model/Score.h"

namespace quorvel {

class GatheredNotes {
 public:
  void add(int setIndex, std::vector<NoteCode> codes);
  bool isEmpty(int setIndex) const { return of(setIndex).empty(); }
  // Adds everything gathered to the score's sets and forgets it.
  void storeInto(Score& s);

 private:
  std::vector<NoteCode>& of(int setIndex) { return perSet_[static_cast<std::size_t>(setIndex)]; }
  const std::vector<NoteCode>& of(int setIndex) const { return perSet_[static_cast<std::size_t>(setIndex)]; }

  std::array<std::vector<NoteCode>, kNoteSetCount> perSet_;
};

}  // namespace quorvel
