#pragma once
// What a G function works with: the local generation environment (song, user,
// random generator, busy state, save-changes question), the reply state of
// the G modes, the connection to the server, and the MIDI output's reset.
#include <functional>

#include "generator/GenerationEnv.h"
#include "netgen/RemoteClient.h"
#include "netgen/RemoteState.h"

namespace quorvel {

struct NeuralEnv {
  GenerationEnv& local;
  RemoteState& remote;
  RemoteClient& client;
  // Silences every sounding note before a new request; empty without a device.
  std::function<void()> resetOutput;
  // Scrolls the panes so that timeline x is at their left edge; empty headless.
  std::function<void(int x)> scrollTo;
  // Set by infinite generation: requests wait while it answers true (it
  // pumps the infinite window) instead of showing the progress window, and
  // failures are left in `remote.lastError` instead of a message box.
  std::function<bool()> keepWaiting;

  Score& score() { return local.score; }
  Ui& ui() { return local.ui; }
  int language() { return local.score.settings.general.language; }
  bool infiniteRunning() const { return local.score.hasFlag(kFlagInfinite); }
  // After a new reply: the panes show the generation from a bar before it.
  void showGenerationAt(int startX) {
    if (scrollTo) scrollTo(startX - 80 > kSongStartX ? startX - 80 : kSongStartX);
  }
};

}  // namespace quorvel
