#include "app/CommandTable.h"

#include <algorithm>
#include <initializer_list>

#include "app/AppContext.h"
#include "app/CommandFeedback.h"
#include "app/CommandIds.h"
#include "model/CommandUndo.h"
#include "model/Score.h"

namespace quorvel {

namespace {

struct Rule {
  Guard guard;
  bool clipAfter;
  std::initializer_list<int> ids;
};

// Generation commands refuse while infinite generation runs; the generators
// themselves refuse a second run while busy.
const Rule kRules[] = {
    {Guard::NotBusy, false,
     {cmd::kNew, cmd::kOpen, cmd::kSave, cmd::kSaveAs, cmd::kUndo, cmd::kRedo, cmd::kDelete, cmd::kCut,
      cmd::kPaste, cmd::kRegulateBarLength, cmd::kTrimOpeningSilence, cmd::kTrimOpeningSilenceDrums,
      cmd::kReduceNoteValues, cmd::kDivideIntoParts, cmd::kDetectKeyNote, cmd::kDetectAndApplyKeyNote,
      cmd::kFitKeyNoteToC3, cmd::kStopPreviewNote, cmd::kExportBetweenLocators, cmd::kExportForOtherPrograms,
      cmd::kExportMusicXml, cmd::kExportMusicXmlTwoStaves, cmd::kExportPdf, cmd::kAnalyseFolder,
      cmd::kCheckVoiceLeading}},
    {Guard::NotBusyOrInfinite, false,
     {cmd::kClearMelodies, cmd::kClearDrums, cmd::kQuantizeToGrid, cmd::kQuantizeToOtherPart, cmd::kShuffle,
      cmd::kInfinite}},
    {Guard::NotInfinite, true,
     {cmd::kZeroToN, cmd::kNToN, cmd::k0to1G, cmd::k0to1A, cmd::k0to2A, cmd::k0to3A, cmd::k0to4A, cmd::k1to1G,
      cmd::k2to1G, cmd::k3to1G, cmd::k1to1A, cmd::k1to2A, cmd::k1to3A, cmd::k1to2G, cmd::k1to3G, cmd::k2to2G,
      cmd::k0toDG, cmd::kNtoDG, cmd::k0toDA, cmd::kNtoDA}},
    {Guard::None, false,
     {cmd::kExit, cmd::kSelectAll, cmd::kOptions, cmd::kHelp, cmd::kVersion,
      cmd::kSetCueHere, cmd::kSetLeftLocatorHere, cmd::kSetRightLocatorHere, cmd::kSetEndIndicatorHere,
      cmd::kRealTime, cmd::kPlay, cmd::kStop, cmd::kSelectMode, cmd::kGenerateMode, cmd::kTest, cmd::kPrev,
      cmd::kForward, cmd::kPause, cmd::kLoop, cmd::kOptionsButton, cmd::kSoprano, cmd::kAlto, cmd::kTenor,
      cmd::kBass, cmd::kDrums, cmd::kDrumsHigh, cmd::kDrumsMiddle, cmd::kDrumsLow, cmd::kDrumsUser, cmd::kMute,
      cmd::kMuteDrums, cmd::kCopy, cmd::kShorterNewNote, cmd::kLongerNewNote, cmd::kNewNoteLength,
      cmd::kConvertToLearningSchedule, cmd::kConvertToRegulatedFormat, cmd::kZoomIn, cmd::kZoomOut, cmd::kFitSong}},
};

}  // namespace

CommandTable::CommandTable() {
  // emplace keeps the first rule that names an id.
  for (const Rule& rule : kRules)
    for (int id : rule.ids) commands_.emplace(id, Command{rule.guard, rule.clipAfter, {}});
}

bool CommandTable::bind(int id, CommandAction action) {
  auto it = commands_.find(id);
  if (it == commands_.end()) return false;
  it->second.action = std::move(action);
  return true;
}

const Command* CommandTable::find(int id) const {
  auto it = commands_.find(id);
  return it == commands_.end() ? nullptr : &it->second;
}

bool CommandTable::isBound(int id) const {
  const Command* c = find(id);
  return c && c->action;
}

std::vector<int> CommandTable::ids() const {
  std::vector<int> out;
  for (const auto& [id, command] : commands_) out.push_back(id);
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<int> CommandTable::unboundIds() const {
  std::vector<int> out;
  for (int id : ids())
    if (!isBound(id)) out.push_back(id);
  return out;
}

bool isRefused(const AppContext& app, Guard guard) {
  const bool busy = app.busy();
  const bool infinite = app.infinite();
  switch (guard) {
    case Guard::NotBusy: return busy;
    case Guard::NotInfinite: return infinite;
    case Guard::NotBusyOrInfinite: return busy || infinite;
    case Guard::None: break;
  }
  return false;
}

int dispatch(AppContext& app, int id, int arg) {
  const Command* command = app.commands.find(id);
  if (!command || isRefused(app, command->guard)) return -2;
  if (!command->action) return -1;
  const auto run = [&] { return command->action(app, arg); };
  const FeedbackTexts* feedback = feedbackFor(id);
  if (!command->clipAfter) return feedback ? runWithFeedback(app, id, *feedback, run) : run();
  // A generation command, clipping included, is undone as one step across every set it touched.
  CommandUndo undoStep(app.score);
  const int result = feedback ? runWithFeedback(app, id, *feedback, run) : run();
  clipToTimeline(app.score);
  app.ui.redraw(RedrawTarget::All);
  undoStep.commit();
  return result;
}

}  // namespace quorvel
