// Event decoding, time conversion and the information record of one track.
#include "ReaderFixture.h"

namespace quorvel::test {
namespace {

using Reader = ReaderFixture;

Raw oneTrack(const TrackEvents& t, int division = 480) { return smf(0, division, {t}); }

TEST_F(Reader, ANoteOffEndsEverySoundingNoteOfItsKey) {
  ASSERT_EQ(read(oneTrack(TrackEvents().on(0, 60).on(240, 60).off(240, 60).off(480, 60).end())), 0);
  EXPECT_EQ(codes(kImportedTrackFirst), (Codes{makeMelodyNote(2, 60, 4, 0), makeMelodyNote(4, 60, 2, 0)}));
}

TEST_F(Reader, LengthsAreRoundedUpClampedAndZeroLengthNotesDropped) {
  TrackEvents t;
  // Tick 0 is step 2, each sixteenth (120 ticks) a step more.
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

TEST_F(Reader, ConductorGivesTempoBetween60And240BpmAndTheKey) {
  struct Case { int bpm, sharps, minor, tempo, keyNote, scale; };
  const auto withConductor = [](const TrackEvents& conductor) {
    return smf(1, 96, {conductor, TrackEvents().on(0, 60).off(96, 60).end()});
  };
  // Three sharps in minor are F# minor, no accidentals in minor A minor.
  for (const Case& c : {Case{250, -2, 0, 0, 70, 0}, Case{240, 3, 1, 240, 66, 1}, Case{60, 0, 1, 60, 69, 1}}) {
    SCOPED_TRACE(c.bpm);
    ASSERT_EQ(read(withConductor(TrackEvents().tempoBpm(0, c.bpm).keySignature(0, c.sharps, c.minor).end())), 0);
    EXPECT_EQ(result.info.tempo(), c.tempo);
    EXPECT_EQ(result.info.keyNote(), c.keyNote);
    EXPECT_EQ(result.info.scale(), c.scale);
    EXPECT_EQ(result.info.conductorSeen, kConductorSeen);
  }
  ASSERT_EQ(read(withConductor(TrackEvents().meta(0, 0x51, {0x0B, 0x4D, 0x85}).end())), 0);
  EXPECT_EQ(result.info.tempo(), 81) << "740,741 us per quarter is 81 bpm, rounded";
  ASSERT_EQ(read(withConductor(TrackEvents().keySignature(0, 8, 0).end())), 0);
  EXPECT_EQ(result.info.keyNote(), -1) << "eight sharps do not exist";
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

TEST_F(Reader, PositionsRoundExactlyAtSmallAndLargestDivisions) {
  // Division 100, time 0 at tick 50: a tick is a fifth of an x-unit. Tick 120 is exactly
  // x 24 (step 4), tick 121 x 24.2, rounded up to step 5; tick 330 is exactly x 66, 56, 46
  // and 41 x-units after the starts, the smallest widths of 12, 10 and 9 steps.
  TrackEvents t;
  t.on(0, 60).on(70, 62).on(1, 64).off(209, 60).off(0, 62).off(0, 64).end();
  ASSERT_EQ(read(smf(0, 100, {t})), 0);
  EXPECT_EQ(codes(kImportedTrackFirst),
            (Codes{makeMelodyNote(2, 60, 12, 0), makeMelodyNote(4, 62, 10, 0), makeMelodyNote(5, 64, 9, 0)}));

  // Division 32767 near the timeline's end: one tick past x 20000 starts at step 4000; tick
  // 32965240 lies just short of x 20121, a width of 120 x-units, the largest of 24 steps.
  const std::uint32_t d = 32767;
  const std::uint32_t start = d * 1000 + 1;
  ASSERT_EQ(read(smf(0, static_cast<int>(d), {TrackEvents().on(start - d / 2, 60).off(32965240 - start, 60).end()})), 0);
  EXPECT_EQ(codes(kImportedTrackFirst), (Codes{makeMelodyNote(4000, 60, 24, 0)}));
}

}  // namespace
}  // namespace quorvel::test
