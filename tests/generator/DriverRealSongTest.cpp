// Counter lines end to end under the melody of a real song file.
#include <set>

#include "DriverFixture.h"
#include "generator/GenerationCommands.h"
#include "generator/GeneratorContext.h"
#include "base/FileIo.h"
#include "midifile/MidiReader.h"

namespace quorvel {
namespace {

constexpr const char* kSong = "/usr/share/games/openttd/baseset/openmsx/harp_harmony.mid";

// Every track of the song merged into the Soprano, as "Format 0" reading does.
class DriverWholeSong : public test::DriverTest {
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

  std::vector<NoteCode> melody;
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
    EXPECT_EQ(notesOf(kSopranoSet), melody);
  }
}

}  // namespace
}  // namespace quorvel
