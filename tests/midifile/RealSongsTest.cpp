// The installed General MIDI songs: read in both modes, and every note
// survives a write and a second read.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include "base/FileIo.h"
#include "midifile/MidiReader.h"
#include "midifile/MidiWriter.h"
#include "midifile/TrackAssignment.h"
#include "model/Score.h"
#include "support/FakeUi.h"
#include "support/TestData.h"

namespace quorvel::test {
namespace {

class RealSongs : public ::testing::Test {
 protected:
  void SetUp() override {
    songs = openmsxSongs();
    ASSERT_EQ(songs.size(), 31u) << "the openttd-openmsx package provides 31 songs";
  }

  // Reads track by track and takes the first four voice tracks and all drums.
  void readAsTheDialogOffers(const Bytes& bytes, Score& s) {
    ImportResult imported;
    ASSERT_EQ(readMidiBytes(s, ui, bytes, ReadOptions{}, imported), 0);
    ASSERT_FALSE(imported.tracks.empty());
    applyTrackAssignment(s, ui, makeTrackAssignment(imported, 0), imported, "song.mid");
  }

  std::vector<std::string> songs;
  FakeUi ui;
};

// Notes of one key (melody) or lane (drums) that sound together cannot be told
// apart in a file: one note-off ends them all. Their lengths may change on
// the way through a file; everything else must come back as it was.
struct Split {
  std::multiset<NoteCode> exact;       // notes without a same-key neighbour sounding
  std::multiset<NoteCode> withoutLength;  // every note, its length field cleared
};

Split split(const NoteSet& set) {
  Split out;
  std::map<int, std::vector<NoteCode>> byKey;
  for (NoteCode c : set) {
    byKey[isDrumCode(c) ? 1000 + drumRow(c) : melodyKey(c)].push_back(c);
    out.withoutLength.insert(isDrumCode(c) ? withDrumLength(c, 4) : withMelodyLength(c, 127));
  }
  for (const auto& [key, notes] : byKey) {
    for (std::size_t i = 0; i < notes.size(); ++i) {
      const auto endOf = [](NoteCode c) { return noteStart(c) + (isDrumCode(c) ? drumLength(c) : melodyLength(c)); };
      const bool overlapsPrevious = i > 0 && noteStart(notes[i]) < endOf(notes[i - 1]);
      const bool overlapsNext = i + 1 < notes.size() && noteStart(notes[i + 1]) < endOf(notes[i]);
      if (!overlapsPrevious && !overlapsNext) out.exact.insert(notes[i]);
    }
  }
  return out;
}

TEST_F(RealSongs, EverySongReadsInBothModesAndKeepsEveryNoteThroughAWrite) {
  WriteOptions options;
  options.drums = true;
  std::size_t notes = 0, exact = 0;
  ReadOptions merged;
  merged.merged = true;
  merged.readDrums = true;
  for (const std::string& path : songs) {
    const auto bytes = readWholeFile(path);
    ASSERT_TRUE(bytes) << path;
    auto first = std::make_unique<Score>();
    readAsTheDialogOffers(*bytes, *first);
    const Bytes written = writeMidi(*first, kSopranoSet, kBassSet, kDrumsView, options);
    auto second = std::make_unique<Score>();
    readAsTheDialogOffers(written, *second);
    // Drum notes of one lane meet in one track whatever their level, so the
    // drums are judged on drumsView; the level sets must still agree.
    for (int set = kBassSet; set <= kDrumSet3; ++set) {
      const auto i = static_cast<std::size_t>(set);
      EXPECT_EQ(split(first->noteSets[i]).withoutLength, split(second->noteSets[i]).withoutLength) << path << " set " << set;
    }
    for (int set : {0, 1, 2, 3, int{kDrumsView}}) {
      const auto i = static_cast<std::size_t>(set);
      const std::multiset<NoteCode> exactBefore = split(first->noteSets[i]).exact;
      const NoteSet& after = second->noteSets[i];
      EXPECT_TRUE(std::includes(after.begin(), after.end(), exactBefore.begin(), exactBefore.end()))
          << path << " set " << set;
      notes += first->noteSets[i].size();
      exact += exactBefore.size();
    }
    // Read merged, every track lands in the Soprano.
    ImportResult imported;
    ASSERT_EQ(readMidiBytes(*second, ui, *bytes, merged, imported), 0) << path;
    EXPECT_FALSE(second->noteSets[kSopranoSet].empty()) << path;
  }
  EXPECT_GT(notes, 10000u);
  EXPECT_GT(exact * 100, notes * 85) << "most notes come back with their lengths";
}

}  // namespace
}  // namespace quorvel::test
