#pragma once
// The chain that brings an imported song into the regular shape of learning
// material: trim, divide into four lines, detect and apply the key, move the
// key note to C3, reduce note values.
#include <optional>

#include "tools/KeyTools.h"

namespace quorvel {

// Answers the detected key, or nothing when the song has no melody.
std::optional<KeyEstimate> regulateSong(Score& s, Ui& ui);

}  // namespace quorvel
