#pragma once
// Entry points of the local generation commands, one per toolbar label, for
// the command table and for quorvel-cli. Each answers 0 when it wrote
// something, -1 after a message, -2 when nothing was done.
#include <optional>
#include <string_view>

#include "generator/GenerationEnv.h"

namespace quorvel {

int generateZeroToOneA(GenerationEnv& env);    // "0to1A", Alt+1
int generateZeroToTwoA(GenerationEnv& env);    // "0to2A", Alt+2
int generateZeroToThreeA(GenerationEnv& env);  // "0to3A", Alt+3
int generateZeroToFourA(GenerationEnv& env);   // "0to4A", Alt+4
int generateOneToOneA(GenerationEnv& env);     // "1to1A", Alt+5
int generateOneToTwoA(GenerationEnv& env);     // "1to2A", Alt+6
int generateOneToThreeA(GenerationEnv& env);   // "1to3A", Alt+7
int generateZeroToDrumsA(GenerationEnv& env);  // "0toDA", Alt+8
int generateNToDrumsA(GenerationEnv& env);     // "NtoDA", Alt+9
// "0toN", Ctrl+G: the evoked lines chosen in the options (drums only for
// "0:D"; the neural generators are not local and do nothing here).
int generateZeroToN(GenerationEnv& env);
// "NtoN", Ctrl+W: the counter lines chosen in the options when they are
// local ("1:1", "1:2", "1:3"), then drums when the options ask for them.
int generateNToN(GenerationEnv& env);

// The "Loop" check button: while down, "Generate between Locators." is on;
// releasing it restores the value it had.
void setLoopButton(GenerationEnv& env, bool down);

// Runs the command of a toolbar label; nothing for a label that is not local.
std::optional<int> runLocalGeneration(GenerationEnv& env, std::string_view label);

}  // namespace quorvel
