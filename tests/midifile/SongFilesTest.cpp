// Open, Save, Save As and Export through the Ui port, on real files.
#include <gtest/gtest.h>

#include <memory>

#include "midifile/FileIo.h"
#include "midifile/MidiReader.h"
#include "midifile/SongFiles.h"
#include "midifile/TrackAssignment.h"
#include "model/Score.h"
#include "settings/Utf16.h"
#include "support/FakeUi.h"
#include "SmfBuilder.h"
#include "TempFolder.h"

namespace quorvel::test {
namespace {

using Codes = std::vector<NoteCode>;

class SongFiles : public ::testing::Test {
 protected:
  std::unique_ptr<Score> score = std::make_unique<Score>();
  FakeUi ui;
  TempFolder folder;

  std::vector<NoteCode> codes(int index) const {
    const NoteSet& set = score->noteSets[static_cast<std::size_t>(index)];
    return {set.begin(), set.end()};
  }
  void setOption(FileOption o, bool on) { score->settings.file.options[static_cast<std::size_t>(o)] = on ? 10 : 0; }
  void modify() { score->setFlag(kFlagModified); }
  Raw fileBytes(const std::string& path) { return readWholeFile(path).value_or(Raw{}); }
};

TEST_F(SongFiles, SaveOfAnUnmodifiedSongDoesNothing) {
  EXPECT_EQ(saveSong(*score, ui), -2);
  score->fileName = folder.file("song.mid");
  EXPECT_EQ(saveSong(*score, ui), -2);
  EXPECT_TRUE(ui.fileDialogs().empty());
  EXPECT_TRUE(folder.entries().empty());
}

TEST_F(SongFiles, SaveWithoutANameAsksAndThenSavesUnderTheChosenName) {
  addNote(*score, kSopranoSet, makeMelodyNote(2, 72, 4, 3));
  modify();
  EXPECT_EQ(saveSong(*score, ui), -1) << "dialog cancelled";
  EXPECT_TRUE(score->isModified());
  const std::string path = folder.file("new.midi");
  ui.queueSavePath(path);
  ASSERT_EQ(saveSong(*score, ui), 0);
  ASSERT_EQ(ui.fileDialogs().size(), 2u);
  EXPECT_EQ(ui.fileDialogs()[1].filter, "MIDI(*.mid,*.midi)");
  EXPECT_EQ(ui.fileDialogs()[1].defaultExtension, "midi");
  EXPECT_EQ(score->fileName, path);
  EXPECT_FALSE(score->isModified());
  EXPECT_EQ(ui.title(), path + " - Quorvel");
  EXPECT_EQ(ui.status(2), "Saved.");
  EXPECT_EQ(fileBytes(path).size(), 14u + 25u + 3 * 12u + 20u);
  // The folder is remembered for the next save and, being new, for opening.
  EXPECT_EQ(slotText(score->settings.window.folders[1]), folder.file(""));
  EXPECT_EQ(slotText(score->settings.window.folders[0]), slotText(score->settings.window.folders[1]));
}

TEST_F(SongFiles, FailedSaveKeepsTheOldFileAndForgetsTheName) {
  const std::string path = folder.write("song.mid", {1, 2, 3});
  score->fileName = folder.file("missing-folder/song.mid");
  modify();
  EXPECT_EQ(saveSong(*score, ui), -1);
  ASSERT_EQ(ui.messages().size(), 1u);
  EXPECT_EQ(ui.messages()[0].text, "File could not be created or opened");
  EXPECT_EQ(ui.messages()[0].caption, folder.file("missing-folder/song.mid"));
  EXPECT_TRUE(score->fileName.empty());
  EXPECT_TRUE(score->isModified());

  score->fileName = path;
  ASSERT_EQ(saveSong(*score, ui), 0);
  EXPECT_EQ(fileBytes(path).size(), 14u + 25u + 4 * 12u) << "replaced by the song";
  EXPECT_EQ(folder.entries().size(), 1u) << "no temporary file left behind";
}

TEST_F(SongFiles, ExportWritesTheNotesBetweenTheLocatorsFromTimeZero) {
  setOption(kExportDrums, true);
  addNote(*score, kSopranoSet, makeMelodyNote(2, 72, 4, 3));        // bar 1: before the left locator
  addNote(*score, kSopranoSet, makeMelodyNote(34, 74, 8, 3));       // bar 3
  addNote(*score, kBassSet, makeMelodyNote(40, 50, 40, 0));         // runs past the right locator
  addNote(*score, kDrumSet3, makeDrumNote(34, 12, 4, 3, 127));
  addNote(*score, kTenorSet, makeMelodyNote(66, 60, 4, 1));         // at the right locator
  score->leftLocator = 170;   // bar 3
  score->rightLocator = 330;  // end of bar 4
  const std::string path = folder.file("part.mid");
  ui.queueSavePath(path);
  ASSERT_EQ(exportBetweenLocators(*score, ui), 0);
  EXPECT_FALSE(score->isModified());
  EXPECT_TRUE(score->fileName.empty());
  for (int set = kWorkSetFirst; set <= kImportedTrackFirst; ++set) EXPECT_TRUE(codes(set).empty()) << set;

  ImportResult back;
  ASSERT_EQ(readMidiBytes(*score, ui, fileBytes(path), ReadOptions{}, back), 0);
  ASSERT_EQ(back.tracks.size(), 3u);
  EXPECT_EQ(codes(back.tracks[0].setIndex), (Codes{makeMelodyNote(2, 74, 8, 0)}));
  EXPECT_EQ(codes(back.tracks[1].setIndex), (Codes{makeMelodyNote(8, 50, 40, 0)}));
  EXPECT_EQ(codes(back.tracks[2].setIndex), (Codes{makeDrumNote(2, 12, 4, 3, 127)}));
}

TEST_F(SongFiles, ExportNeedsSpaceBetweenTheLocators) {
  score->leftLocator = 330;
  score->rightLocator = 330;
  EXPECT_EQ(exportBetweenLocators(*score, ui), -1);
  ASSERT_EQ(ui.messages().size(), 1u);
  EXPECT_EQ(ui.messages()[0].text, "No space between locators");
  EXPECT_EQ(ui.messages()[0].caption, "Quorvel");
  EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Exclamation);
  EXPECT_TRUE(ui.fileDialogs().empty());
}

TEST_F(SongFiles, FormatZeroExportWritesOneTrack) {
  setOption(kWriteFormat0, true);
  addNote(*score, kSopranoSet, makeMelodyNote(2, 72, 4, 3));
  addNote(*score, kAltoSet, makeMelodyNote(2, 67, 4, 2));
  ui.queueSavePath(folder.file("zero.mid"));
  ASSERT_EQ(exportBetweenLocators(*score, ui), 0);
  const Raw file = fileBytes(folder.file("zero.mid"));
  ASSERT_GE(file.size(), 14u);
  EXPECT_EQ(file[9], 0);
  EXPECT_EQ(file[11], 1);
}

TEST_F(SongFiles, OpeningAMissingOrBrokenFileShowsWhyAndForgetsTheName) {
  score->fileName = "old.mid";
  EXPECT_EQ(openSongFile(*score, ui, folder.file("absent.mid")), -1);
  ASSERT_EQ(ui.messages().size(), 1u);
  EXPECT_EQ(ui.messages()[0].text, "File could not be created or opened");
  EXPECT_TRUE(score->fileName.empty());

  score->settings.general.language = 1;
  const std::string broken = folder.write("broken.mid", {'M', 'T', 'h', 'd', 0, 0, 0, 7});
  EXPECT_EQ(openSongFile(*score, ui, broken), -1);
  ASSERT_EQ(ui.messages().size(), 2u);
  EXPECT_EQ(ui.messages()[1].text, "ファイルが正しいか確認してください");
  EXPECT_EQ(ui.messages()[1].caption, broken);
  EXPECT_EQ(ui.trackAssignments(), 0);
}

TEST_F(SongFiles, OpenDialogCancelledChangesNothing) {
  addNote(*score, kSopranoSet, makeMelodyNote(2, 72, 4, 3));
  score->fileName = "old.mid";
  EXPECT_EQ(openSongFile(*score, ui, ""), -1);
  EXPECT_EQ(ui.fileDialogs().size(), 1u);
  EXPECT_EQ(score->fileName, "old.mid");
  EXPECT_EQ(codes(kSopranoSet).size(), 1u);
}

TEST_F(SongFiles, MergedOpenFinishesAtOnce) {
  setOption(kReadFormat0, true);
  const std::string path = folder.write(
      "merged.mid", smf(1, 96, {TrackEvents().tempoBpm(0, 150).end(), TrackEvents().on(0, 60).off(96, 60).end()}));
  score->setFlag(kFlagModified);
  ui.queueOpenPath(path);
  ASSERT_EQ(openSongFile(*score, ui, ""), 0);
  EXPECT_EQ(codes(kSopranoSet), (Codes{makeMelodyNote(2, 60, 4, 3)}));
  EXPECT_EQ(score->fileName, path);
  EXPECT_EQ(ui.status(2), "Read.");
  EXPECT_FALSE(score->isModified());
  EXPECT_EQ(score->settings.general.tempo, 150);
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

TEST_F(SongFiles, TrackAssignmentModelOffersVoicesAndDrumSources) {
  std::string path = folder.write("four.mid", fourVoicesAndDrums());
  ImportResult imported;
  std::string chosen;
  ASSERT_EQ(readMidiFile(*score, ui, path, false, imported, chosen), 0);
  TrackAssignment model = makeTrackAssignment(imported, 0);
  ASSERT_EQ(model.voiceRows.size(), 4u);
  EXPECT_EQ(model.voiceRows[0].label, "Flute");
  EXPECT_EQ(model.voiceRows[1].label, "Track 3");
  EXPECT_EQ(model.voiceRows[2].label, "Track 5");
  EXPECT_EQ(model.voiceRows[3].label, "None");
  EXPECT_EQ(model.voiceOn, (std::array<bool, 4>{true, true, true, false}));
  ASSERT_EQ(model.drumRows.size(), 2u);
  EXPECT_EQ(model.drumRows[0].label, "ALL DRUMS");
  EXPECT_EQ(model.drumRows[0].setIndex, kImportedDrums);
  EXPECT_EQ(model.drumRows[1].label, "Kit");
  EXPECT_TRUE(model.drumsOn);

  model.selectVoice(2);
  EXPECT_EQ(model.selectedSet(), imported.tracks[3].setIndex);
  EXPECT_TRUE(model.moveUp());
  EXPECT_EQ(model.voiceRows[1].label, "Track 5");
  EXPECT_EQ(model.selectedVoice, 1);
  EXPECT_TRUE(model.moveUp());
  EXPECT_FALSE(model.moveUp());
  EXPECT_TRUE(model.moveDown());
  model.selectDrum(1);
  EXPECT_EQ(model.selectedVoice, -1);
  EXPECT_EQ(model.drumSource, 1);
  model.selectVoice(0);
  EXPECT_EQ(model.selectedDrum, -1);
  EXPECT_EQ(model.drumSource, 1) << "the chosen drum source stays";
}

TEST_F(SongFiles, OkInTheOpenDialogBuildsTheSong) {
  const std::string path = folder.write("four.mid", fourVoicesAndDrums());
  addNote(*score, kBassSet, makeMelodyNote(2, 40, 4, 0));
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
  EXPECT_EQ(codes(kMelodyView).size(), 2u);
  // "ALL DRUMS": the drums of track 3 and of the drum-only track.
  EXPECT_EQ(codes(kDrumSet0 + 2), (Codes{makeDrumNote(6, 12, 4, 2, 100)}));
  EXPECT_EQ(codes(kDrumSet3), (Codes{makeDrumNote(2, 11, 1, 3, 120)}));
  EXPECT_EQ(codes(kDrumsView).size(), 2u);
  for (int set = kImportedDrums; set <= kImportedTrackFirst; ++set) EXPECT_TRUE(codes(set).empty());
  EXPECT_EQ(score->settings.melody[kKeyNote], 63);  // three flats
  EXPECT_EQ(score->settings.melody[kMode], 1);
  EXPECT_EQ(score->settings.general.tempo, 90);
  EXPECT_EQ(score->fileName, path);
  EXPECT_EQ(ui.title(), path + " - Quorvel");
  EXPECT_EQ(ui.status(2), "Read.");
}

TEST_F(SongFiles, ChosenDrumTrackAloneBecomesTheDrums) {
  const std::string path = folder.write("four.mid", fourVoicesAndDrums());
  ui.onTrackAssignment([](TrackAssignment& m) {
    m.selectDrum(1);
    return true;
  });
  ASSERT_EQ(openSongFile(*score, ui, path), 0);
  EXPECT_TRUE(codes(kDrumSet0 + 2).empty());
  EXPECT_EQ(codes(kDrumsView), (Codes{makeDrumNote(2, 11, 1, 3, 120)}));
}

TEST_F(SongFiles, CloseInTheOpenDialogLeavesTheSong) {
  const std::string path = folder.write("four.mid", fourVoicesAndDrums());
  addNote(*score, kBassSet, makeMelodyNote(2, 40, 4, 0));
  score->fileName = "old.mid";
  const int keyNote = score->settings.melody[kKeyNote];
  ui.onTrackAssignment([](TrackAssignment&) { return false; });
  EXPECT_EQ(openSongFile(*score, ui, path), -1);
  EXPECT_EQ(codes(kBassSet), (Codes{makeMelodyNote(2, 40, 4, 0)}));
  EXPECT_EQ(score->fileName, "old.mid");
  EXPECT_EQ(score->settings.melody[kKeyNote], keyNote);
  for (int set = kImportedDrums; set <= kImportedTrackFirst; ++set) EXPECT_TRUE(codes(set).empty());
}

}  // namespace
}  // namespace quorvel::test
