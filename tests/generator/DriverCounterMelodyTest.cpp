#include <gtest/gtest.h>

#include "generator/CounterMelody.h"

namespace quorvel {
namespace {

NoteSet part(const std::vector<std::array<int, 3>>& notes) {
  NoteSet set;
  for (const auto& n : notes) set.insert(makeMelodyNote(n[0], n[1], n[2], 3));
  return set;
}

TEST(DriverCounterMelody, RestsStandBeforeTheFirstNoteAndInGaps) {
  // Key note 67: pitches move down by 7 into the frame of middle C.
  const CounterMelody m = readCounterMelody(part({{6, 67, 4}, {10, 69, 2}, {20, 71, 8}}), 67);
  ASSERT_EQ(m.entries.size(), 5u);
  EXPECT_FALSE(m.entries[0].isNote);
  EXPECT_EQ(m.entries[0].duration, 20);  // x 10 .. 30
  EXPECT_EQ(m.entries[1].pitch, 60);
  EXPECT_EQ(m.entries[1].duration, 20);
  EXPECT_EQ(m.entries[2].pitch, 62);
  EXPECT_EQ(m.entries[2].duration, 10);
  EXPECT_FALSE(m.entries[3].isNote);
  EXPECT_EQ(m.entries[3].duration, 40);
  EXPECT_EQ(m.entries[4].pitch, 64);
  EXPECT_EQ(m.noteCount(), 3);
  EXPECT_EQ(m.pitches(), (std::vector<int>{60, 62, 64}));
  const auto places = m.notePlaces();
  ASSERT_EQ(places.size(), 3u);
  EXPECT_EQ(places[0].x, 30);
  EXPECT_EQ(places[1].x, 50);
  EXPECT_EQ(places[2].x, 100);
  EXPECT_EQ(places[2].duration, 40);
}

TEST(DriverCounterMelody, ChordsKeepTheirTopNoteAndOverlapsAreCut) {
  const CounterMelody m = readCounterMelody(part({{2, 60, 8}, {2, 64, 8}, {2, 55, 8}, {6, 62, 4}}), 60);
  EXPECT_EQ(m.pitches(), (std::vector<int>{64, 62}));
  const auto places = m.notePlaces();
  EXPECT_EQ(places[0].x, 10);
  EXPECT_EQ(places[0].duration, 20);  // cut where the next note begins
  EXPECT_EQ(places[1].x, 30);
}

TEST(DriverCounterMelody, LeapsAreNarrowedByOctaves) {
  // The earlier note lies farther from the key: it moves.
  std::vector<int> p{96, 60};
  limitLeaps(p, 60);
  EXPECT_EQ(p, (std::vector<int>{72, 60}));
  // The later note lies farther: it moves, and the walk goes on from it.
  p = {62, 90, 40};
  limitLeaps(p, 60);
  EXPECT_EQ(p, (std::vector<int>{62, 78, 64}));
  // A tie moves the earlier note; 20 semitones stay.
  p = {40, 80, 60, 80};
  limitLeaps(p, 60);
  EXPECT_EQ(p, (std::vector<int>{64, 80, 60, 80}));
  for (std::size_t i = 0; i + 1 < p.size(); ++i) EXPECT_LE(std::abs(p[i] - p[i + 1]), 20);
}

}  // namespace
}  // namespace quorvel
