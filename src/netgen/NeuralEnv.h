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

  Score& score() { return local.score; }
  Ui& ui() { return local.ui; }
  int language() { return local.score.settings.general.language; }
  bool infiniteRunning() const { return local.score.hasFlag(kFlagInfinite); }
};

}  // namespace quorvel
