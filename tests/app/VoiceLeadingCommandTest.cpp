// Tools > Check Voice Leading without widgets: the window's rows, and the
// notes a chosen row selects in the part being edited.
#include <gmock/gmock.h>

#include <map>
#include <vector>

#include "AppFixture.h"
#include "app/VoiceLeadingCommands.h"

namespace quorvel::test {
namespace {

using ::testing::ElementsAre;

class VoiceLeadingCommandTest : public AppFixture {
 protected:
  // Soprano and bass in parallel fifths at bar `bar`, beats 1 and 2.
  void fifthsAtBar(int bar) {
    const int step = kSongStartStep + (bar - 1) * kStepsPerBar;
    for (auto [part, keys] : {std::pair{kSopranoSet, std::pair{67, 69}}, std::pair{kBassSet, std::pair{60, 62}}}) {
      notes[part].push_back(makeMelodyNote(step, keys.first, 4, part));
      notes[part].push_back(makeMelodyNote(step + 4, keys.second, 4, part));
      for (NoteCode c : notes[part]) addNote(app.score, part, c);
    }
  }
  static int startOfBar(int bar) { return (kSongStartStep + (bar - 1) * kStepsPerBar) * kStepPixels; }
  const VoiceLeadingWindowRequest& shown() const { return ui.voiceLeadingWindows().back(); }
  std::vector<NoteCode> selection() const {
    const NoteSet& s = app.score.noteSets[kSelection];
    return {s.begin(), s.end()};
  }

  std::map<int, std::vector<NoteCode>> notes;
};

TEST_F(VoiceLeadingCommandTest, TheWindowListsEachFindingWithBarBeatVoicesAndRule) {
  fifthsAtBar(3);
  ASSERT_EQ(dispatch(app, cmd::kCheckVoiceLeading), 0);
  ASSERT_EQ(ui.voiceLeadingWindows().size(), 1u);
  ASSERT_EQ(shown().rows.size(), 1u);
  EXPECT_THAT(shown().rows[0], ElementsAre("3", "2", "Soprano, Bass", "parallel fifths"));
  EXPECT_EQ(shown().summary, "1 place breaks a rule. Click its row to select its notes.");

  app.score.language() = 1;
  clearMelodies(app.score, ui);
  dispatch(app, cmd::kCheckVoiceLeading);
  EXPECT_TRUE(shown().rows.empty());
  EXPECT_EQ(shown().summary, "規則に反する箇所はありません。");
}

TEST_F(VoiceLeadingCommandTest, ChoosingARowSelectsTheNotesOfAnInvolvedPartAndScrollsToThem) {
  fifthsAtBar(20);
  app.score.settings.parts.editPart = kAlto;
  dispatch(app, cmd::kCheckVoiceLeading);
  shown().rowChosen(0);
  // The alto is not involved: the upper voice of the finding becomes the edited part.
  EXPECT_EQ(app.score.editPart(), kSoprano);
  EXPECT_EQ(selection(), notes[kSopranoSet]);
  EXPECT_FALSE(app.score.selectionBounds.empty());
  EXPECT_LE(app.view.scrollX, startOfBar(20));
  EXPECT_GE(app.view.scrollX + app.view.clientWidth, app.score.selectionBounds.right);

  // The bass is involved: it stays the edited part.
  app.score.settings.parts.editPart = kBass;
  shown().rowChosen(0);
  EXPECT_EQ(app.score.editPart(), kBass);
  EXPECT_EQ(selection(), notes[kBassSet]);
}

TEST_F(VoiceLeadingCommandTest, OnlyNotesTheSongStillHoldsAreSelectedAndNeverWhileGenerating) {
  fifthsAtBar(1);
  app.score.settings.parts.editPart = kSoprano;
  app.score.setFlag(kFlagDrumsEdit);
  dispatch(app, cmd::kCheckVoiceLeading);
  removeNote(app.score, kSopranoSet, notes[kSopranoSet][0]);
  shown().rowChosen(0);
  EXPECT_FALSE(app.score.drumsEditMode());
  EXPECT_THAT(selection(), ElementsAre(notes[kSopranoSet][1]));

  app.score.noteSets[kSelection].clear();
  app.score.setFlag(kFlagGenerating);
  EXPECT_EQ(dispatch(app, cmd::kCheckVoiceLeading), -2);
  shown().rowChosen(0);
  EXPECT_TRUE(selection().empty());
  app.score.clearFlag(kFlagGenerating);
}

}  // namespace
}  // namespace quorvel::test
