#pragma once
// Steps the G functions share: the request with its failure handling,
// committing a decoded line, placing decoded drums, and post-processing.
#include <vector>

#include "netgen/Candidates.h"
#include "netgen/Encoders.h"
#include "netgen/NeuralEnv.h"

namespace quorvel {

// Records the request, sends it with the progress window and fills the
// candidate rows. On failure "Failed to connect to the server." is shown
// (nothing when the user closed the window) and no candidate is usable.
bool sendNeuralRequest(NeuralEnv& env, RequestType type, int kind, const Encoded& encoded);

// The row currently shown, or the failure path when it cannot be decoded.
const std::string& shownRow(const NeuralEnv& env);
// A row that could not be decoded ends the reply like a failed request.
void failUndecodable(NeuralEnv& env);

// Adds the notes to the part (and the melody view) as one undoable addition
// and leaves them selected, so that the next press can take them away.
void commitCandidate(Score& score, Ui& ui, int part, const std::vector<NoteCode>& notes);
// Takes the shown candidate (the selection) out of the part as one undo step.
void removeShownCandidate(Score& score, Ui& ui);

void insertDecodedDrums(Score& score, const DecodedDrums& drums);
// Removes every drum note at or after x (drum sets 4..7 and the view).
void removeDrumsFrom(Score& score, int x);
void postProcessDrums(NeuralEnv& env, double quantizeRate, double shuffleRate);

}  // namespace quorvel
