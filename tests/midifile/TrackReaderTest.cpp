// Event decoding, time conversion and the information record of one track.
#include "ReaderFixture.h"

namespace quorvel::test {
namespace {

using Reader = ReaderFixture;
using Codes = std::vector<NoteCode>;

Raw oneTrack(const TrackEvents& t, int division = 480) { return smf(0, division, {t}); }

TEST_F(Reader, TicksMapOntoStepsFromTheSongsBeginning) {
  ASSERT_EQ(read(oneTrack(TrackEvents().on(0, 60).on(120, 64).off(360, 60).off(0, 64).end())), 0);
  // Tick 0 is step 2, a sixteenth later (120 ticks) is step 3; both end at tick 480.
  EXPECT_EQ(codes(kImportedTrackFirst), (Codes{makeMelodyNote(2, 60, 4, 0), makeMelodyNote(3, 64, 3, 0)}));
}

TEST_F(Reader, ANoteOffEndsEverySoundingNoteOfItsKey) {
  ASSERT_EQ(read(oneTrack(TrackEvents().on(0, 60).on(240, 60).off(240, 60).off(480, 60).end())), 0);
  EXPECT_EQ(codes(kImportedTrackFirst), (Codes{makeMelodyNote(2, 60, 4, 0), makeMelodyNote(4, 60, 2, 0)}));
}

TEST_F(Reader, LengthsAreRoundedUpClampedAndZeroLengthNotesDropped) {
  TrackEvents t;
  t.on(0, 62).off(0, 62);               // tick 0, no duration: dropped
  t.on(0, 60).off(60, 60);              // a 32nd note: length 1
  t.on(60, 64).off(144, 64);            // from tick 120, a fifth more than a sixteenth: 2 steps
  t.on(216, 65).off(480 * 40, 65);      // from tick 480, ten bars: clamped to 127 steps
  t.ev(0, {0x90, 67, 0});               // velocity 0 opens nothing
  t.on(0, 69).end();                    // never ended: 127 steps
  ASSERT_EQ(read(oneTrack(t)), 0);
  EXPECT_EQ(codes(kImportedTrackFirst),
            (Codes{makeMelodyNote(2, 60, 1, 0), makeMelodyNote(3, 64, 2, 0), makeMelodyNote(6, 65, 127, 0),
                   makeMelodyNote(166, 69, 127, 0)}));
}

TEST_F(Reader, KeysOutsideTheScoreAreIgnored) {
  ASSERT_EQ(read(oneTrack(TrackEvents().on(0, 0).on(0, 122).on(0, 121).off(480, 0).off(0, 122).off(0, 121).end())), 0);
  EXPECT_EQ(codes(kImportedTrackFirst), (Codes{makeMelodyNote(2, 121, 4, 0)}));
}

TEST_F(Reader, RunningStatusAndSkippedMessagesKeepTheStreamInStep) {
  TrackEvents t;
  t.ev(0, {0xC0, 5}).ev(0, {0xB0, 7, 100}).ev(0, {0xE0, 0, 64}).ev(0, {0xD0, 3}).ev(0, {0xA0, 60, 1});
  t.ev(0, {0xF0, 3, 0x7E, 0x7F, 0xF7}).ev(0, {0xF2, 1, 2}).ev(0, {0xF8});
  t.text(0, 0x7F, "vendor").meta(0, 0x58, {4, 2, 24, 8});
  t.ev(0, {0x90, 60, 100}).ev(0, {62, 100}).ev(480, {60, 0}).ev(0, {62, 0}).end();
  ASSERT_EQ(read(oneTrack(t)), 0);
  EXPECT_EQ(codes(kImportedTrackFirst), (Codes{makeMelodyNote(2, 62, 4, 0), makeMelodyNote(2, 60, 4, 0)}));
}

TEST_F(Reader, NotesPastTheTimelineEndAreNotRead) {
  // 272 bars of 4 quarters end the timeline; an event one tick later is beyond it.
  ASSERT_EQ(read(oneTrack(TrackEvents().on(0, 60).off(480, 60).on(480 * 4 * 272 - 480 + 1, 62).off(480, 62).end())), 0);
  EXPECT_EQ(codes(kImportedTrackFirst), (Codes{makeMelodyNote(2, 60, 4, 0)}));
}

TEST_F(Reader, TempoIsKeptOnlyBetween60And240Bpm) {
  const auto conductorWith = [](int bpm) {
    return smf(1, 96, {TrackEvents().tempoBpm(0, bpm).end(), TrackEvents().on(0, 60).off(96, 60).end()});
  };
  ASSERT_EQ(read(conductorWith(250)), 0);
  EXPECT_EQ(result.info.tempo(), 0);
  ASSERT_EQ(read(conductorWith(240)), 0);
  EXPECT_EQ(result.info.tempo(), 240);
  EXPECT_EQ(result.info.conductorSeen, kConductorSeen);
  ASSERT_EQ(read(conductorWith(60)), 0);
  EXPECT_EQ(result.info.tempo(), 60);
}

TEST_F(Reader, KeySignatureGivesTheKeyNoteAndScale) {
  const auto signature = [](int sf, int minor) {
    return smf(1, 96, {TrackEvents().keySignature(0, sf, minor).end(), TrackEvents().on(0, 60).off(96, 60).end()});
  };
  ASSERT_EQ(read(signature(-2, 0)), 0);
  EXPECT_EQ(result.info.keyNote(), 70);
  EXPECT_EQ(result.info.scale(), 0);
  ASSERT_EQ(read(signature(3, 1)), 0);
  EXPECT_EQ(result.info.keyNote(), 69);
  EXPECT_EQ(result.info.scale(), 1);
  ASSERT_EQ(read(signature(0, 0)), 0);
  EXPECT_EQ(result.info.keyNote(), 60);
  ASSERT_EQ(read(signature(8, 0)), 0);
  EXPECT_EQ(result.info.keyNote(), -1);
}

TEST_F(Reader, TempoAndKeyOfASingleTrackFileAreKept) {
  ASSERT_EQ(read(oneTrack(TrackEvents().tempoBpm(0, 90).keySignature(0, 1, 0).on(0, 60).off(480, 60).end())), 0);
  EXPECT_EQ(result.info.tempo(), 90);
  EXPECT_EQ(result.info.keyNote(), 67);
  EXPECT_EQ(result.info.conductorSeen, 0);
}

TEST_F(Reader, ConductorTrackUsesNoImportedSetAndNamesTheSong) {
  const Raw file = smf(1, 96,
                       {TrackEvents().text(0, 0x03, "Song").tempoBpm(0, 100).end(),
                        TrackEvents().text(0, 0x03, "Piano").on(0, 60).off(96, 60).end(),
                        TrackEvents().text(0, 0x01, "just text").on(0, 48).off(96, 48).end()});
  ASSERT_EQ(read(file), 0);
  ASSERT_EQ(result.tracks.size(), 2u);
  EXPECT_EQ(result.tracks[0].setIndex, kImportedTrackFirst);
  EXPECT_EQ(result.tracks[0].trackNumber, 2);
  EXPECT_EQ(result.tracks[0].name, "Piano");
  EXPECT_EQ(result.tracks[1].setIndex, kImportedTrackFirst - 1);
  EXPECT_EQ(result.tracks[1].name, "");
  EXPECT_EQ(result.info.title, "Song");
  EXPECT_EQ(codes(kImportedTrackFirst - 1), (Codes{makeMelodyNote(2, 48, 4, 0)}));
}

TEST_F(Reader, TitleComesFromTrackNamesOrTextWhenThereIsNoConductor) {
  ASSERT_EQ(read(oneTrack(TrackEvents().text(0, 0x01, "First text").text(0, 0x01, "Second").on(0, 60).end())), 0);
  EXPECT_EQ(result.info.title, "First text");
  ASSERT_EQ(read(oneTrack(TrackEvents().text(0, 0x01, "Text").text(0, 0x03, "Name").on(0, 60).end())), 0);
  EXPECT_EQ(result.info.title, "Name");
  // Latin-1 text is widened to UTF-8.
  ASSERT_EQ(read(oneTrack(TrackEvents().meta(0, 0x03, {'C', 0xE9}).on(0, 60).end())), 0);
  EXPECT_EQ(result.info.title, "C\xC3\xA9");
}

TEST_F(Reader, DrumsFollowTheLaneTableAndVelocityLevels) {
  TrackEvents t;
  t.on(0, 36, 127, 9).on(0, 42, 80, 9).on(0, 38, 30, 9).on(0, 90, 100, 9);  // 90 has no lane
  t.on(0, 49, 1, 9);                                                       // velocity 1: an end, not a note
  t.off(60, 36, 9).off(60, 42, 9).ev(0, {0x99, 38, 0}).off(0, 90, 9);
  t.end();
  ASSERT_EQ(read(oneTrack(t)), 0);
  ASSERT_EQ(result.tracks.size(), 1u);
  EXPECT_TRUE(result.tracks[0].drumsOnly());
  EXPECT_TRUE(result.anyDrums);
  // Drum notes shorter than a sixteenth still last one step.
  const Codes expected{makeDrumNote(2, 6, 1, 2, 80), makeDrumNote(2, 11, 1, 1, 30), makeDrumNote(2, 12, 1, 3, 127)};
  EXPECT_EQ(codes(kImportedTrackFirst), expected);
  EXPECT_EQ(codes(kImportedDrums), expected);
}

TEST_F(Reader, UnfinishedDrumNotesGetFourSteps) {
  ASSERT_EQ(read(oneTrack(TrackEvents().on(0, 36, 127, 9).end())), 0);
  EXPECT_EQ(codes(kImportedTrackFirst), (Codes{makeDrumNote(2, 12, 4, 3, 127)}));
}

TEST_F(Reader, ChannelRemappingOptions) {
  const Raw melody = oneTrack(TrackEvents().on(0, 36).on(0, 100).off(480, 36).off(0, 100).end());
  ReadOptions drums;
  drums.allAsDrums = true;
  ASSERT_EQ(read(melody, drums), 0);
  // Key 36 has lane 12; key 100 has no lane and vanishes. Drum lengths stop at 4 steps.
  EXPECT_EQ(codes(kImportedTrackFirst), (Codes{makeDrumNote(2, 12, 4, 2, 100)}));

  const Raw drumTrack = oneTrack(TrackEvents().on(0, 36, 100, 9).off(480, 36, 9).end());
  ReadOptions regular;
  regular.allAsRegular = true;
  ASSERT_EQ(read(drumTrack, regular), 0);
  EXPECT_EQ(codes(kImportedTrackFirst), (Codes{makeMelodyNote(2, 36, 4, 0)}));
}

}  // namespace
}  // namespace quorvel::test
