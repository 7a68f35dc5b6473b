#include "app/SongCommands.h"

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/SaveChanges.h"
#include "app/ViewRuler.h"

namespace quorvel {

namespace {

// Shows the result of key-note detection without applying it.
void showDetectedKey(AppContext& app) {
  const Command* detect = app.commands.find(cmd::kDetectKeyNote);
  if (detect && detect->action) detect->action(app, 0);
}

int openCommand(AppContext& app, int) {
  const int answer = askSaveChanges(app);
  if (answer != 0) return answer;
  return openSong(app, {});
}

}  // namespace

int openSong(AppContext& app, const std::string& path) {
  if (!app.ops.readSong) return -1;
  const int result = app.ops.readSong(app, path);
  if (result != 0) return result;
  resetMarkers(app.score);
  app.ui.redraw(RedrawTarget::Ruler);
  app.ui.redraw(RedrawTarget::Drums);
  app.ui.redraw(RedrawTarget::Melody);
  showDetectedKey(app);
  return 0;
}

int clearSongAfterQuestion(AppContext& app, int mask) {
  const int answer = askSaveChanges(app);
  if (answer != 0) return answer;
  newSong(app.score, mask, app.ui);
  return 0;
}

void bindSongCommands(CommandTable& table) {
  table.bind(cmd::kNew, [](AppContext& app, int) { return clearSongAfterQuestion(app, kNewSongMask); });
  table.bind(cmd::kClearMelodies, [](AppContext& app, int) { return clearSongAfterQuestion(app, kClearMelodies); });
  table.bind(cmd::kClearDrums, [](AppContext& app, int) { return clearSongAfterQuestion(app, kClearDrums); });
  table.bind(cmd::kOpen, openCommand);
}

}  // namespace quorvel
