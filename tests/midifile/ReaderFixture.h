#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "midifile/MidiReader.h"
#include "model/Score.h"
#include "support/FakeUi.h"
#include "SmfBuilder.h"

namespace quorvel::test {

using Codes = std::vector<NoteCode>;

class ReaderFixture : public ::testing::Test {
 protected:
  std::unique_ptr<Score> score = std::make_unique<Score>();
  FakeUi ui;
  ImportResult result;

  int read(const Raw& file, ReadOptions options = {}) { return readMidiBytes(*score, ui, file, options, result); }
  int readMerged(const Raw& file, bool drums = false) {
    ReadOptions o;
    o.merged = true;
    o.readDrums = drums;
    return read(file, o);
  }
  const NoteSet& set(int index) const { return score->noteSets[static_cast<std::size_t>(index)]; }
  std::vector<NoteCode> codes(int index) const { return {set(index).begin(), set(index).end()}; }
};

}  // namespace quorvel::test
