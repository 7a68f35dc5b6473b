#pragma once
// The commands behind the G buttons: they check the part selection, clear
// what the new lines replace, run the chain of G functions of the mode, and
// mark the result. Each answers 0 when it ran, -1 after a message, -2 when
// nothing was done (busy, question cancelled).
#include <optional>
#include <string_view>

#include "netgen/NeuralEnv.h"

namespace quorvel {

// Counter modes: 0 "1to1G", 1 "2to1G", 2 "3to1G", 3 "1to2G", 4 "1to3G",
// 5 "2to2G"; kCounterModeFromSettings takes the mode from "Number of Counter
// Lines". `chainStart` is 0 from the toolbar, or where the melody that the
// counter lines follow was generated (then nothing is cleared).
inline constexpr int kCounterModeFromSettings = 16384;
int neuralCounterCommand(NeuralEnv& env, int mode, int chainStart = 0);

// "0toDG" (drums after the existing drums) and "NtoDG" (drums along the parts).
enum class NeuralDrumsKind { AfterDrums = 41, AlongParts = 42 };
int neuralDrumsCommand(NeuralEnv& env, NeuralDrumsKind kind, int startX);

// "0to1G": a new melody from the server, through the evoked-lines command.
int neuralMelodyCommand(NeuralEnv& env);

// "0toN" with "Enable NN Melody Generator." on (or "0:D" with the neural
// drums): the melody, the counter lines of 0:2..0:4 and the drums the
// options ask for.
int generateZeroToNG(NeuralEnv& env);

// Whether "0toN" / "NtoN" go to the server with the current options.
bool zeroToNIsNeural(const MelodySettings& settings);
bool nToNIsNeural(const MelodySettings& settings);

// The G buttons, one function per toolbar label, for the command table.
int generateZeroToOneG(NeuralEnv& env);    // "0to1G"
int generateOneToOneG(NeuralEnv& env);     // "1to1G"
int generateTwoToOneG(NeuralEnv& env);     // "2to1G"
int generateThreeToOneG(NeuralEnv& env);   // "3to1G"
int generateOneToTwoG(NeuralEnv& env);     // "1to2G"
int generateOneToThreeG(NeuralEnv& env);   // "1to3G"
int generateTwoToTwoG(NeuralEnv& env);     // "2to2G"
int generateZeroToDrumsG(NeuralEnv& env);  // "0toDG"
int generateNToDrumsG(NeuralEnv& env);     // "NtoDG"
// "NtoN" on the server: the counter lines "Number of Counter Lines" names.
int generateNToNG(NeuralEnv& env);

// Runs the command of a G label typed on the command line ("0to1G" ...
// "NtoDG", "0toN", "NtoN"); nullopt for another label.
std::optional<int> runNeuralGeneration(NeuralEnv& env, std::string_view label);

// Presses the button of a G label `times` times, as `quorvel-cli generate
// --candidate K` does; stops at the first press that does not answer 0.
std::optional<int> pressNeuralButton(NeuralEnv& env, std::string_view label, int times);

// Candidates the last reply held (rows with a candidate).
int candidateCount(const RemoteState& state);

}  // namespace quorvel
