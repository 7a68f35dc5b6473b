#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "midifile/GatheredNotes.h"

namespace quorvel {
namespace {

std::vector<NoteCode> setContents(const Score& s, int index) {
  const NoteSet& set = s.noteSets[static_cast<std::size_t>(index)];
  return {set.begin(), set.end()};
}

// Tracks in every kind of order: nearly sorted (chords end out of order),
// reversed (more disorder than insertion sorting should take on), random,
// with repeats; all of them land in one set, sorted, nothing lost.
TEST(GatheredNotes, TracksInAnyOrderAreStoredSortedAndComplete) {
  std::mt19937 rng(7);
  std::vector<std::vector<NoteCode>> tracks(5);
  for (NoteCode i = 0; i < 3000; ++i) tracks[0].push_back(i * 16 + (i % 3 == 0 ? 40 : 0));
  for (NoteCode i = 0; i < 5000; ++i) tracks[1].push_back(90000 - i * 3);
  for (NoteCode i = 0; i < 4000; ++i) tracks[2].push_back(rng() % 70000);
  tracks[3] = {5, 5, 5, 1};

  Score score;
  GatheredNotes gathered;
  std::vector<NoteCode> expected;
  for (const auto& t : tracks) {
    gathered.add(kSopranoSet, t);
    expected.insert(expected.end(), t.begin(), t.end());
  }
  gathered.add(kAltoSet, {3, 2, 1});
  gathered.storeInto(score);

  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(setContents(score, kSopranoSet), expected);
  EXPECT_EQ(setContents(score, kAltoSet), (std::vector<NoteCode>{1, 2, 3}));
  EXPECT_TRUE(gathered.isEmpty(kSopranoSet));  // handed over, not kept twice
}

}  // namespace
}  // namespace quorvel
