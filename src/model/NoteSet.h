#pragma once
// An ordered multiset of note codes. std::multiset inserts a value after the
// equal values already present, which is the order the editors rely on.
#include <cstddef>
#include <functional>
#include <set>

#include "model/NodePool.h"
#include "model/NoteCode.h"

namespace quorvel {

using NoteSet = std::multiset<NoteCode, std::less<NoteCode>, PooledAllocator<NoteCode>>;

// Erases one occurrence; answers whether there was one.
inline bool eraseOne(NoteSet& set, NoteCode code) {
  auto it = set.find(code);
  if (it == set.end()) return false;
  set.erase(it);
  return true;
}

// Erases every occurrence; answers how many there were.
inline std::size_t eraseAll(NoteSet& set, NoteCode code) { return set.erase(code); }

// First code at or after a step.
inline NoteSet::const_iterator firstAtStep(const NoteSet& set, int step) {
  return set.lower_bound(static_cast<NoteCode>(step) << kStartShift);
}

}  // namespace quorvel
