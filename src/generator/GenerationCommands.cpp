#include "generator/GenerationCommands.h"

#include <array>
#include <utility>

#include "generator/CounterLines.h"
#include "generator/DrumGeneration.h"
#include "generator/EvokedLines.h"

namespace quorvel {

namespace {

// Voices in all for the local choices of "Number of Counter Lines".
std::optional<int> localCounterVoices(int counterLinesSetting) {
  switch (counterLinesSetting) {
    case 0: return 2;  // "1:1"
    case 3: return 3;  // "1:2"
    case 4: return 4;  // "1:3"
    default: return std::nullopt;
  }
}

}  // namespace

int generateZeroToOneA(GenerationEnv& env) { return generateEvokedLines(env, 1, EvokedSource::Button); }
int generateZeroToTwoA(GenerationEnv& env) { return generateEvokedLines(env, 2, EvokedSource::Button); }
int generateZeroToThreeA(GenerationEnv& env) { return generateEvokedLines(env, 3, EvokedSource::Button); }
int generateZeroToFourA(GenerationEnv& env) { return generateEvokedLines(env, 4, EvokedSource::Button); }
int generateOneToOneA(GenerationEnv& env) { return generateCounterLines(env, 2); }
int generateOneToTwoA(GenerationEnv& env) { return generateCounterLines(env, 3); }
int generateOneToThreeA(GenerationEnv& env) { return generateCounterLines(env, 4); }
int generateZeroToDrumsA(GenerationEnv& env) { return generateDrums(env, false); }
int generateNToDrumsA(GenerationEnv& env) { return generateDrums(env, true); }
int generateZeroToN(GenerationEnv& env) { return generateEvokedLines(env, 0, EvokedSource::Options); }

int generateNToN(GenerationEnv& env) {
  const MelodySettings& settings = env.score.settings.melody;
  const std::optional<int> voices = localCounterVoices(settings[kCounterLines]);
  if (!voices) return -2;
  const int result = generateCounterLines(env, *voices);
  if (result == 0 && settings.isOn(kDrumsAfterCounter) && !settings.isOn(kNnDrumsCounter)) {
    generateDrums(env, true);
  }
  return result;
}

void setLoopButton(GenerationEnv& env, bool down) {
  GenerationState& state = env.state;
  std::int32_t& betweenLocators = env.score.settings.melody[kBetweenLocators];
  if (down == state.loopDown) return;
  state.loopDown = down;
  if (down) {
    state.betweenLocatorsBeforeLoop = betweenLocators;
    betweenLocators = kSwitchOn;
  } else {
    betweenLocators = state.betweenLocatorsBeforeLoop;
  }
}

std::optional<int> runLocalGeneration(GenerationEnv& env, std::string_view label) {
  using Command = int (*)(GenerationEnv&);
  static constexpr std::array<std::pair<std::string_view, Command>, 11> kCommands{{
      {"0to1A", generateZeroToOneA},
      {"0to2A", generateZeroToTwoA},
      {"0to3A", generateZeroToThreeA},
      {"0to4A", generateZeroToFourA},
      {"1to1A", generateOneToOneA},
      {"1to2A", generateOneToTwoA},
      {"1to3A", generateOneToThreeA},
      {"0toDA", generateZeroToDrumsA},
      {"NtoDA", generateNToDrumsA},
      {"0toN", generateZeroToN},
      {"NtoN", generateNToN},
  }};
  for (const auto& [name, command] : kCommands) {
    if (name == label) return command(env);
  }
  return std::nullopt;
}

}  // namespace quorvel
