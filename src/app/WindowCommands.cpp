#include "app/AppContext.h"
#include "app/CloseSequence.h"
#include "app/CommandIds.h"
#include "app/SpineCommands.h"

namespace quorvel {

namespace {

int stopButton(AppContext& app, int) {
  if (app.score.hasFlag(kFlagInfinite) || app.infinite()) {
    endInfiniteGeneration(app);
    return 0;
  }
  if (app.ops.stopPlayback) app.ops.stopPlayback(app);
  return 0;
}

}  // namespace

void bindWindowCommands(CommandTable& table) {
  table.bind(cmd::kExit, [](AppContext& app, int) { app.ui.requestClose(); return 0; });
  table.bind(cmd::kStop, stopButton);
}

}  // namespace quorvel
