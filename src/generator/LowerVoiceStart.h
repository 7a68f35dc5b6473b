#pragma once
// The first note of a lower voice, shared by the whole-line search and the
// real-time voices.
#include <optional>

#include "generator/GeneratorContext.h"

namespace quorvel {

// The voice's first note by its role, from the top voice's first pitch at
// beat 0, the lower voices already started there and (bass) ctx.voiceEnding.
// Nothing when the alto finds no place above the tenor.
std::optional<LineNote> chooseFirstNote(GeneratorContext& ctx);

}  // namespace quorvel
