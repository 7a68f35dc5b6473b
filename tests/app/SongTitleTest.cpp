// The window title follows what the core reports about the song's file.
#include <gtest/gtest.h>

#include "app/SongTitle.h"
#include "model/Score.h"
#include "support/FakeUi.h"

namespace quorvel {
namespace {

// What the core reports on each change of the file state is checked with the Score.
TEST(SongTitle, NamesTheFileAndMarksChangesInBothLanguages) {
  EXPECT_EQ(songWindowTitle({"", false, 0}), "(no title) - Quorvel");
  EXPECT_EQ(songWindowTitle({"/tmp/a.mid", true, 1}), "/tmp/a.mid* - Quorvel");
  EXPECT_NE(songWindowTitle({"", false, 1}), songWindowTitle({"", false, 0}));

  test::FakeUi ui;
  Score score;
  markSaved(score, "/tmp/c.mid", "Saved.", ui);
  EXPECT_EQ(songWindowTitle(ui.songState()), "/tmp/c.mid - Quorvel");
  EXPECT_EQ(songDisplayName(score), "c.mid");
  newSong(score, kNewSongMask, ui);
  EXPECT_EQ(songDisplayName(score), "(no title)");
}

}  // namespace
}  // namespace quorvel
