// nnDrums and nnMelodyToDrums: drum parts from the server.
#include <algorithm>
#include <optional>

#include "netgen/NeuralFunctions.h"
#include "netgen/NeuralSupport.h"

namespace quorvel {

namespace {

constexpr int kLastGenerationX = kTimelineEndX - 80;

std::array<const NoteSet*, 4> melodyParts(const Score& score) {
  return {&score.noteSets[kBassSet], &score.noteSets[kTenorSet], &score.noteSets[kAltoSet],
          &score.noteSets[kSopranoSet]};
}

// The greatest end x over the last notes of the four parts.
int lastNotesEnd(const Score& score) {
  int end = 0;
  for (const NoteSet* set : melodyParts(score))
    if (!set->empty()) end = std::max(end, kStepPixels * (noteStart(*set->rbegin()) + melodyLength(*set->rbegin())));
  return end;
}

// The shown row as drums of the request type.
std::optional<DecodedDrums> decodeShownDrums(NeuralEnv& env, RequestType type) {
  const Score& score = env.score();
  const MelodySettings& settings = score.settings.melody;
  int start = env.remote.decodePosition, end = kTimelineEndX;
  if (settings.isOn(kBetweenLocators)) {
    start = env.remote.generationPosition;
  } else if (type == RequestType::MelodyToDrums) {
    end = lastNotesEnd(score) - 10;
  } else {
    end = start + 20 * settings[kMelodyLength];
  }
  return decodeDrumCandidate(shownRow(env), start, end, settings.isOn(kLoopMelodyLength));
}

// Decodes the shown row and places it, first removing the drums from
// `removeFromX` on when that is given. False when the row is not decodable.
bool showDrums(NeuralEnv& env, RequestType type, double quantizeRate, double shuffleRate, int removeFromX = -1) {
  const auto drums = decodeShownDrums(env, type);
  if (!drums) return false;
  if (removeFromX >= 0) removeDrumsFrom(env.score(), removeFromX);
  insertDecodedDrums(env.score(), *drums);
  if (!env.infiniteRunning()) postProcessDrums(env, quantizeRate, shuffleRate);
  env.ui().redraw(RedrawTarget::Drums);
  return true;
}

// showDrums, or the "cannot decode" message: 0 when shown, -1 after the message.
int showDrumsOrFail(NeuralEnv& env, RequestType type, double quantizeRate, double shuffleRate, int removeFromX = -1) {
  if (showDrums(env, type, quantizeRate, shuffleRate, removeFromX)) return 0;
  failUndecodable(env);
  return -1;
}

// Sends the encoded steps, places the cue where the answer goes and shows
// its first candidate.
int requestAndShowDrums(NeuralEnv& env, RequestType type, int kind, const Encoded& encoded, double quantizeRate,
                        double shuffleRate) {
  if (!sendNeuralRequest(env, type, kind, encoded)) return -1;
  env.remote.decodePosition = encoded.start;
  env.score().cueIndicator = encoded.start;
  env.showGenerationAt(encoded.start);
  return showDrumsOrFail(env, type, quantizeRate, shuffleRate);
}

}  // namespace

int nnDrums(NeuralEnv& env, double quantizeRate, double shuffleRate) {
  Score& score = env.score();
  const MelodySettings settings = score.settings.melody;
  const bool between = settings.isOn(kBetweenLocators);
  const int next = nextCandidate(env.remote, kKindDrums);
  if (next == kShowNextCandidate) {
    const int removeFrom = between ? -1 : env.remote.decodePosition;
    return showDrumsOrFail(env, RequestType::Drums, quantizeRate, shuffleRate, removeFrom);
  }
  if (env.resetOutput) env.resetOutput();
  if (next == kFreshRequest) env.remote.decodePosition = kSongStartX;
  if (next == kCandidatesExhausted && !between) removeDrumsFrom(score, env.remote.decodePosition);
  const NoteSet source = settings.isOn(kExtendExisting) ? score.noteSets[kDrumsView] : NoteSet{};
  const Encoded encoded = encodeDrumSteps(source, between, env.remote.generationPosition);
  if (next == kFreshRequest) {
    if (encoded.start > kLastGenerationX && !env.infiniteRunning()) {
      showGenerationMessage(env.local, "You can't generate lines with selecting part");
      return -1;
    }
    env.remote.generationPosition = encoded.start;
  }
  return requestAndShowDrums(env, RequestType::Drums, kKindDrums, encoded, quantizeRate, shuffleRate);
}

int nnMelodyToDrums(NeuralEnv& env, double quantizeRate, double shuffleRate) {
  Score& score = env.score();
  const MelodySettings settings = score.settings.melody;
  const bool between = settings.isOn(kBetweenLocators);
  const int next = nextCandidate(env.remote, kKindMelodyToDrums);
  if (next == kShowNextCandidate) return showDrumsOrFail(env, RequestType::MelodyToDrums, quantizeRate, shuffleRate);
  if (env.resetOutput) env.resetOutput();
  if (next == kFreshRequest) env.remote.decodePosition = kSongStartX;
  // The steps are read where the parts stand in the song, so they are not
  // shifted; pitches do not matter to this encoder.
  const auto parts = melodyParts(score);
  const Encoded encoded = encodeVoiceSteps(parts, between, score.leftLocator.load(), score.rightLocator.load(),
                                           env.remote.generationStart, voiceRangeEnd(parts));
  if (next == kFreshRequest) {
    if (!encoded.ok) {
      showGenerationMessage(env.local, "Not enough source parts.");
      return -1;
    }
    env.remote.generationPosition = encoded.start;
  }
  return requestAndShowDrums(env, RequestType::MelodyToDrums, kKindMelodyToDrums, encoded, quantizeRate, shuffleRate);
}

}  // namespace quorvel
