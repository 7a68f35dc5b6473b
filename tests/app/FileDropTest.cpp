// Dropping files: stored note sequences go into Soprano, other files take the Open path.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/AppContext.h"
#include "app/FileDrop.h"
#include "settings/TempFolder.h"
#include "support/FakeUi.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

class FileDropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.ops.readSong = [this](AppContext&, const std::string& path) {
      readPaths.push_back(path);
      return 0;
    };
  }
  std::string write(const std::string& name, const std::string& text) {
    const fs::path p = folder.path() / name;
    std::ofstream(p) << text;
    return p.string();
  }
  const NoteSet& soprano() const { return app.score.noteSets[kSopranoSet]; }

  test::TempFolder folder;
  test::FakeUi ui;
  AppContext app{ui};
  std::vector<std::string> readPaths;
};

TEST(NoteSequenceNameTest, EndsInGAndADigitOneToFour) {
  for (const char* name : {"/tmp/line.g1", "take.mg4"}) EXPECT_TRUE(isNoteSequenceName(name)) << name;
  for (const char* name : {"take.g5", "take.g0", "song.mid", "1"}) EXPECT_FALSE(isNoteSequenceName(name)) << name;
}

TEST(PlaceNoteSequenceTest, NotesFollowEachOtherAndRestsMoveOn) {
  Score s;
  const NoteCode a = makeMelodyNote(0, 72, 4, kBass);
  const NoteCode b = makeMelodyNote(0, 74, 8, kAlto);
  const std::uint32_t rest = 3u << kStartShift;
  char text[80];
  std::snprintf(text, sizeof text, "%x %X\n%x %x", a, rest, b, 0u);
  EXPECT_EQ(placeNoteSequence(s, text, 2), 2);
  const NoteSet& soprano = s.noteSets[kSopranoSet];
  ASSERT_EQ(soprano.size(), 2u);
  auto it = soprano.begin();
  EXPECT_EQ(*it++, makeMelodyNote(2, 72, 4, kSoprano));
  EXPECT_EQ(*it, makeMelodyNote(2 + 4 + 3, 74, 8, kSoprano));
  EXPECT_EQ(s.noteSets[kMelodyView].size(), 2u);
}

TEST(PlaceNoteSequenceTest, ZeroGarbageOrTheTimelinesEndStopTheSequence) {
  Score s;
  const NoteCode a = makeMelodyNote(0, 60, 2, kSoprano);
  const std::uint32_t longRest = 16000u << kStartShift;
  char text[80];
  std::snprintf(text, sizeof text, "%x 0 %x", a, a);
  EXPECT_EQ(placeNoteSequence(s, text, 2), 1);
  std::snprintf(text, sizeof text, "%x zz %x", a, a);
  EXPECT_EQ(placeNoteSequence(s, text, 100), 1);
  EXPECT_EQ(placeNoteSequence(s, "", 2), 0);
  Score fresh;
  std::snprintf(text, sizeof text, "%x %x", longRest, a);
  EXPECT_EQ(placeNoteSequence(fresh, text, 2), 0);
  EXPECT_TRUE(fresh.noteSets[kSopranoSet].empty());
}

TEST_F(FileDropTest, NoteSequenceReplacesTheMelodiesAndKeepsDrums) {
  addNote(app.score, kAltoSet, makeMelodyNote(50, 60, 4, kAlto));
  addNote(app.score, kDrumSet3, makeDrumNote(10, 2, 1, 3, 100));
  char text[40];
  std::snprintf(text, sizeof text, "%x", makeMelodyNote(0, 67, 4, kBass));
  EXPECT_EQ(dropFiles(app, {write("line.g1", text), write("other.g2", "")}), 0);
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
  EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Exclamation);
}

TEST_F(FileDropTest, MidiFileIsReadOnlyAfterTheQuestionGoesOn) {
  const std::string song = write("song.mid", "MThd");
  addNote(app.score, kSopranoSet, makeMelodyNote(10, 72, 4, kSoprano));
  markModified(app.score, ui);
  ui.queueAnswer(MsgAnswer::Cancel);
  EXPECT_EQ(dropFiles(app, {song}), -2);
  EXPECT_TRUE(readPaths.empty());
  ui.queueAnswer(MsgAnswer::No);
  EXPECT_EQ(dropFiles(app, {song}), 0);
  EXPECT_EQ(readPaths, std::vector<std::string>{song});
}

TEST_F(FileDropTest, RealMidiFileIsReadThroughTheOpenPath) {
  AppContext fresh(ui);  // with the real reader wired, not the fixture's stand-in
  const std::string song = "/usr/share/games/openttd/baseset/openmsx/busy_schedule.mid";
  if (!fs::exists(song)) GTEST_SKIP() << "no song at " << song;
  EXPECT_EQ(dropFiles(fresh, {song}), 0);
  std::size_t melodyNotes = 0;
  for (int set = kBassSet; set <= kSopranoSet; ++set) melodyNotes += fresh.score.noteSets[set].size();
  EXPECT_GT(melodyNotes, 0u);
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
