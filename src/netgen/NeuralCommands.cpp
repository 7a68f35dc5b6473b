#include "netgen/NeuralCommands.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "generator/DrumGeneration.h"
#include "generator/EvokedLines.h"
#include "generator/GenerationBusy.h"
#include "generator/Region.h"
#include "netgen/NeuralFunctions.h"

namespace quorvel {

namespace {

using CounterFunction = int (*)(NeuralEnv&, int);

// One counter mode; part offsets count down from the edit part e.
struct CounterMode {
  int minEditPart;
  std::vector<int> mustHoldNotes;  // e - k
  int regionTop;                   // e - k
  int regionParts;
  std::vector<int> clearedParts;   // e - k
  std::vector<std::pair<CounterFunction, int>> chain;  // function and its target e - k
};

const std::array<CounterMode, 6>& counterModes() {
  static const std::array<CounterMode, 6> modes{{
      {1, {}, 1, 1, {1}, {{nnCounter1to1, 1}}},
      {2, {1}, 2, 1, {2}, {{nnCounter2to1, 2}}},
      {3, {1, 2}, 3, 1, {3}, {{nnCounter3to1, 3}}},
      {2, {}, 1, 2, {1, 2}, {{nnCounter1to1, 1}, {nnCounter2to1, 2}}},
      {3, {}, 1, 3, {1, 2, 3}, {{nnCounter1to1, 1}, {nnCounter2to1, 2}, {nnCounter3to1, 3}}},
      {3, {1}, 2, 2, {2, 3}, {{nnCounter2to1, 2}, {nnCounter3to1, 3}}},
  }};
  return modes;
}

constexpr int kOneToThreeG = 4;

bool partEmpty(const Score& score, int part) {
  return part < kBassSet || score.noteSets[static_cast<std::size_t>(part)].empty();
}

// Checks the selection and empties what the mode's lines replace. Answers 0
// to go on, or the command's result.
int prepareCounterRegion(NeuralEnv& env, const CounterMode& mode, int e, int chainStart) {
  Score& score = env.score();
  if (e < mode.minEditPart) {
    showGenerationMessage(env.local, "You can't generate counter lines with selecting part");
    return -1;
  }
  for (int k : mode.mustHoldNotes) {
    if (partEmpty(score, e - k)) {
      showGenerationMessage(env.local, "Selecting part is empty");
      return -1;
    }
  }
  if (chainStart > kSongStartX) return 0;
  if (score.settings.melody.isOn(kBetweenLocators)) {
    Region region;
    if (takeLocatorRegion(env.local, partsDownFrom(e - mode.regionTop, mode.regionParts), region) != 0) return -1;
    env.remote.generationStart = region.startX;
  } else {
    for (int k : mode.clearedParts) removeSet(score, e - k);
    score.settings.parts.editPart = e;
  }
  return 0;
}

// Where the lines above the target start: the first notes of parts e down
// to target + 1.
void setStartAboveTarget(NeuralEnv& env, int e, int target) {
  env.remote.generationStart = firstNoteX(env.score(), e, target + 1);
}

int runCounterChain(NeuralEnv& env, int m, const CounterMode& mode, int e, int chainStart) {
  const bool between = env.score().settings.melody.isOn(kBetweenLocators);
  for (std::size_t i = 0; i < mode.chain.size(); ++i) {
    const auto [function, k] = mode.chain[i];
    const int target = e - k;
    if (m != kOneToThreeG) {
      setStartAboveTarget(env, e, target);
    } else {
      const bool recompute = i == 0 ? chainStart <= kSongStartX && !between : !between;
      if (recompute) setStartAboveTarget(env, e, target);
      if (i == 1) env.remote.decodePosition = env.remote.generationStart;
      if (i >= 1) env.remote.generationPosition = env.remote.generationStart;
    }
    if (function(env, target) != 0) return -1;
  }
  return 0;
}

int neuralDrumsWhileBusy(NeuralEnv& env, NeuralDrumsKind kind, int startX);

int neuralCounterWhileBusy(NeuralEnv& env, int m, int chainStart) {
  Score& score = env.score();
  const MelodySettings settings = score.settings.melody;
  const bool fromSettings = m == kCounterModeFromSettings;
  if (fromSettings) m = settings[kCounterLines];
  if (m < 0 || m >= static_cast<int>(counterModes().size())) return -2;
  const CounterMode& mode = counterModes()[static_cast<std::size_t>(m)];
  const int e = score.editPart();
  if (partEmpty(score, e)) {
    showGenerationMessage(env.local, "Selecting part is empty");
    return -1;
  }
  if (!score.hasFlag(kFlagUntouchedResult) && !partEmpty(score, e - 1) && env.local.askSaveChanges() != 0) return -2;
  score.clearFlag(kFlagDrumsEdit);
  env.ui().redraw(RedrawTarget::Melody);
  if (const int prepared = prepareCounterRegion(env, mode, e, chainStart); prepared != 0) return prepared;
  if (runCounterChain(env, m, mode, e, chainStart) != 0) return -1;
  env.ui().redraw(RedrawTarget::Melody);
  markModified(score, env.ui());
  score.setFlag(kFlagUntouchedResult);
  if (fromSettings && chainStart == 0 && settings.isOn(kDrumsAfterCounter)) {
    if (settings.isOn(kNnDrumsCounter))
      neuralDrumsWhileBusy(env, NeuralDrumsKind::AlongParts, env.remote.generationStart);
    else
      generateDrumsWhileBusy(env.local, true, env.remote.generationStart);
  }
  return 0;
}

// Where "0toDG" continues the existing drums: after the step of the last one.
int drumsEndX(const Score& score) {
  const NoteSet& drums = score.noteSets[kDrumsView];
  return drums.empty() ? kSongStartX : kStepPixels * (noteStart(*drums.rbegin()) + 1);
}

int neuralDrumsWhileBusy(NeuralEnv& env, NeuralDrumsKind kind, int startX) {
  Score& score = env.score();
  const MelodySettings settings = score.settings.melody;
  const bool along = kind == NeuralDrumsKind::AlongParts;
  const bool between = settings.isOn(kBetweenLocators);
  bool extend = settings.isOn(kExtendExisting);
  if (along && (startX <= kSongStartX || startX == env.remote.generationStart)) extend = false;
  if (!score.hasFlag(kFlagUntouchedResult) && !extend && env.local.askSaveChanges() != 0) return -2;
  bool clear = false;
  if (!along && !between) {
    env.remote.generationStart = extend ? drumsEndX(score) : kSongStartX;
    clear = !extend;
  } else if (along && score.noteSets[kMelodyView].empty()) {
    showGenerationMessage(env.local, "Selecting part is empty");
    return -1;
  } else if (along && !between) {
    // The drums follow the parts from where they begin.
    env.remote.generationStart = startX;
    clear = true;
  } else {
    Region region;
    if (takeLocatorRegion(env.local, allDrumSets(), region) != 0) return -1;
    env.remote.generationStart = region.startX;
  }
  if (clear) newSong(score, kClearDrums, env.ui());
  const GeneratorNnSettings& rates = score.settings.generatorNn;
  const std::size_t rateKind = along ? 2 : 1;
  const int result = along ? nnMelodyToDrums(env, rates.quantizeRate[rateKind], rates.shuffleRate[rateKind])
                           : nnDrums(env, rates.quantizeRate[rateKind], rates.shuffleRate[rateKind]);
  // Only a placed result may be replaced later without the save-changes question.
  if (result != 0) return result;
  score.settings.drums.drumSet = kDrumSet3;
  markModified(score, env.ui());
  score.setFlag(kFlagUntouchedResult);
  return 0;
}

// The end x of the edit part's last note: where counter lines that follow a
// new melody know it was made.
int melodyEndX(const Score& score) {
  const NoteSet& part = score.noteSets[static_cast<std::size_t>(score.editPart())];
  int end = kSongStartX;
  for (NoteCode c : part) end = std::max(end, kStepPixels * (noteStart(c) + melodyLength(c)));
  return end;
}

// The evoked-lines command with the neural bit: region, nnMelody, and the
// counter lines of voiceCount - 1 below it.
int neuralEvokedWhileBusy(NeuralEnv& env, int voiceCount, EvokedSource source) {
  Score& score = env.score();
  env.local.random.seed(static_cast<std::uint32_t>(env.local.nowMs()));
  if (score.editPart() - (voiceCount - 1) < 0) {
    showGenerationMessage(env.local, "You can't generate lines with selecting part");
    return -2;
  }
  int startX = kSongStartX, beats = 0;
  if (const int prepared = prepareEvokedRegion(env.local, source, voiceCount, true, startX, beats); prepared != 0)
    return prepared;
  if (score.settings.melody.isOn(kBetweenLocators)) env.remote.generationPosition = startX;
  // Only a placed result may be replaced later without the save-changes question.
  if (nnMelody(env) != 0) return -1;
  markModified(score, env.ui());
  score.setFlag(kFlagUntouchedResult);
  if (voiceCount < 2) return 0;
  static constexpr int kChainOfVoices[] = {0, 0, 0, 3, 4};  // 0:2 "1to1G", 0:3 "1to2G", 0:4 "1to3G"
  env.remote.generationStart = env.remote.generationPosition;
  return neuralCounterWhileBusy(env, kChainOfVoices[voiceCount], std::max(melodyEndX(score), kSongStartX + 1));
}

}  // namespace

int neuralCounterCommand(NeuralEnv& env, int mode, int chainStart) {
  BusyScope busy(env.local);
  if (!busy.acquired()) return -2;
  return neuralCounterWhileBusy(env, mode, chainStart);
}

int neuralDrumsCommand(NeuralEnv& env, NeuralDrumsKind kind, int startX) {
  BusyScope busy(env.local);
  if (!busy.acquired()) return -2;
  return neuralDrumsWhileBusy(env, kind, startX);
}

int neuralMelodyCommand(NeuralEnv& env) {
  BusyScope busy(env.local);
  if (!busy.acquired()) return -2;
  return neuralEvokedWhileBusy(env, 1, EvokedSource::Button);
}

bool zeroToNIsNeural(const MelodySettings& settings) {
  if (settings[kEvokedLines] == kDrumsOnlyEvokedLines) return settings.isOn(kNnDrumsEvoked);
  return settings.isOn(kNnMelody);
}

bool nToNIsNeural(const MelodySettings& settings) {
  const int lines = settings[kCounterLines];
  const bool localForm = lines == 0 || lines == 3 || lines == 4;  // "1:1", "1:2", "1:3"
  return settings.isOn(kNnMelody) || !localForm;
}

int generateZeroToNG(NeuralEnv& env) {
  const MelodySettings settings = env.score().settings.melody;
  if (settings[kEvokedLines] == kDrumsOnlyEvokedLines) {
    const int result = neuralDrumsCommand(env, NeuralDrumsKind::AfterDrums, kSongStartX);
    env.ui().redraw(RedrawTarget::All);
    return result;
  }
  int result = 0;
  {
    BusyScope busy(env.local);
    if (!busy.acquired()) return -2;
    result = neuralEvokedWhileBusy(env, settings[kEvokedLines] + 1, EvokedSource::Options);
    if (result == 0 && settings.isOn(kDrumsAfterEvoked) && settings.isOn(kNnDrumsEvoked))
      neuralDrumsWhileBusy(env, NeuralDrumsKind::AlongParts, env.remote.generationPosition);
  }
  if (result == 0 && settings.isOn(kDrumsAfterEvoked) && !settings.isOn(kNnDrumsEvoked))
    generateDrums(env.local, true, env.remote.generationPosition);
  return result;
}

int generateZeroToOneG(NeuralEnv& env) { return neuralMelodyCommand(env); }
int generateOneToOneG(NeuralEnv& env) { return neuralCounterCommand(env, 0); }
int generateTwoToOneG(NeuralEnv& env) { return neuralCounterCommand(env, 1); }
int generateThreeToOneG(NeuralEnv& env) { return neuralCounterCommand(env, 2); }
int generateOneToTwoG(NeuralEnv& env) { return neuralCounterCommand(env, 3); }
int generateOneToThreeG(NeuralEnv& env) { return neuralCounterCommand(env, 4); }
int generateTwoToTwoG(NeuralEnv& env) { return neuralCounterCommand(env, 5); }
int generateZeroToDrumsG(NeuralEnv& env) { return neuralDrumsCommand(env, NeuralDrumsKind::AfterDrums, kSongStartX); }

int generateNToDrumsG(NeuralEnv& env) {
  env.score().setFlag(kFlagDrumsEdit);
  return neuralDrumsCommand(env, NeuralDrumsKind::AlongParts, firstNoteX(env.score(), kSopranoSet, kBassSet));
}

int generateNToNG(NeuralEnv& env) { return neuralCounterCommand(env, kCounterModeFromSettings); }

std::optional<int> runNeuralGeneration(NeuralEnv& env, std::string_view label) {
  static constexpr std::array<std::pair<std::string_view, int (*)(NeuralEnv&)>, 11> kCommands{{
      {"0to1G", generateZeroToOneG},
      {"1to1G", generateOneToOneG},
      {"2to1G", generateTwoToOneG},
      {"3to1G", generateThreeToOneG},
      {"1to2G", generateOneToTwoG},
      {"1to3G", generateOneToThreeG},
      {"2to2G", generateTwoToTwoG},
      {"0toDG", generateZeroToDrumsG},
      {"NtoDG", generateNToDrumsG},
      {"0toN", generateZeroToNG},
      {"NtoN", generateNToNG},
  }};
  for (const auto& [name, command] : kCommands)
    if (name == label) return command(env);
  return std::nullopt;
}

std::optional<int> pressNeuralButton(NeuralEnv& env, std::string_view label, int times) {
  std::optional<int> result;
  for (int press = 0; press < times && (!result || *result == 0); ++press) {
    result = runNeuralGeneration(env, label);
    if (!result) break;
  }
  return result;
}

int candidateCount(const RemoteState& state) {
  return static_cast<int>(std::count_if(state.candidateRows.begin(), state.candidateRows.end(),
                                        [](const std::string& row) { return !row.empty(); }));
}

}  // namespace quorvel
