#include "app/RealtimeInput.h"

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/SaveChanges.h"
#include "playback/Player.h"

namespace quorvel {

std::string realtimeChoiceRefusal(const RealtimeChoice& choice, int editPart) {
  if (choice.partners > editPart) return "You can't generate lines with selecting part";
  return {};
}

int realtimeModeOf(const RealtimeChoice& choice) {
  return kRealtimeOn | (choice.record ? kRealtimeRecord : 0) | (choice.monophonic ? kRealtimeMonophonic : 0);
}

void GeneratorPartners::answer(int count, int playedKey, std::array<int, kMaxPartners>& pitches) {
  PartnerPitches out{};
  partners_.realtimeVoices(score_.settings.melody, count, playedKey, out);
  pitches = out;
}

namespace {

void stopPlayer(AppContext& app) {
  if (app.ops.stopPlayback) app.ops.stopPlayback(app);
}

}  // namespace

int startRealtimeMode(AppContext& app, NotePreview& preview, const RealtimeChoice& choice) {
  if (choice.record) {
    if (askSaveChanges(app) != 0) return -2;
    clearAll(app.score, app.ui);
    app.ui.redraw(RedrawTarget::All);
  }
  preview.startRealtime(choice.partners, realtimeModeOf(choice));
  // Twice: the first may only pause a player that is still starting.
  stopPlayer(app);
  stopPlayer(app);
  return 0;
}

void stopRealtimeMode(AppContext& app, NotePreview& preview) {
  if (app.player) app.player->pause();
  preview.stopRealtime();
  preview.writeFinishedNotes();
}

void wireRealtimeInput(AppContext& app, NotePreview& preview) {
  app.ops.noteKeyDown = [&preview](AppContext&, int offset) { preview.keyPressed(offset, kSourceKeyboard); };
  app.ops.noteKeyUp = [&preview](AppContext&, int offset) { preview.keyReleased(offset, kSourceKeyboard); };
  app.commands.bind(cmd::kStopPreviewNote, [&preview](AppContext&, int) {
    preview.stopPreviewNote();
    return 0;
  });
  // "Stop" during real-time input ends the take first; otherwise it stops as before.
  const Command* stop = app.commands.find(cmd::kStop);
  CommandAction plainStop = stop ? stop->action : CommandAction{};
  app.commands.bind(cmd::kStop, [&preview, plainStop](AppContext& a, int arg) {
    if ((preview.realtimeMode() & kRealtimeRecord) && !a.infinite()) {
      stopRealtimeMode(a, preview);
      return 0;
    }
    return plainStop ? plainStop(a, arg) : -2;
  });
}

}  // namespace quorvel
