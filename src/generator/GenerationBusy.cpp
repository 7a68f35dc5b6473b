#include "generator/GenerationBusy.h"

namespace quorvel {

BusyScope::BusyScope(GenerationEnv& env) : score_(env.score) {
  if (env.state.learningRunning.load()) {
    showGenerationMessage(env, "Now Learning");
    return;
  }
  const std::uint32_t before = score_.stateFlags.fetch_or(kFlagGenerating);
  acquired_ = (before & kFlagGenerating) == 0;
}

BusyScope::~BusyScope() {
  if (acquired_) score_.clearFlag(kFlagGenerating);
}

}  // namespace quorvel
