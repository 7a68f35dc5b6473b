// "Inf.": infinite generation over the player, with the window's Stop, the
// toolbar's Stop and closing the main window all ending the run.
#include <chrono>
#include <ctime>
#include <thread>

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/Wiring.h"
#include "generator/GenerationEnv.h"
#include "netgen/InfiniteGeneration.h"
#include "playback/Player.h"

namespace quorvel {

namespace {

constexpr auto kLoopPause = std::chrono::milliseconds(2);

// The player, or (without sound, as in tests) a cue that only moves.
class PlayerTransport : public InfiniteTransport {
 public:
  PlayerTransport(Score& score, Player* player) : score_(score), player_(player) {}
  void play() override {
    if (player_) player_->play();
  }
  void pause() override {
    if (player_) player_->pauseAndWait();
  }
  void moveCueTo(int x) override {
    if (player_)
      player_->moveCueTo(x);
    else
      score_.cueIndicator.store(x);
  }
  void stop() override {
    if (player_) player_->stop();
  }

 private:
  Score& score_;
  Player* player_;
};

std::tm localNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

int runInfinite(AppContext& a) {
  GenerationEnv local = a.generationEnv();
  if (!a.remoteClient) {
    showGenerationMessage(local, "Failed to connect to the server.");
    return -1;
  }
  NeuralEnv neural{local, a.remote, *a.remoteClient, {}, {}, {}};
  PlayerTransport transport(a.score, a.player);
  InfiniteEnv env{neural, a.infiniteStock, transport, a.infiniteRunning, localNow,
                  [] { std::this_thread::sleep_for(kLoopPause); }};
  return runInfiniteGeneration(env);
}

}  // namespace

void wireInfiniteGeneration(AppContext& app) {
  app.commands.bind(cmd::kInfinite, [](AppContext& a, int) { return runInfinite(a); });
  app.ops.closeInfiniteWindow = [](AppContext& a) { a.ui.closeInfiniteWindow(); };
}

}  // namespace quorvel
