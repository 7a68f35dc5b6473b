// Dropping files: stored note sequences go into Soprano, other files take the Open path.
#include "app/FileDrop.h"
#include "app/NoteSequence.h"

#include <cstdio>
#include <fstream>
#include <string>

#include "AppFixture.h"

namespace quorvel {
namespace {

// A code as stored note sequences write it, in hex.
std::string hex(std::uint32_t code, const char* format = "%x") {
  char text[12];
  std::snprintf(text, sizeof text, format, code);
  return text;
}

class FileDropTest : public test::AppFixture {
 protected:
  void SetUp() override {
    app.ops.readSong = [this](AppContext&, const std::string& path) {
      readPaths.push_back(path);
      return 0;
    };
  }
  std::string write(const std::string& name, const std::string& text) {
    const std::filesystem::path p = folder.path() / name;
    std::ofstream(p) << text;
    return p.string();
  }
  const NoteSet& soprano() const { return app.score.noteSets[kSopranoSet]; }

  std::vector<std::string> readPaths;
};

TEST(PlaceNoteSequenceTest, NotesFollowEachOtherAndRestsMoveOn) {
  Score s;
  const NoteCode a = makeMelodyNote(0, 72, 4, kBass);
  const NoteCode b = makeMelodyNote(0, 74, 8, kAlto);
  const std::string rest = hex(3u << kStartShift, "%X");
  EXPECT_EQ(placeNoteSequence(s, hex(a) + " " + rest + "\n" + hex(b) + " 0", 2), 2);
  const NoteSet placed{makeMelodyNote(2, 72, 4, kSoprano), makeMelodyNote(2 + 4 + 3, 74, 8, kSoprano)};
  EXPECT_EQ(s.noteSets[kSopranoSet], placed);
  EXPECT_EQ(s.noteSets[kMelodyView], placed);
}

TEST(PlaceNoteSequenceTest, ZeroGarbageOrTheTimelinesEndStopTheSequence) {
  Score s;
  const NoteCode a = makeMelodyNote(0, 60, 2, kSoprano);
  EXPECT_EQ(placeNoteSequence(s, hex(a) + " 0 " + hex(a), 2), 1);
  EXPECT_EQ(placeNoteSequence(s, hex(a) + " zz " + hex(a), 100), 1);
  EXPECT_EQ(placeNoteSequence(s, "", 2), 0);
  Score fresh;
  EXPECT_EQ(placeNoteSequence(fresh, hex(16000u << kStartShift) + " " + hex(a), 2), 0);
  EXPECT_TRUE(fresh.noteSets[kSopranoSet].empty());
}

TEST_F(FileDropTest, NoteSequenceReplacesTheMelodiesAndKeepsDrums) {
  addNote(app.score, kAltoSet, makeMelodyNote(50, 60, 4, kAlto));
  addNote(app.score, kDrumSet3, makeDrumNote(10, 2, 1, 3, 100));
  EXPECT_EQ(dropFiles(app, {write("line.g1", hex(makeMelodyNote(0, 67, 4, kBass))), write("other.g2", "")}), 0);
  ASSERT_EQ(soprano().size(), 1u);
  EXPECT_EQ(*soprano().begin(), makeMelodyNote(kSongStartStep, 67, 4, kSoprano));
  EXPECT_TRUE(app.score.noteSets[kAltoSet].empty());
  EXPECT_EQ(app.score.noteSets[kDrumSet3].size(), 1u);
  EXPECT_TRUE(app.score.isModified());
  EXPECT_TRUE(readPaths.empty());
}

TEST_F(FileDropTest, UnreadableFileShowsItsPathAsCaption) {
  const std::string missing = (folder.path() / "gone.g3").string();
  EXPECT_EQ(dropFiles(app, {missing}), -1);
  ASSERT_EQ(ui.messages().size(), 1u);
  EXPECT_EQ(ui.messages()[0].text, "File could not be created or opened");
  EXPECT_EQ(ui.messages()[0].caption, missing);
}

TEST_F(FileDropTest, MidiFileIsReadOnlyAfterTheQuestionGoesOn) {
  const std::string song = write("song.mid", "MThd");
  modify();
  ui.queueAnswer(MsgAnswer::Cancel);
  EXPECT_EQ(dropFiles(app, {song}), -2);
  EXPECT_TRUE(readPaths.empty());
  app.score.cueIndicator = 900;
  app.score.leftLocator = 800;
  app.score.rightLocator = 1200;
  ui.queueAnswer(MsgAnswer::No);
  EXPECT_EQ(dropFiles(app, {song}), 0);
  EXPECT_EQ(readPaths, std::vector<std::string>{song});
  EXPECT_EQ(app.score.cueIndicator.load(), kDefaultCue) << "an opened song starts with the markers at their defaults";
  EXPECT_EQ(app.score.leftLocator.load(), kDefaultLeftLocator);
  EXPECT_EQ(app.score.rightLocator.load(), kDefaultRightLocator);
}

TEST_F(FileDropTest, DropIsRefusedWhileGenerating) {
  addNote(app.score, kSopranoSet, makeMelodyNote(10, 72, 4, kSoprano));
  app.score.setFlag(kFlagGenerating);
  EXPECT_EQ(dropFiles(app, {write("line.g1", "0")}), -2);
  EXPECT_EQ(soprano().size(), 1u);
  EXPECT_EQ(dropFiles(app, {}), -2);
}

}  // namespace
}  // namespace quorvel
