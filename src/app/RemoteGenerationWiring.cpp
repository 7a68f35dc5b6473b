// The G buttons, and "0toN"/"NtoN" which go to the server or stay local as
// the options say.
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

using NeuralCommand = int (*)(NeuralEnv&);

int runNeural(AppContext& a, NeuralCommand command) {
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
  return command(env);
}

CommandAction neural(NeuralCommand command, bool drums) {
  return [command, drums](AppContext& a, int) {
    if (drums) enterDrumsEditMode(a);
    return runNeural(a, command);
  };
}

// "0toN"/"NtoN": the server when the options choose the neural generator.
CommandAction localOrNeural(int (*local)(GenerationEnv&), NeuralCommand remote,
                            bool (*isNeural)(const MelodySettings&)) {
  return [local, remote, isNeural](AppContext& a, int) {
    if (isNeural(a.score.settings.melody)) return runNeural(a, remote);
    GenerationEnv env = a.generationEnv();
    return local(env);
  };
}

}  // namespace

void wireRemoteGeneration(AppContext& app) {
  CommandTable& t = app.commands;
  t.bind(cmd::k0to1G, neural(generateZeroToOneG, false));
  t.bind(cmd::k1to1G, neural(generateOneToOneG, false));
  t.bind(cmd::k2to1G, neural(generateTwoToOneG, false));
  t.bind(cmd::k3to1G, neural(generateThreeToOneG, false));
  t.bind(cmd::k1to2G, neural(generateOneToTwoG, false));
  t.bind(cmd::k1to3G, neural(generateOneToThreeG, false));
  t.bind(cmd::k2to2G, neural(generateTwoToTwoG, false));
  t.bind(cmd::k0toDG, neural(generateZeroToDrumsG, true));
  t.bind(cmd::kNtoDG, neural(generateNToDrumsG, true));
  t.bind(cmd::kZeroToN, localOrNeural(generateZeroToN, generateZeroToNG, zeroToNIsNeural));
  t.bind(cmd::kNToN, localOrNeural(generateNToN, generateNToNG, nToNIsNeural));
  app.ops.remoteEndStep = [](AppContext& a) { return a.remote.lastEndX / kStepPixels; };
  app.ops.resetRemoteAlternatives = [](AppContext& a) { a.remote.lastRequestKind = kKindNone; };
}

}  // namespace quorvel
