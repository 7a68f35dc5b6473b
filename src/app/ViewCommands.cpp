#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/SpineCommands.h"
#include "app/ViewZoom.h"

namespace quorvel {

namespace {

// Zoom changes only the view: the panes redraw, the song stays as it is.
CommandAction zoomCommand(bool (*zoom)(ViewState&, const Score&)) {
  return [zoom](AppContext& app, int) {
    if (!zoom(app.view, app.score)) return -2;
    app.ui.redraw(RedrawTarget::All);
    return 0;
  };
}

}  // namespace

void bindViewCommands(CommandTable& table) {
  table.bind(cmd::kZoomIn, zoomCommand([](ViewState& v, const Score& s) { return zoomTimeSteps(v, s, 1); }));
  table.bind(cmd::kZoomOut, zoomCommand([](ViewState& v, const Score& s) { return zoomTimeSteps(v, s, -1); }));
  table.bind(cmd::kFitSong, zoomCommand(fitSong));
}

}  // namespace quorvel
