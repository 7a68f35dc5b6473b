// Whole files: the chunk scan, damaged input, merged reading (header faults: FileErrorTest).
#include <algorithm>

#include "ReaderFixture.h"

namespace quorvel::test {
namespace {

using FileReader = ReaderFixture;

TrackEvents quarterNote(int key, int channel = 0) { return TrackEvents().on(0, key, 100, channel).off(96, key, channel).end(); }

// Cut at every byte, inside quantities, messages and system events alike:
// the reader stays inside the data and keeps each note that started before
// the cut, ended as in the whole file or, cut before its end, unfinished.
TEST_F(FileReader, ACutAtAnyByteKeepsTheNotesStartedBeforeIt) {
  TrackEvents t;
  t.on(0, 60).ev(0, {64, 90}).ev(0, {0xF0, 3, 1, 2, 0xF7}).text(0, 0x01, "intro");
  t.off(200, 60).ev(0, {64, 0}).on(0, 67).off(300, 67).end();
  const Raw whole = smf(0, 96, {t});
  ASSERT_EQ(read(whole), 0);
  const Codes full = codes(kImportedTrackFirst);
  ASSERT_EQ(full.size(), 3u);

  std::size_t before = 0;
  for (std::size_t length = 23; length < whole.size(); ++length) {  // from one byte of events
    SCOPED_TRACE(length);
    ASSERT_EQ(read(Raw(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length))), 0);
    const Codes got = codes(kImportedTrackFirst);
    for (NoteCode c : got) {
      const bool known = std::any_of(full.begin(), full.end(), [c](NoteCode f) {
        return c == f || c == withMelodyLength(f, kMaxMelodyLength);
      });
      EXPECT_TRUE(known) << c;
    }
    EXPECT_GE(got.size(), before);
    before = got.size();
  }
  EXPECT_EQ(before, full.size());
}

TEST_F(FileReader, ChunkLengthLargerThanTheFileReadsWhatIsThere) {
  Raw file = smf(0, 96, {quarterNote(60)});
  file[18] = 0x7F;  // length about 2 GB
  ASSERT_EQ(read(file), 0);
  EXPECT_EQ(codes(kImportedTrackFirst), (Codes{makeMelodyNote(2, 60, 4, 0)}));
}

TEST_F(FileReader, EndlessRunningStatusStopsAtTheEndOfTheData) {
  TrackEvents t;
  t.on(0, 60);
  for (int i = 0; i < 5000; ++i) t.raw({0x00, 61, 0x40});  // notes of key 61 opened over and over
  ASSERT_EQ(read(smf(0, 96, {t})), 0);
  EXPECT_EQ(set(kImportedTrackFirst).count(makeMelodyNote(2, 61, 127, 0)), 5000u);
  EXPECT_EQ(set(kImportedTrackFirst).size(), 5001u);
}

TEST_F(FileReader, AFiveByteQuantityUnknownStatusOrRunningStatusWithoutStatusEndsTheTrack) {
  ASSERT_EQ(read(smf(0, 96, {TrackEvents().on(0, 60).off(96, 60).raw({0x81, 0x80, 0x80, 0x80, 0x00, 0x90, 62, 100}).end()})), 0);
  EXPECT_EQ(codes(kImportedTrackFirst), (Codes{makeMelodyNote(2, 60, 4, 0)}));
  ASSERT_EQ(read(smf(0, 96, {TrackEvents().on(0, 60).off(96, 60).ev(0, {0xF4}).on(0, 62).end()})), 0);
  EXPECT_EQ(set(kImportedTrackFirst).size(), 1u);
  ASSERT_EQ(read(smf(0, 96, {TrackEvents().raw({0x00, 60, 100}).on(0, 62).end()})), 0);
  EXPECT_TRUE(result.tracks.empty());
}

TEST_F(FileReader, SmpteDivisionIsTakenAt120Bpm) {
  // 25 frames of 40 ticks: 1000 ticks per second, 500 per quarter note at 120 bpm.
  Raw file = smf(0, 0xE728, {TrackEvents().on(0, 60).on(500, 62).off(500, 60).off(0, 62).end()});
  ASSERT_EQ(read(file), 0);
  EXPECT_EQ(codes(kImportedTrackFirst), (Codes{makeMelodyNote(2, 60, 8, 0), makeMelodyNote(6, 62, 4, 0)}));
  file[12] = 0xE5;  // -27 frames per second does not exist
  EXPECT_EQ(read(file), -1);
}

TEST_F(FileReader, FewerChunksThanDeclaredJunkBetweenChunksAndAnEmptyChunk) {
  Raw file = smf(1, 96, {quarterNote(60), quarterNote(64)}, 5);
  const Raw junk{'J', 'U', 'N', 'K', 0, 0, 0, 2, 1, 2};
  file.insert(file.begin() + 14 + 8 + static_cast<std::ptrdiff_t>(quarterNote(60).bytes().size()), junk.begin(), junk.end());
  ASSERT_EQ(read(file), 0);
  ASSERT_EQ(result.tracks.size(), 2u);
  EXPECT_EQ(codes(kImportedTrackFirst - 1), (Codes{makeMelodyNote(2, 64, 4, 0)}));
  // A zero-length chunk after the first ends the scan.
  ASSERT_EQ(read(smf(1, 96, {quarterNote(60), TrackEvents(), quarterNote(64)})), 0);
  EXPECT_EQ(result.tracks.size(), 1u);
}

TEST_F(FileReader, AtMost32TracksWithNotesAreImported) {
  Raw file = smf(1, 96, {quarterNote(60)}, 40);
  for (int i = 1; i < 40; ++i) {
    const Raw chunk = trackChunk(quarterNote(40 + i).bytes());
    file.insert(file.end(), chunk.begin(), chunk.end());
  }
  ASSERT_EQ(read(file), 0);
  ASSERT_EQ(result.tracks.size(), 32u);
  EXPECT_EQ(result.tracks.back().setIndex, kImportedTrackLast);
  EXPECT_EQ(codes(kImportedTrackLast), (Codes{makeMelodyNote(2, 40 + 31, 4, 0)}));
  EXPECT_EQ(score->trackInfo[31].trackIndex, 32);
}

TEST_F(FileReader, MergedReadingPutsAllTracksIntoTheEditedPart) {
  score->settings.parts.editPart = kAltoSet;
  addNote(*score, kBassSet, makeMelodyNote(2, 40, 4, 0));
  const Raw file = smf(1, 96, {TrackEvents().tempoBpm(0, 100).end(), quarterNote(60), quarterNote(64), quarterNote(36, 9)});
  ASSERT_EQ(readMerged(file), 0);
  EXPECT_EQ(codes(kAltoSet), (Codes{makeMelodyNote(2, 64, 4, 2), makeMelodyNote(2, 60, 4, 2)}));
  EXPECT_TRUE(set(kBassSet).empty()) << "the song was cleared first";
  EXPECT_TRUE(set(kDrumsView).empty()) << "drums are not read without the option";
  ASSERT_EQ(readMerged(file, true), 0);
  EXPECT_EQ(codes(kDrumsView), (Codes{makeDrumNote(2, 12, 4, 2, 100)}));
  EXPECT_EQ(result.info.tempo(), 100);
}

}  // namespace
}  // namespace quorvel::test
