// The G buttons, and "0toN"/"NtoN" which go to the server or stay local as
// the options say.
#include <string_view>

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/PartSelection.h"
#include "app/ViewGeometry.h"
#include "app/Wiring.h"
#include "base/Messages.h"
#include "generator/GenerationCommands.h"
#include "netgen/NeuralCommands.h"
#include "playback/Player.h"

namespace quorvel {

namespace {

int runNeural(AppContext& a, std::string_view label) {
  GenerationEnv local = a.generationEnv();
  if (!a.remoteClient) {
    showGenerationMessage(local, "Failed to connect to the server.");
    return -1;
  }
  NeuralEnv env{local, a.remote, *a.remoteClient, {}, {}, {}};
  if (a.player) env.resetOutput = [player = a.player] { player->device().reset(); };
  env.scrollTo = [&a](int x) {
    a.view.scrollX = x;
    clampScroll(a.view);
    a.ui.redraw(RedrawTarget::All);
  };
  return runNeuralGeneration(env, label).value_or(-2);
}

CommandAction neural(std::string_view label, bool drums) {
  return [label, drums](AppContext& a, int) {
    if (drums) enterDrumsEditMode(a);
    return runNeural(a, label);
  };
}

// "0toN"/"NtoN": the server when the options choose the neural generator.
CommandAction localOrNeural(std::string_view label, bool (*isNeural)(const MelodySettings&)) {
  return [label, isNeural](AppContext& a, int) {
    if (isNeural(a.score.settings.melody)) return runNeural(a, label);
    GenerationEnv env = a.generationEnv();
    return runLocalGeneration(env, label).value_or(-2);
  };
}

}  // namespace

void wireRemoteGeneration(AppContext& app) {
  CommandTable& t = app.commands;
  t.bind(cmd::k0to1G, neural("0to1G", false));
  t.bind(cmd::k1to1G, neural("1to1G", false));
  t.bind(cmd::k2to1G, neural("2to1G", false));
  t.bind(cmd::k3to1G, neural("3to1G", false));
  t.bind(cmd::k1to2G, neural("1to2G", false));
  t.bind(cmd::k1to3G, neural("1to3G", false));
  t.bind(cmd::k2to2G, neural("2to2G", false));
  t.bind(cmd::k0toDG, neural("0toDG", true));
  t.bind(cmd::kNtoDG, neural("NtoDG", true));
  t.bind(cmd::kZeroToN, localOrNeural("0toN", zeroToNIsNeural));
  t.bind(cmd::kNToN, localOrNeural("NtoN", nToNIsNeural));
  app.ops.remoteEndStep = [](AppContext& a) { return a.remote.lastEndX / kStepPixels; };
  app.ops.resetRemoteAlternatives = [](AppContext& a) { a.remote.lastRequestKind = kKindNone; };
}

}  // namespace quorvel
