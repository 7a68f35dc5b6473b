#include <filesystem>

#include "base/FileIo.h"
#include "midifile/MidiReader.h"
#include "support/TestData.h"
#include "tools/BarTools.h"
#include "tools/KeyTools.h"
#include "tools/RegulateChain.h"
#include "tools/ToolSupport.h"
#include "ToolFixture.h"

namespace quorvel {
namespace {

// Runs the tools over the real General MIDI songs of the openmsx package.
class OpenmsxChainTest : public ToolFixture {
 protected:
  bool readMerged(Score& target, const std::string& path) {
    const auto bytes = readWholeFile(path);
    if (!bytes) return false;
    ReadOptions options;
    options.merged = true;
    options.readDrums = true;
    ImportResult result;
    if (readMidiBytes(target, ui, *bytes, options, result) != 0) return false;
    clipToTimeline(target);
    return true;
  }

  void expectNotesInsideTheTimeline(const std::string& song) const {
    for (int index = kBassSet; index <= kDrumSet3; ++index) {
      for (NoteCode c : set(index)) {
        const bool melodic = index < kDrumSet0;
        ASSERT_TRUE(noteStart(c) >= kSongStartStep &&
                    noteStart(c) + (melodic ? melodyLength(c) : drumLength(c)) <= kTimelineEndStep)
            << song;
        ASSERT_TRUE(!melodic || (melodyKey(c) >= 1 && melodyKey(c) <= 121 && melodyPart(c) == index)) << song;
      }
    }
  }

  // Each part holds one line: no note starts before the previous one ended.
  void expectSingleLines(const std::string& song) const {
    for (int part = kBassSet; part <= kSopranoSet; ++part) {
      int end = 0;
      for (NoteCode c : set(part)) {
        ASSERT_GE(noteStart(c), end) << song << " part " << part;
        end = noteStart(c) + melodyLength(c);
      }
    }
  }
};

TEST_F(OpenmsxChainTest, RegulatingChainKeepsEverySongIntact) {
  const auto songs = test::openmsxSongs();
  if (songs.empty()) GTEST_SKIP() << "openmsx songs are not installed";
  for (const std::string& path : songs) {
    const std::string song = std::filesystem::path(path).filename().string();
    score.settings.melody[kKeyNote] = 72;
    ASSERT_TRUE(readMerged(score, path)) << song;
    ASSERT_FALSE(set(kMelodyView).empty()) << song;
    trimOpeningSilence(score, ui, false);
    divideIntoParts(score, ui);
    expectSingleLines(song);
    const auto key = detectKey(score, ui, true);
    ASSERT_TRUE(key.has_value()) << song;
    EXPECT_GT(key->percent, 50.0) << song;
    fitKeyToC3(score, ui);
    EXPECT_EQ(score.settings.melody[kKeyNote], 60) << song;
    reduceNoteValues(score, ui);
    expectNotesInsideTheTimeline(song);
    expectViewsInStep();
    Score chained;
    ASSERT_TRUE(readMerged(chained, path));
    EXPECT_EQ(regulateSong(chained, ui)->tonic, key->tonic) << song;
    EXPECT_EQ(chained.noteSets, score.noteSets) << song;
  }
}

}  // namespace
}  // namespace quorvel
