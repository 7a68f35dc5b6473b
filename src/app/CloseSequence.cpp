#include "app/CloseSequence.h"

#include <chrono>
#include <thread>

#include "app/AppContext.h"
#include "app/SaveChanges.h"
#include "app/StartUp.h"

namespace quorvel {

namespace {

bool cancelGeneration(AppContext& app) { return app.ops.cancelGeneration && app.ops.cancelGeneration(app); }

void storePlacement(AppContext& app, const WindowPlacement& p, bool drumsButtonDown) {
  WindowSettings& w = app.score.settings.window;
  w.left = p.left;
  w.top = p.top;
  w.width = p.width;
  w.height = p.height;
  w.drumsBandShown = storedSwitch(drumsButtonDown);
}

// The infinite loop runs inside a command on this thread: pumping events lets it notice and return.
void waitForInfiniteGeneration(AppContext& app) {
  app.infiniteRunning.store(false);
  while (app.score.hasFlag(kFlagInfinite)) {
    std::this_thread::sleep_for(std::chrono::seconds(1));
    app.ui.pumpEvents();
    endInfiniteGeneration(app);
  }
}

}  // namespace

void endInfiniteGeneration(AppContext& app) {
  if (app.ops.closeInfiniteWindow) app.ops.closeInfiniteWindow(app);
  app.infiniteRunning.store(false);
}

bool runCloseSequence(AppContext& app, const WindowPlacement& placement, bool drumsButtonDown) {
  if (app.infinite()) {
    endInfiniteGeneration(app);
    return false;
  }
  if (app.busy()) {
    cancelGeneration(app);
    return false;
  }
  storePlacement(app, placement, drumsButtonDown);
  if (cancelGeneration(app)) return false;
  if (askSaveChanges(app) != 0) return false;
  waitForInfiniteGeneration(app);
  if (app.ops.stopPlayback) app.ops.stopPlayback(app);
  writeSettingsAtExit(app);
  return true;
}

}  // namespace quorvel
