#pragma once
// An independent reader of finished lines: states the rules every result
// must obey and reports each breach as text, computed from the pitches
// alone (it shares no code with the generator).
#include <string>
#include <vector>

#include "generator/GenerationVoices.h"

namespace quorvel::testing {

struct LineSet {
  int voices = 1;
  int keyNote = 60;
  int mode = 0;
  bool counter = false;
  const VoiceLine* lines[4] = {nullptr, nullptr, nullptr, nullptr};
};

// Every breach found, empty when the lines are sound.
std::vector<std::string> checkEvoked(const LineSet& set);
// The counter-line rules on the first `voices` lines.
std::vector<std::string> checkCounter(const VoiceLines& lines, int voices);

}  // namespace quorvel::testing
