// Open, Save, Save As and Export through the Ui port, on real files.
#include "base/FileIo.h"
#include "midifile/SongFiles.h"
#include "midifile/TrackAssignment.h"
#include "ReaderFixture.h"
#include "settings/TempFolder.h"

namespace quorvel::test {
namespace {

class SongFiles : public ReaderFixture {
 protected:
  TempFolder folder;

  std::string file(const std::string& name) const { return (folder.path() / name).string(); }
  std::string write(const std::string& name, const Raw& bytes) const {
    EXPECT_TRUE(replaceFileContents(file(name), bytes));
    return file(name);
  }
  void setOption(FileOption o, bool on) { score->settings.file.options[static_cast<std::size_t>(o)] = storedSwitch(on); }
  void modify() { score->setFlag(kFlagModified); }
  Raw fileBytes(const std::string& path) { return readWholeFile(path).value_or(Raw{}); }
};

// The empty tracks a saved song holds between its voices and its drums must
// not reset the tempo, key and scale the conductor track gave, nor move the
// parts below an empty part up a row on reopening.
TEST_F(SongFiles, ASavedSongReopensWithItsTempoKeyScaleRowsAndDrums) {
  addNote(*score, kAltoSet, makeMelodyNote(2, 64, 4, kAltoSet));
  addNote(*score, kBassSet, makeMelodyNote(2, 40, 4, kBassSet));
  addNote(*score, kDrumSet3, makeDrumNote(2, 12, 4, 3, 127));
  score->settings.general.tempo = 180;
  score->settings.melody[kKeyNote] = 64;
  score->settings.melody[kMode] = 1;
  modify();
  EXPECT_EQ(saveSong(*score, ui), -1) << "no name and the dialog cancelled";
  EXPECT_TRUE(score->isModified());
  const std::string path = file("song.mid");
  ui.queueSavePath(path);
  ASSERT_EQ(saveSong(*score, ui), 0);
  EXPECT_EQ(ui.status(2), "Saved.");
  EXPECT_EQ(score->fileName, path);
  EXPECT_FALSE(score->isModified());

  auto reopened = std::make_unique<Score>();
  ASSERT_EQ(openSongFile(*reopened, ui, path), 0);
  EXPECT_EQ(reopened->settings.general.tempo, 180);
  EXPECT_EQ(reopened->settings.melody[kKeyNote], 64);
  EXPECT_EQ(reopened->settings.melody[kMode], 1);
  for (int part : {kSopranoSet, kTenorSet}) EXPECT_TRUE(reopened->noteSets[static_cast<std::size_t>(part)].empty());
  EXPECT_EQ(reopened->noteSets[kAltoSet], score->noteSets[kAltoSet]);
  EXPECT_EQ(reopened->noteSets[kBassSet], score->noteSets[kBassSet]);
  EXPECT_EQ(reopened->noteSets[kDrumSet3].size(), 1u) << "fresh settings export the drums";
}

TEST_F(SongFiles, ASaveThatLeavesOutTheDrumsSaysSo) {
  setOption(kExportDrums, false);
  addNote(*score, kSopranoSet, makeMelodyNote(2, 72, 4, 3));
  modify();
  score->fileName = file("voices.mid");
  ASSERT_EQ(saveSong(*score, ui), 0);
  EXPECT_EQ(ui.status(2), "Saved.") << "no drums to leave out";

  addNote(*score, kDrumSet3, makeDrumNote(2, 12, 4, 3, 127));
  modify();
  ASSERT_EQ(saveSong(*score, ui), 0);
  EXPECT_EQ(ui.status(2), "Saved without drums");
}

TEST_F(SongFiles, ExportNeedsSpaceAndWritesTheNotesBetweenTheLocatorsFromTimeZero) {
  setOption(kExportDrums, true);
  addNote(*score, kSopranoSet, makeMelodyNote(2, 72, 4, 3));        // bar 1: before the left locator
  addNote(*score, kSopranoSet, makeMelodyNote(34, 74, 8, 3));       // bar 3
  addNote(*score, kBassSet, makeMelodyNote(40, 50, 40, 0));         // runs past the right locator
  addNote(*score, kDrumSet3, makeDrumNote(34, 12, 4, 3, 127));
  addNote(*score, kTenorSet, makeMelodyNote(66, 60, 4, 1));         // at the right locator
  score->leftLocator = score->rightLocator = 330;
  EXPECT_EQ(exportBetweenLocators(*score, ui), -1);
  ASSERT_EQ(ui.messages().size(), 1u);
  EXPECT_EQ(ui.messages()[0].text, "No space between locators");
  EXPECT_TRUE(ui.fileDialogs().empty());
  score->leftLocator = 170;  // bar 3, to the end of bar 4
  const std::string path = file("part.mid");
  ui.queueSavePath(path);
  ASSERT_EQ(exportBetweenLocators(*score, ui), 0);
  EXPECT_FALSE(score->isModified());
  EXPECT_TRUE(score->fileName.empty());
  for (int set = kWorkSetFirst; set <= kImportedTrackFirst; ++set) EXPECT_TRUE(codes(set).empty()) << set;

  ASSERT_EQ(read(fileBytes(path)), 0);
  ASSERT_EQ(result.tracks.size(), 3u);
  EXPECT_EQ(codes(result.tracks[0].setIndex), (Codes{makeMelodyNote(2, 74, 8, 0)}));
  EXPECT_EQ(codes(result.tracks[1].setIndex), (Codes{makeMelodyNote(8, 50, 40, 0)}));
  EXPECT_EQ(codes(result.tracks[2].setIndex), (Codes{makeDrumNote(2, 12, 4, 3, 127)}));
}

TEST_F(SongFiles, OpeningAMissingOrBrokenFileShowsWhyAndForgetsTheName) {
  score->fileName = "old.mid";
  EXPECT_EQ(openSongFile(*score, ui, file("absent.mid")), -1);
  ASSERT_EQ(ui.messages().size(), 1u);
  EXPECT_EQ(ui.messages()[0].text, "File could not be created or opened");
  EXPECT_TRUE(score->fileName.empty());

  // Why a file is broken is checked in FileErrorTest.
  EXPECT_EQ(openSongFile(*score, ui, write("broken.mid", {'M', 'T', 'h', 'd', 0, 0, 0, 7})), -1);
  EXPECT_EQ(ui.messages().size(), 2u);
  EXPECT_EQ(ui.trackAssignments(), 0);
}

Raw fourVoicesAndDrums() {
  return smf(1, 96,
             {TrackEvents().keySignature(0, -3, 1).tempoBpm(0, 90).end(),
              TrackEvents().text(0, 3, "Flute").on(0, 79).off(96, 79).end(),
              TrackEvents().on(0, 72).off(96, 72).on(0, 36, 100, 9).off(96, 36, 9).end(),
              TrackEvents().text(0, 3, "Kit").on(0, 38, 120, 9).off(24, 38, 9).end(),
              TrackEvents().on(0, 60).off(192, 60).end()});
}

TEST_F(SongFiles, CancelOrCloseLeaveTheSongAndOkInTheOpenDialogBuildsIt) {
  const std::string path = write("four.mid", fourVoicesAndDrums());
  addNote(*score, kBassSet, makeMelodyNote(2, 40, 4, 0));
  score->fileName = "old.mid";
  const int keyNote = score->settings.melody[kKeyNote];
  EXPECT_EQ(openSongFile(*score, ui, ""), -1);
  EXPECT_EQ(ui.fileDialogs().size(), 1u);
  ui.onTrackAssignment([](TrackAssignment&) { return false; });
  EXPECT_EQ(openSongFile(*score, ui, path), -1);
  EXPECT_EQ(codes(kBassSet), (Codes{makeMelodyNote(2, 40, 4, 0)}));
  EXPECT_EQ(score->fileName, "old.mid");
  EXPECT_EQ(score->settings.melody[kKeyNote], keyNote);
  for (int set = kImportedDrums; set <= kImportedTrackFirst; ++set) EXPECT_TRUE(codes(set).empty());

  ui.onTrackAssignment([](TrackAssignment& m) {
    m.selectVoice(2);
    m.moveUp();          // Track 5 becomes the Alto
    m.voiceOn[0] = false;  // no Soprano
    return true;
  });
  ASSERT_EQ(openSongFile(*score, ui, path), 0);
  EXPECT_TRUE(codes(kSopranoSet).empty());
  EXPECT_EQ(codes(kAltoSet), (Codes{makeMelodyNote(2, 60, 8, 2)}));
  EXPECT_EQ(codes(kTenorSet), (Codes{makeMelodyNote(2, 72, 4, 1)}));
  EXPECT_TRUE(codes(kBassSet).empty());
  // "ALL DRUMS": the drums of track 3 and of the drum-only track.
  EXPECT_EQ(codes(kDrumSet0 + 2), (Codes{makeDrumNote(6, 12, 4, 2, 100)}));
  EXPECT_EQ(codes(kDrumSet3), (Codes{makeDrumNote(2, 11, 1, 3, 120)}));
  for (int set = kImportedDrums; set <= kImportedTrackFirst; ++set) EXPECT_TRUE(codes(set).empty());
  EXPECT_EQ(score->settings.melody[kKeyNote], 72);  // three flats in minor: C minor, in the octave the key note had
  EXPECT_EQ(score->settings.melody[kMode], 1);
  EXPECT_EQ(score->settings.general.tempo, 90);
  EXPECT_EQ(score->fileName, path);
  EXPECT_EQ(ui.songState().fileName, path);
  EXPECT_FALSE(ui.songState().modified);
}

}  // namespace
}  // namespace quorvel::test
