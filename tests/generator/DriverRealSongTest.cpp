// Every local mode run end to end on a melody from a real song file.
#include <algorithm>
#include <cstdlib>
#include <set>

#include "DriverFixture.h"
#include "generator/GenerationCommands.h"
#include "generator/GeneratorContext.h"
#include "midifile/FileIo.h"
#include "midifile/MidiReader.h"

namespace quorvel {
namespace {

using test::DriverTest;

constexpr const char* kSong = "/usr/share/games/openttd/baseset/openmsx/harp_harmony.mid";

class DriverRealSong : public DriverTest {
 protected:
  // The song's first melody track in the Soprano, as the Open dialog would put it.
  void SetUp() override { loadMelody(16); }

  void loadMelody(int bars) {
    const auto bytes = readWholeFile(kSong);
    if (!bytes) GTEST_SKIP() << "openmsx songs are not installed";
    ImportResult imported;
    ASSERT_EQ(readMidiBytes(score, ui, *bytes, ReadOptions{}, imported), 0);
    const auto track = std::find_if(imported.tracks.begin(), imported.tracks.end(),
                                    [](const ImportedTrack& t) { return t.melody; });
    ASSERT_NE(track, imported.tracks.end());
    for (NoteCode c : score.noteSets[static_cast<std::size_t>(track->setIndex)])
      if (noteStart(c) < kSongStartStep + bars * kStepsPerBar) addNote(score, kSopranoSet, withLowBits(c, kSopranoSet));
    for (int set = kImportedDrums; set <= kImportedTrackFirst; ++set) score.noteSets[static_cast<std::size_t>(set)].clear();
    clipToTimeline(score);
    melody = notesOf(kSopranoSet);
    ASSERT_GE(melody.size(), 40u);
    score.settings.melody[kKeyNote] = 60;
  }

  // The melodic rules every generated top line keeps.
  static void expectSingableLine(const std::vector<NoteCode>& line) {
    ASSERT_FALSE(line.empty());
    const auto peak = std::max_element(line.begin(), line.end(),
                                       [](NoteCode a, NoteCode b) { return melodyKey(a) < melodyKey(b); });
    for (std::size_t i = 0; i < line.size(); ++i) {
      EXPECT_LE(melodyKey(*peak) - melodyKey(line[i]), 12);
      if (i == 0) continue;
      const int leap = std::abs(melodyKey(line[i]) - melodyKey(line[i - 1]));
      EXPECT_NE(leap, 0) << "beat " << i;
      EXPECT_NE(leap, 6) << "beat " << i;
      EXPECT_LT(leap, 9) << "beat " << i;
    }
  }

  std::vector<NoteCode> notesBetween(int set, int fromStep, int toStep) const {
    std::vector<NoteCode> out;
    for (NoteCode c : notesOf(set))
      if (noteStart(c) >= fromStep && noteStart(c) < toStep) out.push_back(c);
    return out;
  }

  std::vector<NoteCode> melody;
};

TEST_F(DriverRealSong, CounterModesFollowTheSongsRhythm) {
  for (int voices = 2; voices <= 4; ++voices) {
    SCOPED_TRACE(voices);
    score.setFlag(kFlagUntouchedResult);
    const int result = runLocalGeneration(env, voices == 2 ? "1to1A" : voices == 3 ? "1to2A" : "1to3A").value();
    ASSERT_EQ(result, 0) << lastMessage();
    for (int k = 1; k < voices; ++k) {
      const auto voice = notesOf(kSopranoSet - k);
      ASSERT_FALSE(voice.empty());
      // Each voice note sounds exactly where a melody note does.
      for (NoteCode c : voice) {
        const bool matched = std::any_of(melody.begin(), melody.end(), [c](NoteCode m) {
          // Overlaps in the melody are cut, so a voice note may be shorter.
          return noteStart(m) == noteStart(c) && melodyLength(c) <= melodyLength(m);
        });
        EXPECT_TRUE(matched) << "step " << noteStart(c);
        EXPECT_GE(melodyKey(c), 1);
        EXPECT_LE(melodyKey(c), 121);
      }
    }
  }
  EXPECT_EQ(notesOf(kSopranoSet), melody);
}

// Every track of the song merged into the Soprano, as "Format 0" reading does.
class DriverWholeSong : public DriverRealSong {
 protected:
  void SetUp() override {
    const auto bytes = readWholeFile(kSong);
    if (!bytes) GTEST_SKIP() << "openmsx songs are not installed";
    ReadOptions merged;
    merged.merged = true;
    ImportResult imported;
    ASSERT_EQ(readMidiBytes(score, ui, *bytes, merged, imported), 0);
    ASSERT_EQ(score.editPart(), kSopranoSet);
    melody = notesOf(kSopranoSet);
    score.settings.melody[kKeyNote] = 60;
  }
};

// The whole melody runs in many segments; where one segment ends used to
// leave the next no way on, and the request failed.
TEST_F(DriverWholeSong, CounterLinesGetPastEverySegment) {
  ASSERT_GT(melody.size(), 5u * kSegmentBeats);
  for (const char* mode : {"1to1A", "1to2A"}) {
    SCOPED_TRACE(mode);
    score.setFlag(kFlagUntouchedResult);
    ASSERT_EQ(runLocalGeneration(env, mode).value(), 0) << lastMessage();
    // One voice note wherever a melody note starts, to the song's end.
    std::set<int> melodyStarts, voiceStarts;
    for (NoteCode c : melody) melodyStarts.insert(noteStart(c));
    for (NoteCode c : notesOf(kSopranoSet - 1)) voiceStarts.insert(noteStart(c));
    EXPECT_EQ(voiceStarts, melodyStarts);
  }
}

TEST_F(DriverRealSong, EvokedModesFillTheLocatorRegionAndKeepTheRest) {
  const int left = 10 + 80 * 4, right = left + 80 * 4;  // bars 5 to 8: 16 beats
  setLocators(left, right);
  score.setFlag(kFlagModified);
  const auto before = notesBetween(kSopranoSet, 0, left / 5);
  const auto after = notesBetween(kSopranoSet, right / 5, kTimelineEndStep);
  for (const char* mode : {"0to1A", "0to2A", "0to3A", "0to4A"}) {
    SCOPED_TRACE(mode);
    ASSERT_EQ(runLocalGeneration(env, mode).value(), 0) << lastMessage();
    EXPECT_EQ(notesBetween(kSopranoSet, 0, left / 5), before);
    EXPECT_EQ(notesBetween(kSopranoSet, right / 5, kTimelineEndStep), after);
    const auto line = notesBetween(kSopranoSet, left / 5, right / 5);
    EXPECT_EQ(line.size(), 16u);
    expectSingableLine(line);
  }
  // After four-line generation every part holds 16 beats in the region.
  for (int part = kBassSet; part < kSopranoSet; ++part) EXPECT_EQ(notesBetween(part, left / 5, right / 5).size(), 16u);
}

TEST_F(DriverRealSong, DrumModesPlayAlongTheSong) {
  ASSERT_EQ(generateNToDrumsA(env), 0);
  int last = 0;
  for (NoteCode c : score.noteSets[kDrumsView]) last = std::max(last, noteStart(c));
  int melodyEnd = 0;
  for (NoteCode c : melody) melodyEnd = std::max(melodyEnd, noteStart(c) + melodyLength(c));
  EXPECT_LT(last, melodyEnd);
  EXPECT_GT(last, melodyEnd - 64);
  EXPECT_EQ(notesOf(kSopranoSet), melody);
  ASSERT_EQ(generateZeroToDrumsA(env), 0);
}

}  // namespace
}  // namespace quorvel
