#pragma once
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "model/Random.h"
#include "model/Score.h"
#include "support/FakeUi.h"

namespace quorvel {

// A song built note by note, with positions in timeline units from the origin
// (position p is start p / 5 + 2).
class ToolFixture : public ::testing::Test {
 protected:
  static constexpr int startOf(int position) { return position / 5 + kSongStartStep; }

  NoteCode melody(int part, int position, int key, int lengthSteps = 4) {
    const NoteCode c = makeMelodyNote(startOf(position), key, lengthSteps, part);
    addNote(score, part, c);
    return c;
  }
  NoteCode drum(int level, int position) {
    const NoteCode c = makeDrumNote(startOf(position), 1, 1, level, 100);
    addNote(score, kDrumSet0 + level, c);
    return c;
  }
  const NoteSet& set(int index) const { return score.noteSets[static_cast<std::size_t>(index)]; }
  std::vector<int> positions(int index) const {
    std::vector<int> out;
    for (NoteCode c : set(index)) out.push_back((noteStart(c) - kSongStartStep) * 5);
    return out;
  }
  std::vector<int> keys(int index) const {
    std::vector<int> out;
    for (NoteCode c : set(index)) out.push_back(melodyKey(c));
    return out;
  }
  // The view sets hold exactly the union of their part or drum sets.
  void expectViewsInStep() const {
    NoteSet melodyUnion, drumUnion;
    for (int i = 0; i < 4; ++i) melodyUnion.insert(set(i).begin(), set(i).end());
    for (int i = 4; i < 8; ++i) drumUnion.insert(set(i).begin(), set(i).end());
    EXPECT_EQ(set(kMelodyView), melodyUnion);
    EXPECT_EQ(set(kDrumsView), drumUnion);
  }

  Score score;
  test::FakeUi ui;
  Random random{12345};
};

}  // namespace quorvel
