#pragma once
// The look-ahead of the line search: before a candidate is committed, a
// depth-first search over every candidate of every later beat, with the
// voice's own rules, tells whether the line can still be completed from it.
// Answers are kept per state for the current search, so each state is
// explored once.
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
