#include "netgen/NeuralSupport.h"

#include "netgen/AiTypes.h"
#include "netgen/GenerationRequest.h"
#include "tools/Quantize.h"

namespace quorvel {

bool sendNeuralRequest(NeuralEnv& env, RequestType type, int kind, const Encoded& encoded) {
  RemoteState& remote = env.remote;
  remote.lastRequestData = encoded.data;
  remote.lastRequestKind = kind;
  const GenerationQuery query{type, genreOf(env.score().settings.aiTypes, type), encoded.data, encoded.len};
  const GenerationAnswer answer = env.keepWaiting
                                      ? requestCandidatesWhile(env.client, query, env.keepWaiting)
                                      : requestCandidatesWithProgress(env.client, query, env.ui(), env.language());
  remote.lastError = answer.error;
  if (!answer.rows) {
    remote.candidateIndex = kNoCandidate;
    if (!answer.abandoned && !env.keepWaiting) showGenerationMessage(env.local, "Failed to connect to the server.");
    return false;
  }
  remote.candidateRows = *answer.rows;
  remote.candidateIndex = 0;
  return true;
}

const std::string& shownRow(const NeuralEnv& env) {
  return env.remote.candidateRows[static_cast<std::size_t>(env.remote.candidateIndex)];
}

void failUndecodable(NeuralEnv& env) {
  env.remote.candidateIndex = kNoCandidate;
  env.remote.lastError = "the candidate could not be read";
  if (!env.keepWaiting) showGenerationMessage(env.local, "Failed to connect to the server.");
}

void commitCandidate(Score& score, Ui& ui, int part, const std::vector<NoteCode>& notes) {
  clearSelection(score, ui);
  NoteSet added;
  {
    std::lock_guard lock(score.noteMutex);
    for (NoteCode c : notes) {
      addNote(score, part, c);
      added.insert(c);
    }
    score.noteSets[kSelection] = added;
  }
  score.undo[static_cast<std::size_t>(part)].record(kUndoAdded, added);
  score.selectionBounds = computeSelectionBounds(score);
  ui.redraw(RedrawTarget::Melody);
}

void removeShownCandidate(Score& score, Ui& ui) { deleteSelection(score, ui); }

void insertDecodedDrums(Score& score, const DecodedDrums& drums) {
  std::lock_guard lock(score.noteMutex);
  for (NoteCode c : drums.accents) addNote(score, kDrumSet3, c);
  for (NoteCode c : drums.normal) addNote(score, kDrumSet3 - 1, c);
}

void removeDrumsFrom(Score& score, int x) {
  std::lock_guard lock(score.noteMutex);
  const NoteCode from = static_cast<NoteCode>(x / kStepPixels) << kStartShift;
  for (int set = kDrumSet0; set <= kDrumSet3; ++set) {
    NoteSet& notes = score.noteSets[static_cast<std::size_t>(set)];
    notes.erase(notes.lower_bound(from), notes.end());
  }
  NoteSet& view = score.noteSets[kDrumsView];
  view.erase(view.lower_bound(from), view.end());
}

namespace {

// Quantizes one drum set to the grid with the given strength, as the tool
// does for the drums view's active set.
void quantizeDrumSet(NeuralEnv& env, int set, double strength) {
  Score& score = env.score();
  GeneralSettings& general = score.settings.general;
  const double savedStrength = general.drumsQuantizeStrength;
  const std::int32_t savedSet = score.settings.drums.drumSet;
  general.drumsQuantizeStrength = strength;
  score.settings.drums.drumSet = set;
  quantizeToGrid(score, env.ui(), env.local.random, 0, kSongStartX);
  general.drumsQuantizeStrength = savedStrength;
  score.settings.drums.drumSet = savedSet;
}

}  // namespace

void postProcessDrums(NeuralEnv& env, double quantizeRate, double shuffleRate) {
  Score& score = env.score();
  if (quantizeRate >= 1e-8) {
    const bool wasActive = score.hasFlag(kFlagDrumsEdit);
    score.setFlag(kFlagDrumsEdit);
    quantizeDrumSet(env, kDrumSet3, quantizeRate);
    quantizeDrumSet(env, kDrumSet3 - 1, quantizeRate);
    if (!wasActive) score.clearFlag(kFlagDrumsEdit);
  }
  if (shuffleRate > 0) {
    shuffleNotes(score, env.ui(), env.local.random, 0, shuffleRate, kDrumSet3, kSongStartX);
    shuffleNotes(score, env.ui(), env.local.random, 0, shuffleRate, kDrumSet3 - 1, kSongStartX);
  }
  env.ui().redraw(RedrawTarget::Drums);
}

}  // namespace quorvel
