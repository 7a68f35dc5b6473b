#include "app/FileDrop.h"

#include <charconv>
#include <cstdint>
#include <fstream>
#include <optional>
#include <sstream>

#include "app/AppContext.h"
#include "base/Messages.h"
#include "app/SaveChanges.h"
#include "app/SongCommands.h"

namespace quorvel {

namespace {

constexpr std::uint32_t kNoteBits = kStepDelta - 1;  // the low 18 bits: key, length, part

std::optional<std::uint32_t> parseHexCode(std::string_view token) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value, 16);
  if (error != std::errc() || end != token.data() + token.size()) return std::nullopt;
  return value;
}

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

bool isNoteSequenceName(std::string_view path) {
  if (path.size() < 2) return false;
  const char letter = path[path.size() - 2];
  const char digit = path.back();
  return letter == 'g' && digit >= '1' && digit <= '4';
}

int placeNoteSequence(Score& s, std::string_view text, int startStep) {
  int position = startStep;
  int placed = 0;
  std::istringstream tokens{std::string(text)};
  for (std::string token; tokens >> token && position < kTimelineEndStep;) {
    const auto code = parseHexCode(token);
    if (!code) break;
    if ((*code & kNoteBits) != 0) {
      const NoteCode note = withStart(withLowBits(*code & ~kDrumFlag, kSoprano), position);
      addNote(s, kSopranoSet, note);
      ++placed;
      position += melodyLength(note);
    } else if (*code >= kStepDelta) {
      position += static_cast<int>(*code >> kStartShift);
    } else {
      break;
    }
  }
  return placed;
}

int dropFiles(AppContext& app, const std::vector<std::string>& paths) {
  // Clearing the melodies under a running generation would pull notes from under it.
  if (paths.empty() || app.busy() || app.infinite()) return -2;
  const std::string& path = paths.front();
  return isNoteSequenceName(path) ? dropNoteSequence(app, path) : dropMidiFile(app, path);
}

}  // namespace quorvel
