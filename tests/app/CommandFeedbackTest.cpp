// Every tool answers in status field 1: how many notes it changed, or that
// there was nothing to do, in the song's language.
#include "app/CommandFeedback.h"

#include "AppFixture.h"

namespace quorvel {
namespace {

class CommandFeedbackTest : public test::AppFixture {
 protected:
  // Onsets one step off the quarter-note grid.
  void addOffGridNotes(int count) {
    for (int i = 0; i < count; ++i) addNote(app.score, kSopranoSet, makeMelodyNote(2 + 4 * i + 1, 60 + i, 2, kSoprano));
  }
};

TEST_F(CommandFeedbackTest, SnapshotCountsAMovedNoteOnce) {
  addNote(app.score, kAltoSet, makeMelodyNote(2, 60, 4, kAlto));
  addNote(app.score, kAltoSet, makeMelodyNote(6, 62, 4, kAlto));
  const SongSnapshot before(app.score);
  EXPECT_EQ(before.changedNotes(app.score), 0);
  removeNote(app.score, kAltoSet, makeMelodyNote(2, 60, 4, kAlto));
  addNote(app.score, kAltoSet, makeMelodyNote(3, 60, 4, kAlto));
  EXPECT_EQ(before.changedNotes(app.score), 1);
  removeNote(app.score, kAltoSet, makeMelodyNote(6, 62, 4, kAlto));
  addNote(app.score, kTenorSet, makeMelodyNote(6, 62, 4, kTenor));
  EXPECT_EQ(before.changedNotes(app.score), 2) << "a note handed to another part counts once";
  addNote(app.score, kDrumSet0, makeDrumNote(2, 3, 1, 0, 100));
  EXPECT_EQ(before.changedNotes(app.score), 3);
}

TEST_F(CommandFeedbackTest, QuantizeSaysHowManyNotesMovedThenThatNothingIsLeft) {
  addOffGridNotes(5);
  dispatch(app, cmd::kQuantizeToGrid);
  EXPECT_EQ(ui.status(1), "Nothing to quantize: the strength is 0 (Options)") << "the default strength";
  addNote(app.score, kAltoSet, makeMelodyNote(2, 55, 4, kAlto));
  app.score.settings.general.melodyQuantizeTarget = 2;  // a part, not the grid
  ui.setStatus(1, "");
  dispatch(app, cmd::kQuantizeToOtherPart);
  EXPECT_EQ(ui.status(1), "Nothing to quantize: the strength is 0 (Options)");
  app.score.settings.general.melodyQuantizeTarget = 0;
  app.score.settings.general.melodyQuantizeStrength = 1.0;
  app.score.settings.general.melodyQuantizeResolution = 1;  // quarter notes
  ASSERT_EQ(dispatch(app, cmd::kQuantizeToGrid), 0);
  EXPECT_EQ(ui.status(1), "Quantized 5 notes");
  dispatch(app, cmd::kQuantizeToGrid);
  EXPECT_EQ(ui.status(1), "Nothing to quantize");
}

TEST_F(CommandFeedbackTest, BarToolsAnswerOnAnEmptySongAndInJapanese) {
  const std::pair<int, const char*> tools[] = {
      {cmd::kTrimOpeningSilence, "Nothing to trim"},     {cmd::kDivideIntoParts, "Nothing to divide"},
      {cmd::kRegulateBarLength, "Nothing to regulate"}, {cmd::kReduceNoteValues, "Nothing to reduce"},
      {cmd::kShuffle, "Nothing to shuffle: the strength is 0 (Options)"},  {cmd::kUndo, "Nothing to undo"},
      {cmd::kRedo, "Nothing to redo"},
  };
  for (const auto& [id, text] : tools) {
    ui.setStatus(1, "");
    dispatch(app, id);
    EXPECT_EQ(ui.status(1), text) << id;
  }
  app.score.settings.general.language = 1;
  dispatch(app, cmd::kTrimOpeningSilence);
  EXPECT_EQ(ui.status(1), "トリミングする無音がありません");
}

TEST_F(CommandFeedbackTest, TrimAndDivideCountTheNotesTheyChanged) {
  // A three-note chord in Soprano, a bar late.
  for (int key : {72, 67, 64}) addNote(app.score, kSopranoSet, makeMelodyNote(18, key, 4, kSoprano));
  dispatch(app, cmd::kTrimOpeningSilence);
  EXPECT_EQ(ui.status(1), "Trimmed the opening silence: 3 notes moved");
  app.score.settings.general.language = 1;
  dispatch(app, cmd::kDivideIntoParts);
  EXPECT_EQ(ui.status(1), "2音を4パートに振分けました") << "the top note stays, the two below go to Alto and Tenor";
  dispatch(app, cmd::kDivideIntoParts);
  EXPECT_EQ(ui.status(1), "振分ける音がありません");
}

TEST_F(CommandFeedbackTest, ARefusalWithItsOwnBoxAddsNoStatusText) {
  EXPECT_EQ(feedbackText({"Quantized %d notes", "Nothing to quantize"}, -1, 0, 0), "");
}

}  // namespace
}  // namespace quorvel
