#include <algorithm>

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/PartSelection.h"
#include "app/SpineCommands.h"

namespace quorvel {

namespace {

void redrawViewsAndRuler(Ui& ui) {
  ui.redraw(RedrawTarget::Melody);
  ui.redraw(RedrawTarget::Drums);
  ui.redraw(RedrawTarget::Ruler);
}

CommandAction selectPart(int part) {
  return [part](AppContext& app, int) {
    setDrumsEditMode(app, false);
    app.score.settings.parts.editPart = part;
    redrawViewsAndRuler(app.ui);
    return 0;
  };
}

CommandAction selectDrumSet(int set) {
  return [set](AppContext& app, int) {
    setDrumsEditMode(app, true);
    app.score.settings.drums.drumSet = set;
    redrawViewsAndRuler(app.ui);
    return 0;
  };
}

int showDrumsBand(AppContext& app, int down) {
  if (down)
    app.score.setFlag(kFlagDrumsBand);
  else
    app.score.clearFlag(kFlagDrumsBand);
  app.ui.showDrumsBand(down != 0);
  return 0;
}

// New-note lengths are kept in pixels, one step being kStepPixels wide.
int setNewNoteLength(AppContext& app, int steps) {
  const bool drums = app.score.drumsEditMode();
  const int longest = drums ? kMaxDrumLength : kMaxMelodyLength;
  int& length = drums ? app.view.newDrumLength : app.view.newNoteLength;
  length = std::clamp(steps, 1, longest) * kStepPixels;
  app.ui.redraw(RedrawTarget::All);
  return 0;
}

int newNoteSteps(const AppContext& app) {
  return (app.score.drumsEditMode() ? app.view.newDrumLength : app.view.newNoteLength) / kStepPixels;
}

}  // namespace

void setDrumsEditMode(AppContext& app, bool on) {
  if (app.score.drumsEditMode() == on) return;
  clearSelection(app.score, app.ui);
  if (on)
    app.score.setFlag(kFlagDrumsEdit);
  else
    app.score.clearFlag(kFlagDrumsEdit);
}

void bindPartCommands(CommandTable& table) {
  table.bind(cmd::kSoprano, selectPart(kSoprano));
  table.bind(cmd::kAlto, selectPart(kAlto));
  table.bind(cmd::kTenor, selectPart(kTenor));
  table.bind(cmd::kBass, selectPart(kBass));
  table.bind(cmd::kDrumsHigh, selectDrumSet(7));
  table.bind(cmd::kDrumsMiddle, selectDrumSet(6));
  table.bind(cmd::kDrumsLow, selectDrumSet(5));
  table.bind(cmd::kDrumsUser, selectDrumSet(4));
  table.bind(cmd::kDrums, showDrumsBand);
  table.bind(cmd::kSelectMode, [](AppContext& app, int) { app.view.tool = ViewTool::Select; return 0; });
  table.bind(cmd::kGenerateMode, [](AppContext& app, int) { app.view.tool = ViewTool::Generate; return 0; });
  table.bind(cmd::kShorterNewNote, [](AppContext& app, int) { return setNewNoteLength(app, newNoteSteps(app) - 1); });
  table.bind(cmd::kLongerNewNote, [](AppContext& app, int) { return setNewNoteLength(app, newNoteSteps(app) + 1); });
  table.bind(cmd::kNewNoteLength, setNewNoteLength);
}

}  // namespace quorvel
