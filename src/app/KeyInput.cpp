#include "app/KeyInput.h"

#include "app/AppContext.h"
#include "app/CommandIds.h"

namespace quorvel {

namespace {

bool pressNoteKey(AppContext& app, int scanCode) {
  if (!noteKeyOffset(scanCode)) return false;
  const auto offset = app.noteKeys.press(scanCode);
  if (offset && app.ops.noteKeyDown) app.ops.noteKeyDown(app, *offset);
  return true;
}

}  // namespace

bool handleKeyDown(AppContext& app, const KeyChord& chord) {
  const KeyCommand command = decodeKey(chord);
  if (command.id != 0) {
    // Alt+F4 still closes: the close sequence itself ends infinite generation.
    if (chord.alt && app.infinite() && command.id != cmd::kExit) return true;
    dispatch(app, command.id, command.arg);
    return true;
  }
  if (chord.ctrl || chord.alt) return false;
  return pressNoteKey(app, chord.scanCode);
}

void handleKeyUp(AppContext& app, const KeyChord& chord) {
  const auto offset = app.noteKeys.release(chord.scanCode);
  if (offset && app.ops.noteKeyUp) app.ops.noteKeyUp(app, *offset);
}

}  // namespace quorvel
