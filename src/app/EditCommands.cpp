#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/SpineCommands.h"

namespace quorvel {

namespace {

RedrawTarget activeView(const Score& s) { return s.drumsEditMode() ? RedrawTarget::Drums : RedrawTarget::Melody; }

int selectAll(AppContext& app, int) {
  Score& s = app.score;
  {
    std::lock_guard lock(s.noteMutex);
    s.noteSets[kSelection] = s.noteSets[static_cast<std::size_t>(s.activeSet())];
  }
  s.selectionBounds = computeSelectionBounds(s);
  app.ui.redraw(activeView(s));
  return 0;
}

int pasteClipboard(AppContext& app, int) {
  paste(app.score);
  app.ui.redraw(activeView(app.score));
  return 0;
}

}  // namespace

void bindEditCommands(CommandTable& table) {
  table.bind(cmd::kUndo, [](AppContext& app, int) { undo(app.score, app.ui); return 0; });
  table.bind(cmd::kRedo, [](AppContext& app, int) { redo(app.score, app.ui); return 0; });
  table.bind(cmd::kDelete, [](AppContext& app, int) { deleteSelection(app.score, app.ui); return 0; });
  table.bind(cmd::kCopy, [](AppContext& app, int) { copySelection(app.score); return 0; });
  table.bind(cmd::kCut, [](AppContext& app, int) { cutSelection(app.score, app.ui); return 0; });
  table.bind(cmd::kPaste, pasteClipboard);
  table.bind(cmd::kSelectAll, selectAll);
}

}  // namespace quorvel
