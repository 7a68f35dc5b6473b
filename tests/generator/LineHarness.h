#pragma once
// Runs requests the way the evoked-lines and counter-lines drivers do (the
// same voice order and retry limits), straight on the engine.
#include <array>
#include <cstdint>

#include "LineChecker.h"
#include "generator/LineSearch.h"

namespace quorvel::testing {

struct Request {
  int voices = 1;
  int length = 16;
  int mode = 0;
  int keyNote = 60;
  std::uint32_t seed = 1;
};

struct Outcome {
  int result = 0;  // 14 success, 10 failed, 46410 cancelled
  int tries = 0;
  std::array<VoiceLine, 4> lines;
};

// Evoked lines: a melody and N - 1 voices below it.
Outcome runEvoked(const Request& request);

// Counter lines under a given top voice, segment by segment.
Outcome runCounter(const Request& request, const VoiceLine& melody);

// The finished lines of an outcome, as the rule checker reads them.
LineSet linesOf(const Request& request, const Outcome& outcome);

}  // namespace quorvel::testing
