// nnMelody and the three counter functions: melody lines from the server.
#include <algorithm>

#include "netgen/NeuralFunctions.h"
#include "netgen/NeuralSupport.h"
#include "tools/Quantize.h"

namespace quorvel {

namespace {

constexpr int kLastGenerationX = kTimelineEndX - 80;


// Where the shown candidate is decoded.
int decodeStart(const NeuralEnv& env, bool betweenLocators) {
  return betweenLocators ? env.remote.generationPosition : env.remote.decodePosition;
}

std::optional<DecodedMelody> decodeShown(NeuralEnv& env, int part, bool betweenLocators) {
  const int keyNote = env.score().settings.melody[kKeyNote];
  return decodeMelodyCandidate(shownRow(env), decodeStart(env, betweenLocators), part, keyNote, true);
}

void setEditPart(NeuralEnv& env, int part) {
  env.score().settings.parts.editPart = part;
  env.ui().redraw(RedrawTarget::Melody);
}

struct CounterSpec {
  RequestType type;
  int kind;
  int sourceSets;    // n of the normalisation
  int referenceAbove;  // the part quantized toward: t + referenceAbove
};

void postProcessCounter(NeuralEnv& env, const CounterSpec& spec, int t, int fromX) {
  Score& score = env.score();
  const double rate = score.settings.counterNn.quantizeRate[static_cast<std::size_t>(spec.kind)];
  if (rate >= 1e-8) quantizeToPart(score, env.ui(), env.local.random, t + spec.referenceAbove, t, rate, kSongStartX, false);
  keepLongestAtOnset(score, t, fromX);
  env.ui().redraw(RedrawTarget::Melody);
}

// Decodes the shown candidate into part t and post-processes it. False when
// the candidate could not be decoded.
bool showCounterCandidate(NeuralEnv& env, const CounterSpec& spec, int t, bool betweenLocators, int postFromX) {
  const auto decoded = decodeShown(env, t, betweenLocators);
  if (!decoded) return false;
  commitCandidate(env.score(), env.ui(), t, decoded->notes);
  env.remote.lastEndX = decoded->endX;
  if (!env.infiniteRunning()) postProcessCounter(env, spec, t, postFromX);
  // The line now belongs to a part that is not the edit part: nothing stays selected.
  clearSelection(env.score(), env.ui());
  return true;
}

int nnCounter(NeuralEnv& env, const CounterSpec& spec, int t) {
  Score& score = env.score();
  const MelodySettings settings = score.settings.melody;
  const bool between = settings.isOn(kBetweenLocators);
  const int e = score.editPart();
  setEditPart(env, t);
  const int next = nextCandidate(env.remote, spec.kind);
  if (next == kShowNextCandidate) {
    const bool shown = showCounterCandidate(env, spec, t, between, kSongStartX);
    setEditPart(env, e);
    if (!shown) failUndecodable(env);
    return 0;
  }
  if (env.resetOutput) env.resetOutput();
  if (next == kFreshRequest) env.remote.decodePosition = kSongStartX;
  WorkingSets sets;
  sets[3] = score.noteSets[static_cast<std::size_t>(e)];
  normaliseSources(sets, spec.sourceSets, settings[kKeyNote]);
  const Encoded encoded = encodePhrase(sets[3], between, score.leftLocator.load(), score.rightLocator.load(),
                                       env.remote.generationStart);
  if (next == kFreshRequest) {
    if (!encoded.ok) {
      setEditPart(env, e);
      showGenerationMessage(env.local, "Not enough source parts.");
      return -1;
    }
    env.remote.generationPosition = encoded.start;
  }
  if (!sendNeuralRequest(env, spec.type, spec.kind, encoded)) {
    setEditPart(env, e);
    return -1;
  }
  env.remote.decodePosition = encoded.start;
  score.cueIndicator = encoded.start;
  const bool shown = showCounterCandidate(env, spec, t, between, env.remote.generationStart);
  setEditPart(env, e);
  if (!shown) {
    failUndecodable(env);
    return -1;
  }
  return 0;
}

}  // namespace

int nnMelody(NeuralEnv& env) {
  Score& score = env.score();
  const MelodySettings settings = score.settings.melody;
  const bool between = settings.isOn(kBetweenLocators);
  const int part = score.editPart();
  const int next = nextCandidate(env.remote, kKindMelody);
  if (next == kShowNextCandidate) {
    const auto decoded = decodeShown(env, part, between);
    if (!decoded) {
      failUndecodable(env);
      return -1;
    }
    removeShownCandidate(score, env.ui());
    commitCandidate(score, env.ui(), part, decoded->notes);
    env.remote.lastEndX = decoded->endX;
    return 0;
  }
  if (env.resetOutput) env.resetOutput();
  if (next == kFreshRequest) env.remote.decodePosition = kSongStartX;
  if (next == kCandidatesExhausted) removeShownCandidate(score, env.ui());
  WorkingSets sets;
  if (settings.isOn(kExtendExisting)) sets[3] = score.noteSets[static_cast<std::size_t>(part)];
  const int offset = normaliseSources(sets, 0, settings[kKeyNote]);
  // The working set is shifted by the offset: so is the point it is read up to.
  Encoded encoded = encodeContext(sets[3], between, env.remote.generationPosition - offset, env.local.random);
  encoded.start += offset;
  if (next == kFreshRequest) {
    if (encoded.start > kLastGenerationX && !env.infiniteRunning()) {
      showGenerationMessage(env.local, "You can't generate lines with selecting part");
      return -1;
    }
    env.remote.generationPosition = encoded.start;
  }
  if (!sendNeuralRequest(env, RequestType::Generator, kKindMelody, encoded)) return -1;
  env.remote.decodePosition = encoded.start;
  const auto decoded = decodeShown(env, part, between);
  if (!decoded) {
    failUndecodable(env);
    return -1;
  }
  // While infinite generation plays, the cue belongs to the player.
  if (!env.infiniteRunning()) {
    score.cueIndicator = encoded.start;
    env.showGenerationAt(encoded.start);
  }
  commitCandidate(score, env.ui(), part, decoded->notes);
  env.remote.lastEndX = decoded->endX;
  return 0;
}

int nnCounter1to1(NeuralEnv& env, int t) {
  return nnCounter(env, {RequestType::OneToOne, kKindCounter1to1, 1, 1}, t);
}
int nnCounter2to1(NeuralEnv& env, int t) {
  return nnCounter(env, {RequestType::TwoToOne, kKindCounter2to1, 2, 2}, t);
}
int nnCounter3to1(NeuralEnv& env, int t) {
  return nnCounter(env, {RequestType::ThreeToOne, kKindCounter3to1, 3, 2}, t);
}

void keepLongestAtOnset(Score& score, int part, int fromX) {
  std::lock_guard lock(score.noteMutex);
  NoteSet& set = score.noteSets[static_cast<std::size_t>(part)];
  NoteSet removed;
  auto it = fromX <= kSongStartX ? set.begin() : firstAtStep(set, fromX / kStepPixels);
  while (it != set.end()) {
    const int step = noteStart(*it);
    NoteCode kept = *it;
    for (++it; it != set.end() && noteStart(*it) == step; ++it) {
      if (melodyLength(kept) >= melodyLength(*it)) {
        removed.insert(*it);
      } else {
        removed.insert(kept);
        kept = *it;
      }
    }
  }
  for (NoteCode c : removed) removeNote(score, part, c);
  score.undo[static_cast<std::size_t>(part)].record(kUndoDeleted, removed);
}

int firstNoteX(const Score& score, int fromPart, int toPart) {
  int first = -1;
  for (int part = fromPart; part >= toPart; --part) {
    const NoteSet& set = score.noteSets[static_cast<std::size_t>(part)];
    if (set.empty()) continue;
    const int x = kStepPixels * noteStart(*set.begin());
    first = first < 0 ? x : std::min(first, x);
  }
  return first < 0 ? kSongStartX : first;
}

}  // namespace quorvel
