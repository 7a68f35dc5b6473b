// A generation command is one step of the history: one Ctrl+Z gives back the
// song as it was in every part and drum set the command touched, whichever
// part is active, and one Ctrl+Y the generated result.
#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "AppFixture.h"
#include "generator/DrumLibrary.h"
#include "midifile/SongFiles.h"

namespace quorvel {
namespace {

using Song = std::array<std::vector<NoteCode>, 8>;  // the parts and drum sets

class GenerationUndoTest : public test::AppFixture {
 protected:
  void SetUp() override {
    std::string error;
    const auto patterns = std::filesystem::path(QUORVEL_SOURCE_DIR) / "data" / "drums" / "patterns.txt";
    ASSERT_EQ(loadDrumLibrary(patterns, app.drumLibrary, error), 0) << error;
    app.random.seed(11);
  }
  Song song() const {
    Song out;
    for (std::size_t i = 0; i < out.size(); ++i) out[i].assign(app.score.noteSets[i].begin(), app.score.noteSets[i].end());
    return out;
  }
  // The view sets always hold exactly their parts' notes.
  void expectViewsMatch() const {
    std::vector<NoteCode> melody, drums;
    for (int set = kBassSet; set <= kDrumSet3; ++set) {
      auto& into = set <= kSopranoSet ? melody : drums;
      into.insert(into.end(), app.score.noteSets[static_cast<std::size_t>(set)].begin(),
                  app.score.noteSets[static_cast<std::size_t>(set)].end());
    }
    std::sort(melody.begin(), melody.end());
    std::sort(drums.begin(), drums.end());
    EXPECT_EQ(melody, std::vector<NoteCode>(app.score.noteSets[kMelodyView].begin(), app.score.noteSets[kMelodyView].end()));
    EXPECT_EQ(drums, std::vector<NoteCode>(app.score.noteSets[kDrumsView].begin(), app.score.noteSets[kDrumsView].end()));
  }
  // Runs the command, then undoes and redoes it from the part `undoFrom`.
  void expectOneStep(int command, int undoFrom) {
    const Song before = song();
    ASSERT_EQ(dispatch(app, command), 0);
    const Song after = song();
    ASSERT_NE(after, before);
    dispatch(app, undoFrom);
    dispatch(app, cmd::kUndo);
    EXPECT_EQ(song(), before);
    expectViewsMatch();
    dispatch(app, cmd::kUndo);
    EXPECT_EQ(song(), before) << "nothing older to undo";
    dispatch(app, cmd::kRedo);
    EXPECT_EQ(song(), after);
    expectViewsMatch();
    dispatch(app, cmd::kRedo);
    EXPECT_EQ(song(), after) << "nothing newer to redo";
  }
};

TEST_F(GenerationUndoTest, ACounterLineOverARealSongIsUndoneFromThePartItFilled) {
  const std::string song = "/usr/share/games/openttd/baseset/openmsx/coconut_run2.mid";
  ASSERT_EQ(openSongFile(app.score, ui, song), 0);
  dispatch(app, cmd::kSoprano);
  expectOneStep(cmd::k1to1A, cmd::kAlto);
}

TEST_F(GenerationUndoTest, FourLinesOnAnEmptySongAreUndoneFromAnyPart) {
  dispatch(app, cmd::kSoprano);
  expectOneStep(cmd::k0to4A, cmd::kTenor);
  for (int set = kBassSet; set <= kSopranoSet; ++set) EXPECT_FALSE(app.score.noteSets[static_cast<std::size_t>(set)].empty());
}

TEST_F(GenerationUndoTest, ALineBetweenTheLocatorsGivesBackWhatItReplaced) {
  for (int step = 2; step < 130; step += 4) addNote(app.score, kSopranoSet, makeMelodyNote(step, 67 + step % 5, 4, kSoprano));
  app.score.settings.melody[kBetweenLocators] = 10;
  app.score.leftLocator = 170;
  app.score.rightLocator = 490;
  dispatch(app, cmd::kSoprano);
  expectOneStep(cmd::k0to1A, cmd::kSoprano);
}

TEST_F(GenerationUndoTest, DrumsOverEveryLevelAreOneStep) {
  addNote(app.score, kSopranoSet, makeMelodyNote(2, 72, 64, kSoprano));
  addNote(app.score, kDrumSet0 + 1, makeDrumNote(2, 12, 4, 1, 40));
  expectOneStep(cmd::k0toDA, cmd::kDrumsHigh);
}

TEST_F(GenerationUndoTest, AnEditAfterTheCommandIsUndoneFirst) {
  dispatch(app, cmd::kSoprano);
  const Song before = song();
  ASSERT_EQ(dispatch(app, cmd::k0to2A), 0);
  const Song generated = song();
  // An edit of the Alto after the command: selecting and deleting its first note.
  dispatch(app, cmd::kAlto);
  const NoteCode first = *app.score.noteSets[kAltoSet].begin();
  app.score.noteSets[kSelection].insert(first);
  dispatch(app, cmd::kDelete);
  dispatch(app, cmd::kUndo);
  EXPECT_EQ(song(), generated);
  dispatch(app, cmd::kUndo);
  EXPECT_EQ(song(), before);
}

}  // namespace
}  // namespace quorvel
