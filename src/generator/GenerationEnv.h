#pragma once
// What a local generation command works with: the song, the user, the random
// generator, the state kept beside the song between commands, the drum
// pattern library, the save-changes question of the spine and a clock.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/Ui.h"
#include "generator/DrumLibrary.h"
#include "model/Random.h"
#include "model/Score.h"

namespace quorvel {

struct GeneratorContext;

// Lives as long as the application; touched only on the window thread except
// `learningRunning`, which the learning-data conversion sets from its worker.
struct GenerationState {
  bool progressWindowOpen = false;
  // The request that is running, so that Cancel can reach it.
  GeneratorContext* running = nullptr;
  std::atomic<bool> learningRunning{false};
  // Tries the last local request used (all segments together).
  int lastTries = 0;
  // Where the last counter-lines request had to break a rule: one text per
  // place, "rules relaxed at bar B beat b: ..."; empty when it broke none.
  std::vector<std::string> relaxedRules;
  // The "Loop" toolbar button forces "Generate between Locators." while down.
  bool loopDown = false;
  std::int32_t betweenLocatorsBeforeLoop = 0;
};

// Answers of the save-changes question: 0 go on; anything else stops the command.
using SaveChangesQuestion = std::function<int()>;
using MillisecondClock = std::function<std::int64_t()>;

struct GenerationEnv {
  Score& score;
  Ui& ui;
  Random& random;
  GenerationState& state;
  const DrumLibrary& drums;
  SaveChangesQuestion askSaveChanges;
  MillisecondClock nowMs;
};

// The process's millisecond clock, for GenerationEnv::nowMs.
std::int64_t steadyMilliseconds();

// Shows a generation failure or refusal: caption "Quorvel", exclamation icon.
void showGenerationMessage(GenerationEnv& env, const char* english);

}  // namespace quorvel
