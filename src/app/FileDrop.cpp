#include "app/FileDrop.h"

#include <fstream>
#include <optional>
#include <sstream>

#include "app/AppContext.h"
#include "app/NoteSequence.h"
#include "base/Messages.h"
#include "app/SaveChanges.h"
#include "app/SongCommands.h"

namespace quorvel {

namespace {

std::optional<std::string> readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return text.str();
}

void showOpenFailure(AppContext& app, const std::string& path) {
  app.ui.messageBox(localized("File could not be created or opened", app.score.settings.general.language), path,
                    MsgIcon::Exclamation, MsgButtons::Ok);
}

int dropNoteSequence(AppContext& app, const std::string& path) {
  const auto text = readWholeFile(path);
  if (!text) {
    showOpenFailure(app, path);
    return -1;
  }
  const int cleared = clearSongAfterQuestion(app, kClearMelodies);
  if (cleared != 0) return cleared;
  const int start = app.ops.remoteEndStep ? app.ops.remoteEndStep(app) : kSongStartStep;
  // The dropped notes are new material: mark the song so that closing asks before losing them.
  if (placeNoteSequence(app.score, *text, start) > 0) markModified(app.score, app.ui);
  clipToTimeline(app.score);
  app.ui.redraw(RedrawTarget::Melody);
  return 0;
}

int dropMidiFile(AppContext& app, const std::string& path) {
  if (!std::ifstream(path, std::ios::binary)) {
    showOpenFailure(app, path);
    return -1;
  }
  const int answer = askSaveChanges(app);
  if (answer != 0) return answer;
  return openSong(app, path);
}

}  // namespace

int dropFiles(AppContext& app, const std::vector<std::string>& paths) {
  // Clearing the melodies under a running generation would pull notes from under it.
  if (paths.empty() || app.busy() || app.infinite()) return -2;
  const std::string& path = paths.front();
  return isNoteSequenceName(path) ? dropNoteSequence(app, path) : dropMidiFile(app, path);
}

}  // namespace quorvel
