#pragma once
// The look-ahead of the line search: before a candidate is committed, a
// depth-first search over the candidates of later beats, with the voice's
// own rules, tells whether the line can still be completed from it. The
// melody's search looks through every later beat and keeps its answers per
// state, so each state is explored once; a lower voice looks only through
// its fixed closing notes, which the search would meet next with the same
// draws, so its answer is exactly what the search would find.
#include "generator/GeneratorContext.h"

namespace quorvel {

// Whether the accepted candidate leaves the search a way to its end (always
// true unless the plan asks for the check). Gives back everything it
// touches and draws from a copy of the generator, so the search's own
// sequence of draws does not depend on it.
bool leavesWayToEnd(GeneratorContext& ctx);

// Drops the kept answers: the search starts from a new base note.
void forgetReachAnswers(GeneratorContext& ctx);

}  // namespace quorvel
