// The window is never called while the note lock is held: it paints there,
// and the player thread, which takes the lock every tick, would wait for it.
#include "AppFixture.h"

#include <filesystem>
#include <string>

namespace quorvel {
namespace {

class NoteLockTest : public test::AppFixture {};

TEST_F(NoteLockTest, CommandsReachTheWindowOnlyOutsideTheNoteLock) {
  // A copy: "New" at the end saves the changed song over the file it came from.
  const auto song = folder.path() / "001.mid";
  std::filesystem::copy_file(std::string(QUORVEL_SOURCE_DIR) + "/data/corpus/chorales/train/001.mid", song);
  ui.watchForCallsUnder(app.score.noteMutex);
  ui.queueOpenPath(song.string());
  ASSERT_EQ(dispatch(app, cmd::kOpen), 0);
  ASSERT_GT(notesIn(kSopranoSet), 0u);
  for (int id : {cmd::kSoprano, cmd::kSelectAll, cmd::kCopy, cmd::kDelete, cmd::kUndo, cmd::kRedo, cmd::kPaste,
                 cmd::kQuantizeToGrid, cmd::kShuffle, cmd::kReduceNoteValues, cmd::kDivideIntoParts,
                 cmd::kDetectAndApplyKeyNote, cmd::kTrimOpeningSilence, cmd::kClearMelodies, cmd::k0to4A, cmd::kUndo,
                 cmd::kNew})
    dispatch(app, id);
  EXPECT_EQ(ui.callsUnderWatchedLock(), 0);
}

}  // namespace
}  // namespace quorvel
