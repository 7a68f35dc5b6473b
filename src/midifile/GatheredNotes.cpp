#include "midifile/GatheredNotes.h"

#include <algorithm>
#include <array>
#include <utility>
#include <mutex>

namespace quorvel {

namespace {

constexpr int kDigitBits = 11;
constexpr NoteCode kDigitMask = (1u << kDigitBits) - 1;
constexpr std::size_t kSmallSort = 256;

// Least-significant-digit radix sort: several times faster than comparison
// sorting for the thousands of codes a song gives.
void sortCodes(std::vector<NoteCode>& codes, std::vector<NoteCode>& scratch) {
  if (codes.size() < kSmallSort) {
    std::sort(codes.begin(), codes.end());
    return;
  }
  scratch.resize(codes.size());
  for (int shift = 0; shift < 32; shift += kDigitBits) {
    std::array<std::size_t, kDigitMask + 1> slot{};
    for (NoteCode c : codes) ++slot[(c >> shift) & kDigitMask];
    if (slot[(codes.front() >> shift) & kDigitMask] == codes.size()) continue;  // one digit throughout
    std::size_t next = 0;
    for (std::size_t& s : slot) next += std::exchange(s, next);
    for (NoteCode c : codes) scratch[slot[(c >> shift) & kDigitMask]++] = c;
    codes.swap(scratch);
  }
}

// Ascending codes go in at the end hint, which needs no search.
void insertSorted(NoteSet& set, std::vector<NoteCode>& codes, std::vector<NoteCode>& scratch) {
  sortCodes(codes, scratch);
  for (NoteCode c : codes) set.insert(set.end(), c);
}

}  // namespace

void GatheredNotes::add(int setIndex, const std::vector<NoteCode>& codes) {
  std::vector<NoteCode>& gathered = of(setIndex);
  gathered.insert(gathered.end(), codes.begin(), codes.end());
}

void GatheredNotes::storeInto(Score& s) {
  std::vector<NoteCode> scratch;
  std::lock_guard lock(s.noteMutex);
  for (int i = 0; i < kNoteSetCount; ++i) {
    insertSorted(s.noteSets[static_cast<std::size_t>(i)], of(i), scratch);
    of(i).clear();
  }
}

}  // namespace quorvel
