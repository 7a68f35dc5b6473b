// The bytes the writer produces: header, track layouts and event order.
#include <gtest/gtest.h>

#include <memory>

#include "midifile/MidiWriter.h"
#include "midifile/TrackWriter.h"
#include "model/Score.h"
#include "SmfBuilder.h"

namespace quorvel::test {
namespace {

class Writer : public ::testing::Test {
 protected:
  std::unique_ptr<Score> score = std::make_unique<Score>();
  WriteOptions options;

  Raw events(std::initializer_list<NoteCode> codes) {
    Bytes out;
    writeTrackEvents(NoteSet(codes), out, score->settings.drums.drumKeys);
    return out;
  }
  Raw song() { return writeMidi(*score, kSopranoSet, kBassSet, kDrumsView, options); }
};

const Raw kEndOfTrack{0x00, 0xFF, 0x2F, 0x00};

TEST_F(Writer, EndsComeBeforeStartsOfTheSameStepAndDeltasAccumulate) {
  const Raw got = events({makeMelodyNote(2, 60, 4, 3), makeMelodyNote(6, 62, 2, 3), makeMelodyNote(30, 64, 1, 3)});
  EXPECT_EQ(got, (Raw{0x00, 0x90, 60, 100, 20, 0x80, 60, 0, 0x00, 0x90, 62, 100, 10, 0x80, 62, 0,
                      110, 0x90, 64, 100, 5, 0x80, 64, 0}));
}

TEST_F(Writer, DrumNotesUseTheDrumKeysAndLengthFourHasNoEnd) {
  score->settings.drums.drumKeys[11] = 35;  // lane 12
  const Raw got = events({makeDrumNote(2, 12, 4, 3, 127), makeDrumNote(2, 1, 2, 1, 40)});
  // Lane 1 sorts first; its default key is 54. Its end is the same key with velocity 1.
  EXPECT_EQ(got, (Raw{0x00, 0x99, 54, 40, 0x00, 0x99, 35, 127, 10, 0x99, 54, 1}));
}

TEST_F(Writer, BassOnlySongHasConductorAndThreeEmptyTracks) {
  score->settings.general.tempo = 100;
  score->settings.melody[kMode] = 1;
  addNote(*score, kBassSet, makeMelodyNote(2, 40, 4, 0));
  const Raw file = song();
  EXPECT_EQ(Raw(file.begin(), file.begin() + 14), (Raw{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 5, 0, 20}));
  const auto tracks = trackBodies(file);
  ASSERT_EQ(tracks.size(), 5u);
  // 600000 microseconds per quarter; the key note C in minor: three flats, minor.
  EXPECT_EQ(tracks[0], (Raw{0, 0xFF, 0x51, 3, 0x09, 0x27, 0xC0, 0, 0xFF, 0x59, 2, 0xFD, 1, 0, 0xFF, 0x2F, 0}));
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(tracks[static_cast<std::size_t>(i)], kEndOfTrack);
  EXPECT_EQ(tracks[4], (Raw{0, 0x90, 40, 100, 20, 0x80, 40, 0, 0, 0xFF, 0x2F, 0}));
}

TEST_F(Writer, DrumsMakeTheTenthTrackOnlyWhenExportedAndPresent) {
  addNote(*score, kSopranoSet, makeMelodyNote(2, 72, 4, 3));
  options.drums = true;
  EXPECT_EQ(trackBodies(song()).size(), 5u) << "no drum notes";
  addNote(*score, kDrumSet3, makeDrumNote(2, 12, 4, 3, 127));
  const auto tracks = trackBodies(song());
  ASSERT_EQ(tracks.size(), 10u);
  for (int i = 5; i <= 8; ++i) EXPECT_EQ(tracks[static_cast<std::size_t>(i)], kEndOfTrack);
  EXPECT_EQ(tracks[9], (Raw{0, 0x99, 36, 127, 0, 0xFF, 0x2F, 0}));
}

TEST_F(Writer, FormatZeroMergesEverythingIntoOneTrackWithoutTempo) {
  addNote(*score, kSopranoSet, makeMelodyNote(2, 72, 4, 3));
  addNote(*score, kBassSet, makeMelodyNote(2, 48, 4, 0));
  addNote(*score, kDrumSet3, makeDrumNote(2, 12, 4, 3, 127));
  options.format0 = true;
  options.drums = true;
  const Raw file = song();
  EXPECT_EQ(file[9], 0);
  EXPECT_EQ(file[11], 1);
  const auto tracks = trackBodies(file);
  ASSERT_EQ(tracks.size(), 1u);
  EXPECT_EQ(tracks[0], (Raw{0, 0x90, 72, 100, 0, 0x90, 48, 100, 0, 0x99, 36, 127, 20, 0x80, 72, 0, 0, 0x80, 48, 0,
                            0, 0xFF, 0x2F, 0}));
}

TEST_F(Writer, StrictLinesRemoveOverlapsWithinAPart) {
  addNote(*score, kSopranoSet, makeMelodyNote(2, 72, 4, 3));
  addNote(*score, kSopranoSet, makeMelodyNote(2, 60, 4, 3));
  options.strictLines = true;
  EXPECT_EQ(trackBodies(song())[1], (Raw{0, 0x90, 72, 100, 20, 0x80, 72, 0, 0, 0xFF, 0x2F, 0}));
  options.strictLines = false;
  EXPECT_EQ(trackBodies(song())[1].size(), 20u);
}

}  // namespace
}  // namespace quorvel::test
