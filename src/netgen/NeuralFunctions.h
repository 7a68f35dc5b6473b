#pragma once
// The six G functions: each takes its sources from the song, asks the server
// once (or shows the next candidate of the last reply when it is pressed
// again) and puts the candidate into the song.
#include "netgen/NeuralEnv.h"

namespace quorvel {

// A new melody in the edit part after (or between the locators instead of)
// the existing one. 0, or -1 when nothing was placed (refused, failed).
int nnMelody(NeuralEnv& env);

// A counter line into part t below the edit part's line; the request type
// says how many lines already stand. 0, or -1 when the source gave no phrase
// or the request failed (a chain stops there).
int nnCounter1to1(NeuralEnv& env, int t);
int nnCounter2to1(NeuralEnv& env, int t);
int nnCounter3to1(NeuralEnv& env, int t);

// Drums after (or between the locators instead of) the existing drums, and
// drums along the four parts; post-processed with the drum quantize and
// shuffle rates of their kind. 0, or -1 when nothing was placed (no usable
// source, refused, failed).
int nnDrums(NeuralEnv& env, double quantizeRate, double shuffleRate);
int nnMelodyToDrums(NeuralEnv& env, double quantizeRate, double shuffleRate);

// Every start step of the part from fromX on keeps only its longest note
// (the first in set order among equals); the removals are one undo step.
void keepLongestAtOnset(Score& score, int part, int fromX);

// The first x of the parts' first notes, 10 when all are empty.
int firstNoteX(const Score& score, int fromPart, int toPart);

}  // namespace quorvel
