#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/SpineCommands.h"
#include "app/ViewRuler.h"

namespace quorvel {

namespace {

// The ruler remembered where its menu was opened; the marker goes there.
int setMarkerHere(AppContext& app, int id) {
  ViewRuler ruler(app.score, app.ui, app.view, app.transport);
  if (!ruler.applyMenuCommand(id, app.rulerX)) return -2;
  if (id == cmd::kSetLeftLocatorHere && app.ops.resetRemoteAlternatives) app.ops.resetRemoteAlternatives(app);
  app.ui.redraw(RedrawTarget::Ruler);
  app.ui.redraw(RedrawTarget::Melody);
  app.ui.redraw(RedrawTarget::Drums);
  return 0;
}

}  // namespace

void bindMarkerCommands(CommandTable& table) {
  for (int id : {cmd::kSetCueHere, cmd::kSetLeftLocatorHere, cmd::kSetRightLocatorHere, cmd::kSetEndIndicatorHere})
    table.bind(id, [id](AppContext& app, int) { return setMarkerHere(app, id); });
}

}  // namespace quorvel
