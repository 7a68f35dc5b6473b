#include "generator/GenerationEnv.h"

#include <chrono>

#include "base/Messages.h"

namespace quorvel {

std::int64_t steadyMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void showGenerationMessage(GenerationEnv& env, const char* english) {
  env.ui.messageBox(localized(english, env.score.settings.general.language), "Quorvel", MsgIcon::Exclamation,
                    MsgButtons::Ok);
}

}  // namespace quorvel
