#include "midifile/GatheredNotes.h"

#include <algorithm>
#include <mutex>

namespace quorvel {

namespace {

constexpr std::size_t kShiftsPerCode = 8;

// Insertion sort costs one step per code out of place, which suits codes that
// are nearly in order; codes that prove not to be get a full sort.
void sortNearlyOrdered(std::vector<NoteCode>& codes) {
  std::size_t budget = kShiftsPerCode * codes.size();
  for (std::size_t i = 1; i < codes.size(); ++i) {
    const NoteCode code = codes[i];
    std::size_t j = i;
    for (; j > 0 && codes[j - 1] > code && budget > 0; --j, --budget) codes[j] = codes[j - 1];
    codes[j] = code;
    if (budget == 0) {
      std::sort(codes.begin(), codes.end());
      return;
    }
  }
}

}  // namespace

// A track's codes come out nearly in order (a note is written when it
// ends), so most tracks need no sort; tracks are merged in as sorted runs.
void GatheredNotes::add(int setIndex, std::vector<NoteCode> codes) {
  if (codes.empty()) return;
  sortNearlyOrdered(codes);
  std::vector<NoteCode>& gathered = of(setIndex);
  if (gathered.empty()) {  // the set's first run is taken as it is, not copied
    gathered = std::move(codes);
    return;
  }
  const auto seam = static_cast<std::ptrdiff_t>(gathered.size());
  gathered.insert(gathered.end(), codes.begin(), codes.end());
  if (seam > 0 && gathered[static_cast<std::size_t>(seam) - 1] > gathered[static_cast<std::size_t>(seam)])
    std::inplace_merge(gathered.begin(), gathered.begin() + seam, gathered.end());
}

void GatheredNotes::storeInto(Score& s) {
  std::lock_guard lock(s.noteMutex);
  for (int i = 0; i < kNoteSetCount; ++i) {
    NoteSet& set = s.noteSets[static_cast<std::size_t>(i)];
    // A range goes in code by code at the end, which for ascending codes
    // needs no search; one call per set measured faster than one per code.
    set.insert(of(i).begin(), of(i).end());
    of(i).clear();
  }
}

}  // namespace quorvel
